// The T-SQL translator: how batches split into statements, what the report's constructs become,
// and that every construct without a rule is refused by name instead of being run as something else.
#include <gtest/gtest.h>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlTranslator.h"

namespace orvo::host::sql {
namespace {

std::string ErrorOf(std::string_view tsql) {
    try {
        TranslateBatch(tsql);
    } catch (const EDatabaseError& e) {
        return e.what();
    }
    return "translated";
}

TEST(SqlTranslation, SplitsAtSemicolonsOutsideTextsAndDropsComments) {
    const auto statements = TranslateBatch(
        "-- leading comment; not a statement\r\n"
        "SELECT 'a;b' AS [x;y] /* a ; comment /* nested */ still */ ;;\r\n"
        "  DELETE [Cashup] WHERE [Name] = 'it''s' ; ");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0], "SELECT 'a;b' AS \"x;y\"");
    EXPECT_EQ(statements[1], "DELETE FROM \"Cashup\" WHERE \"Name\" = 'it''s'");
    EXPECT_TRUE(TranslateBatch(" -- nothing but a comment\r\n;").empty());
}

TEST(SqlTranslation, WritesTheModulesTransactionBatchWithTheDatabasesFunctions) {
    const auto statements = TranslateBatch(
        "INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [PaymentMethod] ) VALUES ( GETDATE(), "
        "'Uber' ); SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID]");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0],
              "INSERT INTO \"ExtraPaymentTransactions\" (\"Timestamp_Created\", \"PaymentMethod\") VALUES "
              "(orvo_getdate(), 'Uber')");
    EXPECT_EQ(statements[1], "SELECT CAST(orvo_scope_identity() AS INTEGER) AS \"ID\"");
}

TEST(SqlTranslation, WritesTheReportsConstructsWithTheDatabasesFunctions) {
    const auto statements = TranslateBatch(
        "SELECT [TotalAmount] = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Amount ),0) as money), 0 ),\r\n"
        "       [Time] = CONVERT( VARCHAR, ET.TImestamp_Created, 114 ),\r\n"
        "       [CashierName] = RTRIM( E.FIRSTNAME ) + RTRIM( ' ' + E.LASTNAME ),\r\n"
        "       [Count] = COUNT (*)\r\n"
        "  FROM ExtraPaymentTransactions ET\r\n"
        " WHERE CAST(ET.Timestamp_Created AS DATE) BETWEEN '2031-02-01' AND '2031-02-03';  \r\n");
    ASSERT_EQ(statements.size(), 1u);
    EXPECT_EQ(statements[0],
              "SELECT orvo_money_text(IFNULL(SUM(\"IP\".\"Amount\"), 0)) AS \"TotalAmount\", "
              "orvo_datetime_text(\"ET\".\"TImestamp_Created\", 114) AS \"Time\", "
              "orvo_add(RTRIM(\"E\".\"FIRSTNAME\"), RTRIM(orvo_add(' ', \"E\".\"LASTNAME\"))) AS \"CashierName\", "
              "COUNT(*) AS \"Count\" FROM \"ExtraPaymentTransactions\" \"ET\" "
              "WHERE orvo_date(\"ET\".\"Timestamp_Created\") BETWEEN '2031-02-01' AND '2031-02-03'");
}

// T-SQL reads +, -, & and | at one level from left to right, after *, / and %; SQLite puts &
// and | below + and -.
TEST(SqlTranslation, OperatorsApplyInTSqlOrder) {
    EXPECT_EQ(TranslateBatch("SELECT 1 + 2 * 3 - 4 + -5")[0], "SELECT orvo_add((orvo_add(1, 2 * 3) - 4), - 5)");
    EXPECT_EQ(TranslateBatch("SELECT 6 & 3 + 1, ( 1 + 2 ) * 3")[0],
              "SELECT orvo_add((6 & 3), 1), (orvo_add(1, 2)) * 3");
    EXPECT_EQ(TranslateBatch("SELECT CASE WHEN [A] + 1 = 2 THEN [B] + [C] ELSE - [D] END + 'x'")[0],
              "SELECT orvo_add(CASE WHEN orvo_add(\"A\", 1) = 2 THEN orvo_add(\"B\", \"C\") ELSE - \"D\" END, 'x')");
}

struct TRefusal {
    const char* name;
    const char* tsql;
    const char* construct;
};

class SqlTranslationRefuses : public ::testing::TestWithParam<TRefusal> {};

TEST_P(SqlTranslationRefuses, NamingTheConstruct) {
    const std::string error = ErrorOf(GetParam().tsql);
    EXPECT_EQ(error.rfind("Cannot translate T-SQL: ", 0), 0u) << error;
    EXPECT_NE(error.find(GetParam().construct), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, SqlTranslationRefuses,
    ::testing::Values(
        TRefusal{"Top", "SELECT TOP 1 [Name] FROM [Cashup]", "T-SQL keyword TOP (at character 8)"},
        TRefusal{"ConvertStyle", "SELECT CONVERT( VARCHAR, GETDATE(), 120 )",
                 "CONVERT( VARCHAR, ..., 120 ) (only styles 0, 111 and 114) (at character 37)"},
        TRefusal{"ConvertType", "SELECT CONVERT( NVARCHAR, GETDATE(), 111 )",
                 "CONVERT( NVARCHAR, ... ) (only to VARCHAR)"},
        TRefusal{"ConvertSized", "SELECT CONVERT( VARCHAR(10), GETDATE(), 111 )", "CONVERT( VARCHAR ( 10 ), ... )"},
        TRefusal{"ConvertNoStyle", "SELECT CONVERT( VARCHAR, GETDATE() )", "CONVERT( ) with other than 3 argument(s)"},
        TRefusal{"ConvertMoneyUnseen", "SELECT CONVERT( VARCHAR, [AFTERDISC], 0 ) FROM [INVOICES]",
                 "CONVERT( VARCHAR, x, 0 ) of other than CAST( ... AS money )"},
        TRefusal{"ConvertBareKeyword", "SELECT CONVERT", "T-SQL keyword CONVERT"},
        TRefusal{"DateAdd", "SELECT DATEADD( day, 1, GETDATE() )", "function DATEADD( )"},
        TRefusal{"PlusAlone", "SELECT 1 +", "operator + without an operand on each side"},
        TRefusal{"DateTextForm", "SELECT 1 WHERE CAST( GETDATE() AS DATE ) BETWEEN '2031-2-1' AND '2031-02-03'",
                 "DATE compared with '2031-2-1' (only with a DATE or 'yyyy-mm-dd' text)"},
        TRefusal{"DateTextNotADay",
                 "SELECT 1 WHERE CAST( GETDATE() AS DATE ) NOT BETWEEN '2031-02-01' AND '2031-02-30'",
                 "DATE compared with '2031-02-30'"},
        TRefusal{"DateWithTime", "SELECT 1 WHERE '2031-02-01 10:00' < CAST( GETDATE() AS DATE )",
                 "DATE compared with '2031-02-01 10:00'"},
        TRefusal{"DateWithColumn", "SELECT 1 FROM [T] WHERE CAST( [A] AS DATE ) = [B]", "DATE compared with [B]"},
        TRefusal{"CaseWithoutEnd", "SELECT CASE WHEN 1 = 1 THEN 2", "CASE without END"},
        TRefusal{"CastVarchar", "SELECT CAST( [Amount] AS VARCHAR(10) ) FROM [InvoicesPayment]",
                 "CAST( ... AS VARCHAR ( 10 ) )"},
        TRefusal{"GetDateArgument", "SELECT GETDATE( 1 )", "GETDATE( ) with other than 0 argument(s)"},
        TRefusal{"MaxOfTwo", "SELECT MAX( 1, 2 )", "MAX( ) with other than 1 argument(s)"},
        TRefusal{"Declare", "DECLARE @Id INT", "statement DECLARE"}, TRefusal{"Go", "GO", "statement GO"},
        TRefusal{"Variable", "SELECT @Id", "variable @Id"},
        TRefusal{"TempTable", "SELECT * FROM #Rows", "temporary table #Rows"},
        TRefusal{"NationalText", "SELECT N'text'", "national text N'...'"},
        TRefusal{"Binary", "SELECT 0x1F", "binary literal 0x..."},
        TRefusal{"TableHint", "SELECT [Name] FROM [Cashup] WITH (NOLOCK)", "T-SQL keyword WITH"},
        TRefusal{"SelectInto", "SELECT [Name] INTO [Copy] FROM [Cashup]", "SELECT ... INTO"},
        TRefusal{"UpdateFrom", "UPDATE [Cashup] SET [Value] = 1 FROM [INVOICES]", "UPDATE ... FROM"},
        TRefusal{"OpenText", "SELECT 'open", "unterminated 'text"},
        TRefusal{"OpenName", "SELECT [open", "unterminated [name"},
        TRefusal{"OpenComment", "SELECT 1 /* open", "unterminated /* comment"},
        TRefusal{"OpenParenthesis", "SELECT ( 1", "parenthesis that is never closed"},
        TRefusal{"Caret", "SELECT 1 ^ 2", "operator ^"}, TRefusal{"OdbcEscape", "SELECT {fn NOW()}", "character '{'"},
        TRefusal{"IfExists", "IF EXISTS ( SELECT 1 ) DELETE [Cashup]", "IF other than IF ( OBJECT_ID"},
        TRefusal{"GuardOtherTable", "IF ( OBJECT_ID( 'A', 'U' ) IS NULL ) CREATE TABLE [B] ( [X] INT )",
                 "OBJECT_ID( 'A' ) guarding CREATE TABLE [B]"},
        TRefusal{"GuardOtherType", "IF ( OBJECT_ID( 'A', 'V' ) IS NULL ) CREATE TABLE [A] ( [X] INT )",
                 "OBJECT_ID( ..., 'V' )"},
        TRefusal{"GuardNotNull", "IF ( OBJECT_ID( 'A', 'U' ) IS NOT NULL ) CREATE TABLE [A] ( [X] INT )",
                 "expected NULL but found NOT"},
        TRefusal{"CreateView", "CREATE VIEW [V] AS SELECT 1", "CREATE VIEW"},
        TRefusal{"NVarchar", "CREATE TABLE [T] ( [X] NVARCHAR(10) )", "column type NVARCHAR"},
        TRefusal{"VarcharMax", "CREATE TABLE [T] ( [X] VARCHAR(MAX) )", "VARCHAR(MAX)"},
        TRefusal{"IdentitySeed", "CREATE TABLE [T] ( [X] INT IDENTITY(0,1) PRIMARY KEY )", "IDENTITY(0,1)"},
        TRefusal{"IdentityWithoutKey", "CREATE TABLE [T] ( [X] INT IDENTITY(1,1) )",
                 "IDENTITY column that is not an INT PRIMARY KEY"},
        TRefusal{"Default", "CREATE TABLE [T] ( [X] INT DEFAULT 0 )", "column option DEFAULT"},
        TRefusal{"TableConstraint", "CREATE TABLE [T] ( [X] INT, PRIMARY KEY ( [X] ) )", "table constraint PRIMARY"},
        TRefusal{"TableOptions", "CREATE TABLE [T] ( [X] INT ) WITH ( DATA_COMPRESSION = PAGE )",
                 "text after CREATE TABLE"}),
    [](const ::testing::TestParamInfo<TRefusal>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::host::sql
