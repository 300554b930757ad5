#include "module/LogHeader.h"

#include "module/LogLine.h"
#include "platform/DateTime.h"

namespace orvo {
namespace {
// Each field escaped as a log line's arguments are: a path or name holding a line break must
// not start a line of its own.
void AppendField(std::string& block, std::string_view label, std::string_view text) {
    block += "\r\n";
    block += label;
    AppendEscaped(block, text);
}

void AppendVersioned(std::string& block, std::string_view label, const std::string& path, const std::string& version) {
    AppendField(block, label, path);
    if (version.empty()) return;
    block += " (file version ";
    AppendEscaped(block, version);
    block += ')';
}

void AppendRuntimeFile(std::string& block, const platform::TRuntimeFile& file) {
    AppendField(block, "Runtime:  ", file.Path);
    block += " (";
    if (!file.Version.empty()) {
        block += "file version ";
        AppendEscaped(block, file.Version);
        block += ", ";
    }
    block += std::to_string(file.Size) + " bytes)";
}
}  // namespace

std::string LogHeaderBlock(const platform::TProcessIdentity& identity, TDateTime now) {
    std::string block = "======== ";
    AppendLogTimeStamp(block, now);
    AppendVersioned(block, "Program:  ", identity.HostProgramPath, identity.HostProgramVersion);
    AppendVersioned(block, "Module:   ", identity.ModulePath, identity.ModuleVersion);
    for (const platform::TRuntimeFile& file : identity.RuntimeFiles) AppendRuntimeFile(block, file);
    if (!identity.BuiltInRuntime.empty()) {
        AppendField(block, "Runtime:  built in (the C++ runtime of ", identity.BuiltInRuntime);
        block += ", linked statically)";
    }
    AppendField(block, "Computer: ", identity.ComputerName);
    AppendField(block, "User:     ", identity.UserName);
    AppendField(block, "System:   ", identity.OperatingSystem);
    block += "\r\nProcess:  " + std::to_string(identity.ProcessId) + "\r\n";
    return block;
}

}  // namespace orvo
