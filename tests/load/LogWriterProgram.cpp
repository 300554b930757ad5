// A program the kill tests start under the kill shim (KillShim.c), so that it can be killed at any
// call of the log's:
//   orvo_log_writer <folder> write <first> <count> <rotate size>   writes "[Kill] line <n>" from
//                                                                   first on, as a till's log does
//   orvo_log_writer <folder> archive                                archives the old logs, as a
//                                                                   program leaving does
#include <string>

#include "module/LogArchive.h"
#include "platform/DateTime.h"
#include "tests/support/LogFiles.h"

int main(int argc, char** argv) {
    using namespace orvo;
    if (argc < 3) return 2;
    const platform::TProcessIdentity id = test::LogIdentity(std::filesystem::path(argv[1]));
    if (std::string(argv[2]) == "archive")
        return ArchiveOldLogs(LogFolder(id), id.HostProgramPath, platform::Now()).empty() ? 0 : 1;
    if (argc < 6) return 2;
    test::WriteNumbered(id, std::stoull(argv[5]), std::stoll(argv[3]), std::stoll(argv[4]));
    return 0;
}
