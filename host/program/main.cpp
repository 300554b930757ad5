// orvo-host: a stand-in for the suite's Invoicing.exe and BackOffice.exe that loads
// OrvoExtraPayments.ovm and lends it every host service, on a SQLite database.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "host/program/Commands.h"

namespace {

void Usage(std::ostream& out) {
    out << "usage: orvo-host [--module FILE] [--db FILE] [--out FOLDER] COMMAND [ARGS]\n"
           "  demo                               a till session and a report, scripted end to end\n"
           "  pay --method NAME --due AMOUNT [--tendered AMOUNT | --gratuity AMOUNT]\n"
           "      [--reference TEXT] [--invoice N]  one payment\n"
           "  report --range today|this-week|last-week|this-month|last-month\n"
           "  report --from yyyy-mm-dd --to yyyy-mm-dd\n"
           "  till                               pay and report with a person at the terminal\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvo::host;
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path out = [&] {
        for (size_t i = 0; i + 1 < args.size(); ++i)
            if (args[i] == "--out") return std::filesystem::path(args[i + 1]);
        return std::filesystem::current_path() / "out";
    }();
    THostOptions options;
    options.modulePath = ORVO_DEFAULT_MODULE;
    options.databasePath = out / "suite.db";
    options.pageFile = out / "report.html";
    options.grantedCodes = {"AM019", "AM020"};
    size_t i = 0;
    for (; i + 1 < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
        if (args[i] == "--module")
            options.modulePath = std::filesystem::absolute(args[i + 1]);
        else if (args[i] == "--db")
            options.databasePath = args[i + 1];
        else if (args[i] != "--out") {
            std::cerr << "unknown option " << args[i] << "\n";
            Usage(std::cerr);
            return kExitUsage;
        }
    }
    if (i >= args.size()) {
        Usage(std::cerr);
        return kExitUsage;
    }
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + long(i) + 1, args.end());
    try {
        std::filesystem::create_directories(out);
        if (!std::filesystem::is_regular_file(options.modulePath)) {
            std::cerr << "no module file at " << options.modulePath.string() << "\n";
            return kExitLibrary;
        }
        if (command == "demo") {
            options.freshDatabase = true;
            return RunDemo(options, std::cout);
        }
        if (command == "pay") return RunPay(options, rest, std::cout);
        if (command == "report") return RunReportCommand(options, rest, std::cout);
        if (command == "till") return RunTill(options, std::cin, std::cout);
        std::cerr << "unknown command " << command << "\n";
        Usage(std::cerr);
        return kExitUsage;
    } catch (const EHostStartError& e) {
        std::cerr << e.what() << "\n";
        return e.kind == EHostStartError::Kind::Library ? kExitLibrary : kExitDatabase;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return kExitFailed;
    }
}
