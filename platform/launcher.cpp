#include "platform/launcher.h"

#include "common/keyaction.h"
#include "common/targets.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace ombrix::platform {
namespace {

// The program file a start would run, or empty when there is none.
std::string programFile(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return program;
    const QString found = QStandardPaths::findExecutable(QFile::decodeName(program.c_str()));
    return QFile::encodeName(found).toStdString();
}

// The failure a start would meet before the process is even tried, or 0.
int checkBeforeStart(const std::string& program, const std::string& workingDirectory) {
    const std::string file = programFile(program);
    if (!fileExists(file))
        return errorFileNotFound;
    if (::access(file.c_str(), X_OK) != 0)
        return errorPermissionDenied;
    std::error_code error;
    if (!workingDirectory.empty() && !std::filesystem::is_directory(workingDirectory, error))
        return errorPathNotFound;
    return 0;
}

} // namespace

int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingDirectory) {
    if (const int failure = checkBeforeStart(program, workingDirectory); failure != 0)
        return failure;
    QStringList argumentList;
    argumentList.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& argument : arguments)
        argumentList.append(QFile::decodeName(argument.c_str()));
    QProcess process;
    process.setProgram(QFile::decodeName(program.c_str()));
    process.setArguments(argumentList);
    if (!workingDirectory.empty())
        process.setWorkingDirectory(QFile::decodeName(workingDirectory.c_str()));
    return process.startDetached() ? 0 : errorOther;
}

} // namespace ombrix::platform
