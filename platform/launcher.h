#pragma once

#include <string>
#include <vector>

// Starting the program of a key.
namespace ombrix::platform {

// Starts `program` detached, with each of `arguments` handed over as exactly one argument and
// `workingDirectory` as its folder (empty: this process's own folder). Nothing goes through a
// shell. A program named without a '/' is looked up on PATH.
// Returns 0 when the program runs, else the number of the failure: 53 when the program does
// not exist, 70 when it may not be executed, 76 when the working folder does not exist, 5 for
// any other failure to start it.
int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingDirectory);

} // namespace ombrix::platform
