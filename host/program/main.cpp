// orvo-host: a stand-in for the suite's Invoicing.exe and BackOffice.exe that loads
// OrvoExtraPayments.ovm and lends it every host service, on a SQLite database.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "host/program/Commands.h"

namespace {

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

void Usage(std::ostream& out, const std::string& command = {}) {
    out << kOptions;
    for (const TCommandUsage& c : kCommands)
        if (command.empty() || command == c.name) out << c.usage;
}

bool IsCommand(const std::string& name) {
    for (const TCommandUsage& c : kCommands)
        if (name == c.name) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvo::host;
    std::vector<std::string> args(argv + 1, argv + argc);
    THostOptions options;
    options.modulePath = ORVO_DEFAULT_MODULE;
    options.grantedCodes = {"AM019", "AM020"};
    std::filesystem::path out = std::filesystem::current_path() / "out";
    std::optional<std::filesystem::path> database;
    size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
        if (args[i] == "--help") {
            Usage(std::cout);
            return kExitOk;
        }
        if (args[i] != "--module" && args[i] != "--db" && args[i] != "--out") {
            std::cerr << "unknown option " << args[i] << "\n";
            Usage(std::cerr);
            return kExitUsage;
        }
        if (i + 1 >= args.size()) {
            std::cerr << args[i] << " needs a value\n";
            return kExitUsage;
        }
        if (args[i] == "--module")
            options.modulePath = std::filesystem::absolute(args[i + 1]);
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
    if (rest.size() == 1 && rest[0] == "--help") {
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
        std::filesystem::create_directories(out);
        if (!std::filesystem::is_regular_file(options.modulePath)) {
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
        return e.kind == EHostStartError::Kind::Library ? kExitLibrary : kExitDatabase;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return kExitFailed;
    }
}
