#include "module/LogHeader.h"

#include "module/Log.h"
#include "platform/DateTime.h"

namespace orvo {
namespace {
std::string PathWithVersion(const std::string& path, const std::string& version) {
    return version.empty() ? path : path + " (file version " + version + ")";
}

std::string RuntimeFileText(const platform::TRuntimeFile& file) {
    const std::string version = file.Version.empty() ? "" : "file version " + file.Version + ", ";
    return file.Path + " (" + version + std::to_string(file.Size) + " bytes)";
}
}  // namespace

std::string LogHeaderBlock(const platform::TProcessIdentity& identity, TDateTime now) {
    std::string block = "======== ";
    AppendLogTimeStamp(block, now);
    block += "\r\nProgram:  " + PathWithVersion(identity.HostProgramPath, identity.HostProgramVersion);
    block += "\r\nModule:   " + PathWithVersion(identity.ModulePath, identity.ModuleVersion);
    for (const platform::TRuntimeFile& file : identity.RuntimeFiles) block += "\r\nRuntime:  " + RuntimeFileText(file);
    if (!identity.BuiltInRuntime.empty())
        block += "\r\nRuntime:  built in (the C++ runtime of " + identity.BuiltInRuntime + ", linked statically)";
    block += "\r\nComputer: " + identity.ComputerName;
    block += "\r\nUser:     " + identity.UserName;
    block += "\r\nSystem:   " + identity.OperatingSystem;
    block += "\r\nProcess:  " + std::to_string(identity.ProcessId);
    block += "\r\n";
    return block;
}

}  // namespace orvo
