// orvo-host: a stand-in for the suite's Invoicing.exe and BackOffice.exe that loads
// OrvoExtraPayments.ovm and lends it every host service, on a SQLite database.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "OrvoVersion.h"
#include "host/program/Commands.h"
#include "host/program/TextTable.h"

namespace {
namespace fs = std::filesystem;

struct TCommandUsage {
    const char* name;
    const char* usage;
};

// Each command's usage, for --help and after a usage error.
constexpr TCommandUsage kCommands[] = {
    {"demo", "  demo                               a till session and a report, scripted end to end\n"},
    {"pay",
     "  pay --method NAME --due AMOUNT [--tendered AMOUNT | --gratuity AMOUNT]\n"
     "      [--reference TEXT] [--invoice N]  one payment; NAME one of Uber, \"Mr D\", ABSA, Nedbank,\n"
     "                                     \"Other CC\"; amounts point-decimal, whole cents (120.50), N a\n"
     "                                     free invoice number (the next one when left out), both\n"
     "                                     without blanks\n"},
    {"report",
     "  report --range today|this-week|last-week|this-month|last-month\n"
     "  report --from yyyy-mm-dd --to yyyy-mm-dd\n"},
    {"till", "  till                               pay and report with a person at the terminal\n"},
};

constexpr const char* kOptions =
    "usage: orvo-host [--module FILE] [--db FILE] [--out FOLDER] COMMAND [ARGS]   (COMMAND --help: its usage)\n";

// What --help adds to the usage: the options, where things go unless told otherwise, and the
// exit codes.
constexpr const char* kDefaultsAndExitCodes =
    "options:\n"
    "  --out FOLDER    where the database (suite.db) and the report page (report.html) go;\n"
    "                  by default ./out/ in the current folder, made when missing\n"
    "  --db FILE       the database, when not FOLDER/suite.db\n"
    "  --module FILE   the module to load, by default the one built with this program:\n"
    "                  " ORVO_DEFAULT_MODULE "\n"
    "                  it writes its log beside its file\n"
    "  -h, --help      this text;  --version  the module's version record\n"
    "exit codes: 0 done; 1 the module or the session failed; 2 a usage error; 3 no module file, or not\n"
    "a module; 4 the database or the output folder cannot be opened, made or written\n";

void Usage(std::ostream& out, const std::string& command = {}, bool full = false) {
    out << kOptions;
    for (const TCommandUsage& c : kCommands)
        if (command.empty() || command == c.name) out << c.usage;
    if (full) out << kDefaultsAndExitCodes;
}

bool IsCommand(const std::string& name) {
    for (const TCommandUsage& c : kCommands)
        if (name == c.name) return true;
    return false;
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// The module's version record, from the one header the build makes of it.
void Version(std::ostream& out) {
    out << "orvo-host, the reference host of " ORVO_ORIGINAL_FILENAME "\n"
        << "  FileDescription  " ORVO_FILE_DESCRIPTION "\n"
        << "  ProductName      " ORVO_PRODUCT_NAME "\n"
        << "  FileVersion      " ORVO_FILE_VERSION_TEXT "\n"
        << "  ProductVersion   " ORVO_PRODUCT_VERSION_TEXT "\n";
}

// Makes the output folder; false, having said which folder cannot be made and why, when it
// cannot be: the nearest part of the path that exists and is no folder, or the system's reason.
bool MakeOutputFolder(const fs::path& folder, std::ostream& err) {
    std::error_code error, missing;
    if (fs::create_directories(folder, error) || fs::is_directory(folder, missing)) return true;
    fs::path existing = folder;
    while (existing.has_relative_path() && !fs::exists(existing, missing)) existing = existing.parent_path();
    err << "cannot make the output folder " << orvo::host::ShellQuoted(folder) << ": ";
    if (!existing.empty() && fs::exists(existing, missing) && !fs::is_directory(existing, missing))
        err << orvo::host::ShellQuoted(existing) << " is a file, not a folder\n";
    else
        err << (error ? error.message() : "it exists and is no folder") << "\n";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvo::host;
    std::vector<std::string> args(argv + 1, argv + argc);
    THostOptions options;
    options.modulePath = ORVO_DEFAULT_MODULE;
    options.grantedCodes = {"AM019", "AM020"};
    fs::path out = fs::current_path() / "out";
    std::optional<fs::path> database;
    size_t i = 0;
    for (; i < args.size() && args[i].rfind("-", 0) == 0; i += 2) {
        if (IsHelp(args[i])) {
            Usage(std::cout, {}, true);
            return kExitOk;
        }
        if (args[i] == "--version") {
            Version(std::cout);
            return kExitOk;
        }
        if (args[i] != "--module" && args[i] != "--db" && args[i] != "--out") {
            std::cerr << "unknown option " << args[i] << "\n";
            Usage(std::cerr);
            return kExitUsage;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            std::cerr << args[i] << " needs a value\n";
            return kExitUsage;
        }
        if (args[i] == "--module")
            options.modulePath = fs::absolute(args[i + 1]);
        else if (args[i] == "--db")
            database = args[i + 1];
        else
            out = args[i + 1];
    }
    if (i >= args.size()) {
        std::cerr << "no command given\n";
        Usage(std::cerr);
        return kExitUsage;
    }
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + long(i) + 1, args.end());
    if (!IsCommand(command)) {
        std::cerr << "unknown command " << command << "\n";
        Usage(std::cerr);
        return kExitUsage;
    }
    if (rest.size() == 1 && IsHelp(rest[0])) {
        Usage(std::cout, command);
        return kExitOk;
    }
    if ((command == "demo" || command == "till") && !rest.empty()) {
        std::cerr << command << " takes no arguments\n";
        Usage(std::cerr, command);
        return kExitUsage;
    }
    options.databasePath = database.value_or(out / "suite.db");
    options.pageFile = out / "report.html";
    try {
        if (!MakeOutputFolder(out, std::cerr)) return kExitStorage;
        if (!fs::is_regular_file(options.modulePath)) {
            std::cerr << "no module file at " << options.modulePath.string() << "\n";
            return kExitLibrary;
        }
        int result = kExitOk;
        if (command == "demo") {
            options.freshDatabase = true;
            result = RunDemo(options, std::cout);
        } else if (command == "pay") {
            result = RunPay(options, rest, std::cout, std::cerr);
        } else if (command == "report") {
            result = RunReportCommand(options, rest, std::cout, std::cerr);
        } else {
            result = RunTill(options, std::cin, std::cout);
        }
        if (result == kExitUsage) Usage(std::cerr, command);
        return result;
    } catch (const EHostStartError& e) {
        std::cerr << e.what() << "\n";
        return e.kind == EHostStartError::Kind::Library ? kExitLibrary : kExitStorage;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return kExitFailed;
    }
}
