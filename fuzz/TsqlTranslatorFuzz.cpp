// Any batch through the reference host's T-SQL translator: it yields SQLite statements or
// raises EDatabaseError saying what it cannot translate and where, never anything else.
#include <string>

#include "fuzz/FuzzCheck.h"
#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlTranslator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    const std::string_view tsql(reinterpret_cast<const char*>(data), size);
    try {
        const std::vector<std::string> statements = host::sql::TranslateBatch(tsql);
        for (const std::string& statement : statements)
            Require(!statement.empty(), "translated statements have text", tsql);
    } catch (const host::EDatabaseError& e) {
        const std::string_view message = e.what();
        // what() ends at the first NUL, which the named construct may hold.
        Require(message.starts_with("Cannot translate T-SQL: "), "errors say what cannot be translated", message);
    }
    return 0;
}
