// Folder and file name of paths written with either platform's separators.
#include <gtest/gtest.h>

#include "values/Path.h"

namespace orvo {
namespace {

TEST(Path, FolderAndFileNameWithEitherSeparator) {
    struct TCase {
        const char* path;
        const char* folder;
        const char* name;
    };
    const TCase cases[] = {
        {"C:\\Orvo\\BackOffice.exe", "C:\\Orvo\\", "BackOffice.exe"},
        {"/opt/orvo/OrvoExtraPayments.ovm", "/opt/orvo/", "OrvoExtraPayments.ovm"},
        {"C:\\Orvo/mixed\\x.log", "C:\\Orvo/mixed\\", "x.log"},
        {"Invoicing.exe", "", "Invoicing.exe"},
        {"/srv/", "/srv/", ""},
        {"", "", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
}

}  // namespace
}  // namespace orvo
