// The C++ runtime the module is bound to, as the log header names it: the header's lines, and the
// files the system reports for this program, which links the module's code.
#include <gtest/gtest.h>

#include <filesystem>

#include "module/LogHeader.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo {
namespace {
namespace fs = std::filesystem;

TEST(RuntimeInLogHeader, OneLinePerRuntimeFileAfterTheModule) {
    platform::TProcessIdentity id;
    id.HostProgramPath = "C:\\Orvo\\BackOffice.exe";
    id.ModulePath = "D:\\Modules\\OrvoExtraPayments.ovm";
    id.ModuleVersion = "0.0.0.6";
    id.ComputerName = "TILL01";
    id.RuntimeFiles = {{"C:\\Orvo\\libstdc++-6.dll", "", 2147869}, {"C:\\Orvo\\libwinpthread-1.dll", "1.0.0.0", 64541}};
    const std::string block = LogHeaderBlock(id, EncodeDate(2026, 3, 4));
    EXPECT_NE(block.find("Module:   D:\\Modules\\OrvoExtraPayments.ovm (file version 0.0.0.6)\r\n"
                         "Runtime:  C:\\Orvo\\libstdc++-6.dll (2147869 bytes)\r\n"
                         "Runtime:  C:\\Orvo\\libwinpthread-1.dll (file version 1.0.0.0, 64541 bytes)\r\n"
                         "Computer: TILL01\r\n"),
              std::string::npos)
        << block;
    id.RuntimeFiles.clear();
    id.BuiltInRuntime = "GCC 12.2.0";
    EXPECT_NE(LogHeaderBlock(id, EncodeDate(2026, 3, 4))
                  .find("(file version 0.0.0.6)\r\nRuntime:  built in (the C++ runtime of GCC 12.2.0, linked "
                        "statically)\r\nComputer: TILL01\r\n"),
              std::string::npos);
}

// Each file named is there with the size given; its version agrees with the file's own record
// (Windows, read a second way) or its name (ELF); at least one carries a version.
TEST(RuntimeInLogHeader, TheSystemNamesTheRuntimeFilesInUse) {
#if defined(_WIN32)
    const std::vector<std::string> names = {"libstdc++-6.dll", "libgcc_s_dw2-1.dll", "libwinpthread-1.dll"};
#else
    const std::vector<std::string> names = {"libstdc++.so."};  // followed by the version
#endif
    const std::vector<platform::TRuntimeFile> files = platform::ReadProcessIdentity().RuntimeFiles;
    ASSERT_EQ(files.size(), names.size());
    bool anyVersion = false;
    for (size_t i = 0; i < files.size(); ++i) {
        const fs::path path(files[i].Path);
        SCOPED_TRACE(files[i].Path);
        EXPECT_TRUE(path.is_absolute());
        EXPECT_EQ(fs::file_size(path), files[i].Size);
#if defined(_WIN32)
        EXPECT_EQ(path.filename().string(), names[i]);
        EXPECT_EQ(files[i].Version, platform::FileVersionOf(files[i].Path));
#else
        EXPECT_EQ(path.filename().string(), names[i] + files[i].Version);
#endif
        anyVersion = anyVersion || !files[i].Version.empty();
    }
    EXPECT_TRUE(anyVersion);
}

}  // namespace
}  // namespace orvo
