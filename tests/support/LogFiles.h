// Helpers of the log tests: a log identity inside a temporary folder, and reading, writing and
// dating the files the log leaves behind.
#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "module/Log.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {

// A host program in <folder>/host and the module in <folder>/modules (both folders made), on
// computer TILL01.
platform::TProcessIdentity LogIdentity(const std::filesystem::path& folder);
inline platform::TProcessIdentity LogIdentity(const TTempFolder& folder) { return LogIdentity(folder.Path()); }
// "<folder>/modules/BackOffice (TILL01) OrvoExtraPayments.ovm.log"
std::string LivePath(const TTempFolder& folder);
// Settings that skip the waits between open attempts and count them.
TLogSettings CountingSettings(int& waits, uint64_t rotateSize = TLogSettings().RotateSize);
// Writes count lines of pattern with their number, from first on: to log, or as a process of the
// program does, through a log of id that it opens and closes. Counts in acknowledged, if given,
// the lines whose write has returned.
void WriteNumbered(TModuleLog& log, int64_t first, int64_t count, const std::string& pattern = "[Kill] line %",
                   std::atomic<int64_t>* acknowledged = nullptr);
void WriteNumbered(const platform::TProcessIdentity& id, uint64_t rotateSize, int64_t first, int64_t count,
                   const std::string& pattern = "[Kill] line %", std::atomic<int64_t>* acknowledged = nullptr);

std::string ReadWhole(const std::string& path);
void WriteWhole(const std::string& path, const std::string& text);
// The content of a gzip file; fails the test when it is not one.
std::string Gunzip(const std::string& path);
void WriteGzip(const std::string& path, const std::string& text);
// Sets a file's last change (local time).
void SetLastChange(const std::string& path, TDateTime when);

// The lines of a text, split at CR LF (a trailing part without CR LF is a line too).
std::vector<std::string> SplitLines(const std::string& text);
// The messages of the log lines in a text, without time stamp and tag; header lines left out.
std::vector<std::string> Messages(const std::string& text);
// Every message of the live file and its compressed chain, oldest first.
std::vector<std::string> MessagesOfChain(const std::string& livePath);

struct TLineRun {
    int64_t first = -1;  // the first number (-1 when none)
    int64_t next = 0;    // the number after the last, -1 when a line is missing or out of order
    size_t others = 0;   // messages not beginning as pattern does
};
// Checks that the lines of pattern among messages (those beginning as it does) are pattern with
// its "%" replaced by first, first + 1 and so on, each once and in order; from any number when
// first < 0 (the oldest lines may have left a full chain). A strict beginning of the next line,
// torn by a kill and written whole by the next run, is the line in flight and is passed over.
TLineRun EachLineOnce(const std::vector<std::string>& messages, const std::string& pattern = "[Kill] line %",
                      int64_t first = 0);

// Checks the system's message of a failed file operation: the whole text on POSIX (texts and
// codes are glibc's), the code on Windows, whose texts depend on the system's language.
void ExpectSystemMessage(const std::string& message, const std::string& posix, int windowsCode);

}  // namespace orvo::test
