#pragma once

#include "common/keyrecord.h"

#include <string>
#include <string_view>

// The key editor's target line: one line showing what a key starts, the program and the
// document handed to it, and the two fields "Setup" stores from it.
namespace ombrix {

// The target line of a key: its target and its argument, one blank apart. A document that the
// target already holds after its program (as keys saved by earlier versions hold it, with the
// same document in the argument) is shown once.
std::string targetLineOf(const KeyRecord& key);

struct TargetFields {
    std::string target;   // the program, web address or "shl.ShutdownWindows"
    std::string argument; // the document handed to the program; empty when there is none

    bool operator==(const TargetFields&) const = default;
};

// What "Setup" stores for a target line, blanks around it trimmed: a web address or the
// shut-down key whole with no document; otherwise the program part (as the bar finds it) as
// target and the rest after it as the document, so the bar starts exactly what the line shows.
TargetFields targetFieldsOf(std::string_view line);

// Why the key table cannot hold these fields as they are, in words for the user; empty when
// it can. A field holds 250 characters of the Windows-1252 character set.
std::string targetRefusal(const TargetFields& fields);

} // namespace ombrix
