// The reference host's commands.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "host/program/HostSession.h"

namespace orvo::host {

// Exit codes that say what went wrong; --help lists them.
enum TExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,   // the module or the session reported an error
    kExitUsage = 2,    // unknown command, option, method or range, or a malformed value
    kExitLibrary = 3,  // the module file is missing or is not a module
    kExitStorage = 4,  // the database or the output folder cannot be opened, made or written
};

// A till session and a back-office report, scripted end to end, with an account of each step.
int RunDemo(const THostOptions& options, std::ostream& out);
// One payment: method, amount due, and tendered or gratuity, reference, invoice. Every argument
// is checked before the window opens; what is wrong goes to err.
int RunPay(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// One report: a named range or two dates.
int RunReportCommand(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err);
// The same services with a person at the terminal.
int RunTill(const THostOptions& options, std::istream& in, std::ostream& out);

}  // namespace orvo::host
