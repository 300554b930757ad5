// The T-SQL translator: how batches split into statements, and that every construct without a
// rule is refused by name instead of being run as something else.
#include <gtest/gtest.h>

#include "SqlError.h"
#include "SqlTranslator.h"

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
        TRefusal{"Convert", "SELECT CONVERT( VARCHAR, GETDATE(), 111 )", "T-SQL keyword CONVERT( )"},
        TRefusal{"DateAdd", "SELECT DATEADD( day, 1, GETDATE() )", "function DATEADD( )"},
        TRefusal{"Plus", "SELECT [FIRSTNAME] + ' ' + [LASTNAME] FROM [EMPLOYEE]", "operator +"},
        TRefusal{"CastMoney", "SELECT CAST( [AFTERDISC] AS money ) FROM [INVOICES]", "CAST( ... AS MONEY )"},
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
