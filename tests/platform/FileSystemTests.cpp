// The operating-system seam for files: the handle owner and the errors file operations report.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/FileSystem.h"
#include "platform/UniqueHandle.h"
#include "tests/support/TestSupport.h"

namespace orvo::platform {
namespace {
namespace fs = std::filesystem;

// Counts the closes of each handle value 1..9.
int gClosed[10];
struct TCountingPolicy {
    using Handle = int;
    static Handle Empty() noexcept { return 0; }
    static void Close(Handle h) noexcept { ++gClosed[h]; }
};
using TCounted = TUniqueHandle<TCountingPolicy>;

TEST(UniqueHandle, EachHandleIsClosedExactlyOnceByWhoeverHoldsItLast) {
    std::fill(std::begin(gClosed), std::end(gClosed), 0);
    {
        TCounted one(1), two(2), three(3), empty;
        TCounted moved(std::move(one));       // 1 now held by moved only
        two = std::move(moved);               // 2 closed, 1 held by two
        three.Reset(4);                       // 3 closed
        EXPECT_EQ(TCounted(5).Release(), 5);  // given up: never closed here
        empty.Reset(6);
        EXPECT_FALSE(one);
        EXPECT_EQ(two.Get(), 1);
    }
    EXPECT_EQ(std::vector<int>(std::begin(gClosed), std::end(gClosed)),
              (std::vector<int>{0, 1, 1, 1, 1, 0, 1, 0, 0, 0}));
}

TEST(FileStatus, AFailedOperationReportsTheSystemsCodeAndMessageAndItsFile) {
    test::TTempFolder folder;
    const std::string file = folder / "file.log", sub = folder / "sub", missing = folder / "missing";
    std::ofstream(file) << "x";
    fs::create_directory(sub);
    std::vector<TFolderEntry> entries;
    const struct {
        const char* trace;
        std::function<TFileStatus()> operation;
        std::string path;
        std::string posixMessage;
        int windowsCode;
    } rows[] = {
        {"deleting a folder", [&] { return RemoveFile(sub); }, sub, "Is a directory (error 21)", 5},
        {"renaming onto a file", [&] { return RenameIfFree(sub, file); }, sub, "File exists (error 17)", 183},
        {"making a folder where a file is", [&] { return CreateFolder(file); }, file, "File exists (error 17)", 183},
        {"listing a missing folder", [&] { return ListFolder(missing, entries); }, missing,
         "No such file or directory (error 2)", 3},
        {"reading a missing file", [&] { return TReadFile().Open(missing, TReadFile::TSharing::WithWriter); }, missing,
         "No such file or directory (error 2)", 2},
        {"reading a folder", [&] { return TReadFile().Open(sub, TReadFile::TSharing::Exclusive); }, sub,
         "Not a regular file", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.trace);
        const TFileStatus status = row.operation();
        EXPECT_FALSE(status);
        EXPECT_EQ(status.Path(), row.path);
#if defined(_WIN32)
        EXPECT_EQ(status.Code(), row.windowsCode) << status.Message();
#else
        EXPECT_EQ(status.Message(), row.posixMessage);
#endif
    }
    EXPECT_TRUE(RemoveFile(missing)) << "what is not there is gone";
    EXPECT_TRUE(CreateFolder(sub)) << "a folder already there is made";
    EXPECT_TRUE(TFileStatus());
}

}  // namespace
}  // namespace orvo::platform
