// Filling "%d", "%s" and "%f" from the argument list, as the suite's script service does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlPattern.h"

namespace orvo::host {
namespace {

std::string ErrorOf(std::string_view pattern, const TSQLArgs& args) {
    try {
        FillSQLPattern(pattern, args);
    } catch (const EDatabaseError& e) {
        return e.what();
    }
    return "no error";
}

TEST(SqlPattern, FillsPlaceholdersInOrder) {
    EXPECT_EQ(FillSQLPattern("UPDATE [T] SET [A] = %f, [R] = %s WHERE [ID] = %d AND [N] LIKE 'x%%'",
                             SQLArgs(110.5, "'it''s'", 7)),
              "UPDATE [T] SET [A] = 110.5, [R] = 'it''s' WHERE [ID] = 7 AND [N] LIKE 'x%'");
    EXPECT_EQ(FillSQLPattern("%s", SQLArgs("100% %d")), "100% %d");  // texts are not read again
    EXPECT_EQ(FillSQLPattern("no placeholders", SQLArgs()), "no placeholders");
}

TEST(SqlPattern, FloatsInFixedNotationWithAPointAndEveryDigitNeeded) {
    EXPECT_EQ(FixedDecimal(3), "3.0");
    EXPECT_EQ(FixedDecimal(-0.0001), "-0.0001");
    EXPECT_EQ(FixedDecimal(0.1), "0.1");
    EXPECT_EQ(FixedDecimal(1e-7), "0.0000001");
    EXPECT_EQ(FixedDecimal(1234567.891), "1234567.891");
    EXPECT_EQ(FixedDecimal(1e21), "1000000000000000000000.0");
    EXPECT_EQ(std::stod(FixedDecimal(0.1 + 0.2)), 0.1 + 0.2);
}

TEST(SqlPattern, RefusesArgumentsThatDoNotFitThePlaceholders) {
    EXPECT_NE(ErrorOf("[ID] = %d", SQLArgs("7")).find("argument 1 is a text for %d"), std::string::npos);
    EXPECT_NE(ErrorOf("%s, %f", SQLArgs("'a'", 1)).find("argument 2 is an integer for %f"), std::string::npos);
    EXPECT_NE(ErrorOf("%d and %d", SQLArgs(1)).find("more placeholders than the 1 argument(s)"), std::string::npos);
    EXPECT_NE(ErrorOf("%d", SQLArgs(1, 2)).find("2 arguments for 1 placeholder(s)"), std::string::npos);
    EXPECT_NE(ErrorOf("%x", SQLArgs(1)).find("the placeholder %x"), std::string::npos);
    EXPECT_NE(ErrorOf("50%", SQLArgs()).find("a '%' at the end"), std::string::npos);
    EXPECT_NE(ErrorOf("%f", SQLArgs(std::numeric_limits<double>::infinity())).find("not a finite number"),
              std::string::npos);
    EXPECT_NE(ErrorOf("%f", SQLArgs(std::nan(""))).find("not a finite number"), std::string::npos);
}

}  // namespace
}  // namespace orvo::host
