// What the translated T-SQL gives on SQLite for the constructs the report uses: money and its
// text, dates and their texts, string +, with NULLs and the values SQL Server refuses.
#include <gtest/gtest.h>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/TSqliteDatabase.h"

namespace orvo::host {
namespace {

class SqlValues : public ::testing::Test {
protected:
    void SetUp() override {
        database.SetClock([this] { return clock; });
        database.CreateSuiteTables();
    }
    std::string Json(std::string_view tsql) { return ResultJSON(*database.Run(tsql).lastResult); }
    // The single value of "SELECT [V] = expression", as JSON.
    std::string Value(std::string_view expression) {
        const std::string json = Json("SELECT [V] = " + std::string(expression));
        const std::string head = "[{\"V\":";
        EXPECT_EQ(json.rfind(head, 0), 0u) << json;
        return json.substr(head.size(), json.size() - head.size() - 2);
    }
    std::string MoneyText(std::string_view amount) {
        return Value("CONVERT( VARCHAR, CAST( " + std::string(amount) + " as money), 0 )");
    }
    std::string ErrorOf(std::string_view expression) {
        try {
            database.Run("SELECT [V] = " + std::string(expression));
        } catch (const EDatabaseError& e) {
            return e.what();
        }
        return "no error";
    }

    TDbDateTime clock{2031, 2, 3, 4, 5, 6, 789};
    TSqliteDatabase database{":memory:"};
};

TEST_F(SqlValues, MoneyTextHasTwoDecimalsNoSeparatorsAndASignOnlyWhenNegative) {
    EXPECT_EQ(MoneyText("1250.5"), R"("1250.50")");
    EXPECT_EQ(MoneyText("-0.05"), R"("-0.05")");
    EXPECT_EQ(MoneyText("0"), R"("0.00")");
    EXPECT_EQ(MoneyText("-0.004"), R"("0.00")");
    EXPECT_EQ(MoneyText("1234567890123.45"), R"("1234567890123.45")");
    EXPECT_EQ(MoneyText("922337203685477"), R"("922337203685477.00")");
    EXPECT_EQ(MoneyText("-922337203685477"), R"("-922337203685477.00")");
    EXPECT_EQ(MoneyText("' 12.5 '"), R"("12.50")");
    EXPECT_EQ(MoneyText("NULL"), "null");
}

// Money keeps four decimals, rounded half away from zero from the decimal as written; the text
// rounds those four to two.
TEST_F(SqlValues, MoneyRoundsAtTheFifthDecimalAndItsTextAtTheThird) {
    EXPECT_EQ(MoneyText("1.005"), R"("1.01")");
    EXPECT_EQ(MoneyText("2.675"), R"("2.68")");  // 2.67499999... as a binary number
    EXPECT_EQ(MoneyText("1.0049"), R"("1.00")");
    EXPECT_EQ(MoneyText("-1.005"), R"("-1.01")");
    EXPECT_EQ(MoneyText("0.00495"), R"("0.01")");  // 0.0050 first, as SQL Server rounds twice
    EXPECT_EQ(MoneyText("0.00494"), R"("0.00")");
    EXPECT_EQ(Value("CAST( 1.23455 AS money )"), "1.2346");
    EXPECT_EQ(Value("CAST( -0.00005 AS money )"), "-0.0001");
    EXPECT_EQ(Value("CAST( 0.00004999 AS money )"), "0");
    EXPECT_EQ(Value("CAST( 7 AS money )"), "7");
    EXPECT_EQ(Value("CAST( NULL AS money )"), "null");
}

// Decimals written in full, as a pattern's %f writes a double, read back as that same double,
// also where SQLite's own reading misses it by a unit in the last place.
TEST_F(SqlValues, DecimalsReadAsTheNearestDouble) {
    EXPECT_EQ(Value("-688290352833687" + std::string(58, '0') + ".0"), "-6.88290352833687e+72");
    EXPECT_EQ(Value("0." + std::string(307, '0') + "6953355807835003"), "6.953355807835003e-308");
    EXPECT_EQ(Value("-0." + std::string(86, '0') + "2758204972340916"), "-2.758204972340916e-87");
    EXPECT_EQ(Value("2.5E3"), "2500");
    EXPECT_THROW(Json("SELECT [V] = 1e400"), EDatabaseError);  // beyond a double: infinity, which JSON cannot hold
}

TEST_F(SqlValues, MoneyOfSumsReadsTheColumnsAndAbsorbsTheSumsBinaryNoise) {
    database.Run(
        "INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount], [Gratuity] ) VALUES ( 1, 'Uber', 0.1, "
        "NULL );"
        "INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount], [Gratuity] ) VALUES ( 2, 'Uber', 0.2, "
        "NULL )");
    EXPECT_EQ(Json("SELECT [A] = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Amount ),0) as money), 0 ), "
                   "[G] = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Gratuity ),0) as money), 0 ), "
                   "[None] = CONVERT( VARCHAR, CAST( SUM( IP.Gratuity ) as money), 0 ) FROM InvoicesPayment IP"),
              R"([{"A":"0.30","G":"0.00","None":null}])");
}

TEST_F(SqlValues, MoneyRefusesWhatSqlServerRefuses) {
    EXPECT_NE(
        ErrorOf("CAST( 1e16 AS money )").find("Arithmetic overflow error converting expression to data type money"),
        std::string::npos);
    EXPECT_NE(ErrorOf("CAST( 922337203685478 AS money )").find("Arithmetic overflow"), std::string::npos);
    EXPECT_NE(ErrorOf("CAST( '922337203685477.5808' AS money )").find("Arithmetic overflow"), std::string::npos);
    EXPECT_EQ(Value("CONVERT( VARCHAR, CAST( '-922337203685477.5808' AS money), 0 )"), R"("-922337203685477.58")");
    EXPECT_NE(ErrorOf("CAST( 'R12' AS money )").find("Cannot convert a char value to money"), std::string::npos);
    EXPECT_NE(ErrorOf("CAST( '' AS money )").find("Cannot convert a char value to money"), std::string::npos);
    EXPECT_NE(ErrorOf("CAST( '1.2.3' AS money )").find("Cannot convert a char value to money"), std::string::npos);
}

TEST_F(SqlValues, DatesAndTheirTextsComeFromTheStoredDateAndTime) {
    clock = {2032, 2, 29, 23, 59, 59, 999};
    EXPECT_EQ(Value("CAST( GETDATE() AS DATE )"), R"("2032-02-29")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, GETDATE(), 111 )"), R"("2032/02/29")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, GETDATE(), 114 )"), R"("23:59:59:999")");
    clock = {2031, 1, 5, 0, 0, 0, 7};
    EXPECT_EQ(Value("CONVERT( VARCHAR, GETDATE(), 114 )"), R"("00:00:00:007")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, '2031-02-03', 114 )"), R"("00:00:00:000")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, '2031-02-03T13:14', 114 )"), R"("13:14:00:000")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, '2031-02-03 13:14:15.5', 114 )"), R"("13:14:15:500")");
    EXPECT_EQ(Value("CONVERT( VARCHAR, CAST( '2031-12-31 13:14' AS DATE ), 111 )"), R"("2031/12/31")");
    EXPECT_EQ(Value("CAST( NULL AS DATE )"), "null");
    EXPECT_EQ(Value("CONVERT( VARCHAR, NULL, 111 )"), "null");
    EXPECT_EQ(Value("CONVERT( VARCHAR, NULL, 114 )"), "null");
}

TEST_F(SqlValues, TextsThatAreNoDateAndTimeAreRefused) {
    for (const char* expression : {"CAST( '2031-02-29' AS DATE )", "CAST( '2031-13-01' AS DATE )",
                                   "CAST( '2031-02-03 24:00' AS DATE )", "CAST( '2031-02-03 10:00:00.1234' AS DATE )",
                                   "CONVERT( VARCHAR, 'soon', 111 )", "CONVERT( VARCHAR, '', 114 )"}) {
        EXPECT_NE(ErrorOf(expression).find("Conversion failed when converting date and/or time from character string"),
                  std::string::npos)
            << expression;
    }
    EXPECT_NE(ErrorOf("CAST( 5 AS DATE )").find("Explicit conversion"), std::string::npos);
    EXPECT_NE(ErrorOf("CONVERT( VARCHAR, 2.5, 111 )").find("Explicit conversion"), std::string::npos);
}

TEST_F(SqlValues, ADateComparesWithYearMonthDayTextAsADay) {
    database.Run("CREATE TABLE [Times] ( [ID] INT NOT NULL PRIMARY KEY, [At] DATETIME NULL )");
    int id = 0;
    for (TDbDateTime at : {TDbDateTime{2031, 1, 31, 23, 59, 59, 999}, TDbDateTime{2031, 2, 1, 0, 0, 0, 0},
                           TDbDateTime{2031, 2, 3, 23, 59, 59, 999}, TDbDateTime{2031, 2, 4, 0, 0, 0, 0}}) {
        clock = at;
        database.Run("INSERT INTO [Times] ( [ID], [At] ) VALUES ( " + std::to_string(++id) + ", GETDATE() )");
    }
    database.Run("INSERT INTO [Times] ( [ID], [At] ) VALUES ( 5, NULL )");
    EXPECT_EQ(Json("SELECT [ID] FROM [Times] WHERE CAST([At] AS DATE) BETWEEN '2031-02-01' AND '2031-02-03' "
                   "ORDER BY [ID];"),
              R"([{"ID":2},{"ID":3}])");
    EXPECT_EQ(Json("SELECT [ID] FROM [Times] WHERE CAST([At] AS DATE) NOT BETWEEN '2031-02-01' AND '2031-02-03' "
                   "ORDER BY [ID]"),
              R"([{"ID":1},{"ID":4}])");
    EXPECT_EQ(Json("SELECT [ID] FROM [Times] WHERE '2031-02-03' <= CAST([At] AS DATE) ORDER BY [ID]"),
              R"([{"ID":3},{"ID":4}])");
    EXPECT_EQ(Json("SELECT [ID] FROM [Times] WHERE CAST([At] AS DATE) BETWEEN '2031-02-03' AND '2031-02-01'"), "[]");
}

TEST_F(SqlValues, PlusJoinsTextsAndANullOperandMakesItNull) {
    EXPECT_EQ(Value("'a' + 'b' + 'c'"), R"("abc")");
    EXPECT_EQ(Value("RTRIM( 'Ann  ' ) + RTRIM( ' ' + 'Smith  ' )"), R"("Ann Smith")");
    EXPECT_EQ(Value("RTRIM( 'Ann' ) + RTRIM( ' ' + NULL )"), "null");
    EXPECT_EQ(Value("NULL + 'x'"), "null");
    EXPECT_EQ(Value("'' + ''"), R"("")");
    database.Run(
        "INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( 1, 'Thandi ', 'Mokoena  ' );"
        "INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( 2, 'Sipho', NULL );"
        "INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( 3, NULL, 'Dube' )");
    EXPECT_EQ(Json("SELECT [N] = RTRIM( E.FIRSTNAME ) + RTRIM( ' ' + E.LASTNAME ) FROM EMPLOYEE E ORDER BY E.EMPNUM"),
              R"([{"N":"Thandi Mokoena"},{"N":null},{"N":null}])");
}

TEST_F(SqlValues, PlusAddsNumbersAndReadsATextBesideANumberAsThatNumber) {
    EXPECT_EQ(Value("1 + 2 * 3 - 4 + -5"), "-2");
    EXPECT_EQ(Value("10 - 2 + 3"), "11");
    EXPECT_EQ(Value("6 & 3 + 1"), "3");
    EXPECT_EQ(Value("1.5 + 2"), "3.5");
    EXPECT_EQ(Value("'1' + 2"), "3");
    EXPECT_EQ(Value("' 1.25 ' + 2.0"), "3.25");
    EXPECT_EQ(Value("CASE WHEN 1 + 1 = 2 THEN 'x' + 'y' END"), R"("xy")");
    EXPECT_NE(ErrorOf("'1.5' + 2").find("Conversion failed when converting the varchar value '1.5' to data type int"),
              std::string::npos);
    EXPECT_NE(ErrorOf("'abc' + 2.0").find("to data type float"), std::string::npos);
    EXPECT_NE(ErrorOf("9223372036854775807 + 1").find("Arithmetic overflow"), std::string::npos);
}

TEST_F(SqlValues, CountWithABlankBeforeItsParenthesisAndATrailingSemicolon) {
    database.Run(
        "INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS] ) VALUES ( 1, NULL );"
        "INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS] ) VALUES ( 2, 1 );");
    EXPECT_EQ(Json("SELECT [All] = COUNT (*), [Known] = COUNT (I.STATUS), "
                   "[Overrung] = SUM( CASE ISNULL(I.STATUS, 0 ) WHEN 0 THEN 0 ELSE 1 END ) FROM INVOICES I;"),
              R"([{"All":2,"Known":1,"Overrung":1}])");
}

}  // namespace
}  // namespace orvo::host
