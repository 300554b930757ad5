// The script service on SQLite: batches run statement by statement, results as text and JSON,
// the database's clock and identities, and the column limits SQL Server keeps.
#include <gtest/gtest.h>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/TSqliteScript.h"
#include "tests/support/TestSupport.h"

namespace orvo::host {
namespace {

class SqliteScript : public ::testing::Test {
protected:
    void SetUp() override {
        database->SetClock([this] { return clock; });
        database->CreateSuiteTables();
    }
    std::string Json(std::string_view tsql) { return ResultJSON(*database->Run(tsql).lastResult); }
    std::string ErrorOf(std::string_view tsql) {
        try {
            database->Run(tsql);
        } catch (const EDatabaseError& e) {
            return e.what();
        }
        return "no error";
    }

    TDbDateTime clock{2031, 2, 3, 4, 5, 6, 789};
    std::shared_ptr<TSqliteDatabase> database = std::make_shared<TSqliteDatabase>(":memory:");
    ComPtr<IDBScript> script = MakeObject<TSqliteScript>(database);
};

TEST_F(SqliteScript, QueryValueReadsTheNamedColumnOfTheFirstRowOfTheLastResult) {
    database->Run(
        "INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name] ) VALUES ( 5, 1, 'PAYMENT:Uber' );"
        "INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name] ) VALUES ( 6, 1, 'GRATUITY' )");
    EXPECT_EQ(
        script->QueryValue("SELECT 1 AS [A]; SELECT [Name], [Number] FROM [Cashup] ORDER BY [Number] DESC", "name"),
        "GRATUITY");
    EXPECT_EQ(script->QueryValue("SELECT [Name] FROM [Cashup] WHERE [Number] = 99", "Name"), "");
    EXPECT_EQ(script->QueryValue("SELECT [Value] FROM [Cashup]", "Value"), "");  // NULL
    EXPECT_EQ(test::RaisedError([&] { script->QueryValue("SELECT [Name] FROM [Cashup]", "Missing"); }),
              "EDatabaseError: The batch's result has no column Missing");
    EXPECT_EQ(test::RaisedError([&] { script->QueryValue("DELETE FROM [Cashup] WHERE [Number] = 99", "Name"); }),
              "EDatabaseError: The batch returned no rows to read");
}

TEST_F(SqliteScript, ExecSQLFillsThePatternAndCountsTheRowsChanged) {
    database->Run(
        "INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name] ) VALUES ( 5, 2, 'PAYMENT:Uber' );"
        "INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name] ) VALUES ( 5, 2, 'GRATUITY' );"
        "INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name] ) VALUES ( 5, 3, 'PAYMENT:Uber' )");
    const int32_t deleted =
        script->ExecSQL("DELETE FROM [Cashup] WHERE [Number] = %d AND [ShiftNum] = %d AND [Name] = '%s' ",
                        SQLArgs(5, 2, "PAYMENT:Uber"));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(Json("SELECT [ShiftNum], [Name] FROM [Cashup] ORDER BY [ShiftNum], [Name]"),
              R"([{"ShiftNum":2,"Name":"GRATUITY"},{"ShiftNum":3,"Name":"PAYMENT:Uber"}])");
}

TEST_F(SqliteScript, QueryJSONWritesNumbersTextsAndNullsAndEscapesTexts) {
    database->Run("INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( 1, 'Ann \"A\" \\', NULL )");
    database->Run(std::string("INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME] ) VALUES ( 2, 'tab\there\r\nnext") +
                  "\x01\xE9' )");
    database->Run("INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS], [AFTERDISC] ) VALUES ( 9, 0, 110.5 )");
    EXPECT_EQ(script->QueryJSON("SELECT [EMPNUM], [FIRSTNAME], [LASTNAME] FROM [EMPLOYEE] WHERE [EMPNUM] > %d "
                                "ORDER BY [EMPNUM]",
                                SQLArgs(0)),
              "[{\"EMPNUM\":1,\"FIRSTNAME\":\"Ann \\\"A\\\" \\\\\",\"LASTNAME\":null},"
              "{\"EMPNUM\":2,\"FIRSTNAME\":\"tab\\there\\r\\nnext\\u0001\xE9\",\"LASTNAME\":null}]");
    EXPECT_EQ(script->QueryJSON("SELECT [AFTERDISC], [STATUS] FROM [INVOICES]", SQLArgs()),
              R"([{"AFTERDISC":110.5,"STATUS":0}])");
    EXPECT_EQ(script->QueryJSON("SELECT [Small] = 0.0001, [Tiny] = 1e-300, [Whole] = 2.0", SQLArgs()),
              R"([{"Small":0.0001,"Tiny":1e-300,"Whole":2}])");
    EXPECT_EQ(script->QueryJSON("SELECT [INVOICENUM] FROM [INVOICES] WHERE [INVOICENUM] = %d", SQLArgs(1)), "[]");
}

TEST_F(SqliteScript, SelectItemsReadAsAliasEqualsExpression) {
    EXPECT_EQ(Json("SELECT [Whole] = CAST( 7.9 AS INT ), Other = ISNULL( NULL, 'x' ), [Plain] = RTRIM( 'a  ' ), 3"),
              R"([{"Whole":7,"Other":"x","Plain":"a","3":3}])");
    database->Run(
        "INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount] ) VALUES ( 1, 'Uber', 2 );"
        "INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount] ) VALUES ( 2, 'uber', 3 )");
    // SQL Server compares and groups texts regardless of case.
    EXPECT_EQ(Json("SELECT [Count] = COUNT (*), [Total] = SUM( IP.Amount ) FROM InvoicesPayment IP "
                   "WHERE IP.PaymentType = 'UBER' GROUP BY IP.PaymentType"),
              R"([{"Count":2,"Total":5}])");
}

TEST_F(SqliteScript, GetDateIsTheDatabasesClockReadOncePerStatement) {
    int calls = 0;
    database->SetClock([&] { return TDbDateTime{2031, 2, 3, 4, 5, 6, ++calls}; });
    EXPECT_EQ(Json("SELECT [A] = GETDATE(), [B] = GETDATE(); SELECT [C] = GETDATE()"),
              R"([{"C":"2031-02-03 04:05:06.002"}])");
    EXPECT_EQ(Json("SELECT [A] = GETDATE(), [B] = GETDATE()"),
              R"([{"A":"2031-02-03 04:05:06.003","B":"2031-02-03 04:05:06.003"}])");
    database->SetClock({});
    const std::string now = script->QueryValue("SELECT [Now] = GETDATE()", "Now").str();
    EXPECT_EQ(now.size(), 23u) << now;
    EXPECT_EQ(now[10], ' ');
    EXPECT_EQ(now[19], '.');
}

TEST_F(SqliteScript, ScopeIdentityIsTheLastInsertOfTheBatchAndNullInABatchWithout) {
    const char* guarded =
        "IF ( OBJECT_ID( 'Rows', 'U' ) IS NULL ) CREATE TABLE [Rows] ( [ID] INT NOT NULL IDENTITY(1,1) PRIMARY KEY, "
        "[Text] VARCHAR(5) NULL )";
    database->Run(guarded);
    const char* insert = "INSERT INTO [Rows] ( [Text] ) VALUES ( 'a' ); SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID]";
    EXPECT_EQ(script->QueryValue(insert, "ID"), "1");
    EXPECT_EQ(script->QueryValue(insert, "ID"), "2");
    EXPECT_EQ(script->QueryValue("SELECT [ID] = SCOPE_IDENTITY()", "ID"), "");
    database->Run("DELETE FROM [Rows] WHERE [ID] = 2");
    EXPECT_EQ(script->QueryValue(insert, "ID"), "3");  // identities are never used twice
    database->Run(guarded);                            // the table exists: nothing happens
    EXPECT_EQ(Json("SELECT [ID], [Text] FROM [Rows]"), R"([{"ID":1,"Text":"a"},{"ID":3,"Text":"a"}])");
}

TEST_F(SqliteScript, ScopeIdentityIsNotFooledByAnEarlierInsertWithTheSameRowNumber) {
    database->Run("CREATE TABLE [Rows] ( [ID] INT NOT NULL IDENTITY(1,1) PRIMARY KEY, [Text] VARCHAR(5) NULL )");
    // The till's own rows first: an insert elsewhere that leaves row number 1 behind.
    database->Run("INSERT INTO [Cashup] ( [Number], [Name] ) VALUES ( 1, 'x' )");
    EXPECT_EQ(script->QueryValue("INSERT INTO [Rows] ( [Text] ) VALUES ( 'a' ); SELECT [ID] = SCOPE_IDENTITY()", "ID"),
              "1");
}

TEST_F(SqliteScript, ColumnsRefuseWhatSqlServerWouldRefuse) {
    database->Run(
        "CREATE TABLE [Limits] ( [Code] VARCHAR(3) NULL, [Count] INT NULL, [Amount] FLOAT NULL, "
        "[At] DATETIME NULL )");
    database->Run("INSERT INTO [Limits] ( [Code], [Count], [Amount], [At] ) VALUES ( 'abc', '12', 1, GETDATE() )");
    EXPECT_EQ(Json("SELECT [Code], [Count], [Amount], [At] FROM [Limits]"),
              R"([{"Code":"abc","Count":12,"Amount":1,"At":"2031-02-03 04:05:06.789"}])");

    EXPECT_NE(ErrorOf("UPDATE [Limits] SET [Code] = 'abcd'")
                  .find("String or binary data would be truncated in table 'Limits', column 'Code' (VARCHAR(3))"),
              std::string::npos);
    EXPECT_NE(ErrorOf("INSERT INTO [Limits] ( [Code] ) VALUES ( '\x80\x80\x80\x80' )").find("truncated"),
              std::string::npos);  // counted in bytes, as the ANSI text is
    EXPECT_NE(ErrorOf("INSERT INTO [Limits] ( [Count] ) VALUES ( 'many' )").find("not INT"), std::string::npos);
    EXPECT_NE(ErrorOf("INSERT INTO [Limits] ( [Amount] ) VALUES ( 'much' )").find("not FLOAT"), std::string::npos);
    EXPECT_NE(ErrorOf("INSERT INTO [Limits] ( [At] ) VALUES ( 'soon' )").find("not DATETIME"), std::string::npos);
    EXPECT_EQ(Json("SELECT [Code] FROM [Limits]"), R"([{"Code":"abc"}])");
}

TEST_F(SqliteScript, StatementsBeforeAFailingOneStayDoneAndAnUntranslatableBatchRunsNothing) {
    const std::string error =
        ErrorOf("INSERT INTO [Cashup] ( [Number] ) VALUES ( 1 ); INSERT INTO [Missing] ( [Number] ) VALUES ( 2 )");
    EXPECT_NE(error.find("Statement 2 of the batch failed: no such table: Missing"), std::string::npos) << error;
    EXPECT_NE(ErrorOf("INSERT INTO [Cashup] ( [Number] ) VALUES ( 3 ); SELECT TOP 1 [Number] FROM [Cashup]")
                  .find("T-SQL keyword TOP"),
              std::string::npos);
    EXPECT_EQ(Json("SELECT [Number] FROM [Cashup]"), R"([{"Number":1}])");
}

TEST_F(SqliteScript, TheSuiteTablesAreCreatedOnceAndKeepTheirRows) {
    database->Run("INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS], [AFTERDISC], [CASHIER] ) VALUES ( 1, 0, 10, 4 )");
    database->CreateSuiteTables();
    EXPECT_EQ(Json("SELECT [INVOICENUM], [CASHIER] FROM [INVOICES]"), R"([{"INVOICENUM":1,"CASHIER":4}])");
}

TEST(SqliteDatabaseFile, KeepsItsRowsForTheNextConnection) {
    test::TTempFolder folder;
    const std::string path = folder / "suite.db";
    TSqliteDatabase(path).CreateSuiteTables();
    TSqliteDatabase(path).Run("INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME] ) VALUES ( 3, 'Sipho' )");
    EXPECT_EQ(ResultJSON(*TSqliteDatabase(path).Run("SELECT [FIRSTNAME] FROM [EMPLOYEE]").lastResult),
              R"([{"FIRSTNAME":"Sipho"}])");
    EXPECT_THROW(TSqliteDatabase(folder / "no-such-folder/x.db"), EDatabaseError);
}

}  // namespace
}  // namespace orvo::host
