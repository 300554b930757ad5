// Every statement of the module's table against its text written out here. What each statement
// does, with its arguments filled in by their kinds, is proven on the reference host's database by
// the tests of the Parts that send it.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/clsSQLStatements.h"

namespace orvo {
namespace {

struct TExpected {
    TSQL id;
    std::string_view kinds;
    bool padded;  // each line filled out with blanks to the longest
    std::vector<std::string> lines;
};

std::string Joined(const TExpected& e) {
    size_t width = 0;
    for (const std::string& line : e.lines) width = e.padded ? std::max(width, line.size()) : 0;
    std::string text;
    for (const std::string& line : e.lines)
        text += (text.empty() ? "" : "\r\n") + line + std::string(std::max(width, line.size()) - line.size(), ' ');
    return text;
}

// clang-format off
TEST(SQLStatements, EachTextAsSentAndItsArgumentKinds) {
    const TExpected expected[] = {
        {TSQL::AddTransaction, "q", false, {
            "INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [PaymentMethod] ) "
            "VALUES ( GETDATE(), '%s' ); SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID]"}},
        {TSQL::UpdateTransaction, "fQd", false, {
            "UPDATE [ExtraPaymentTransactions] ", "   SET [Amount] = %f, ", "       [ReferenceNumber] = %s ",
            " WHERE [ID] = %d "}},
        {TSQL::SetInvoiceNum, "dd", false, {
            "UPDATE [ExtraPaymentTransactions] ", "   SET [InvoiceNum] = %d ", " WHERE [ID] = %d "}},
        {TSQL::LogToDB, "QQ", false, {  // lines of 43 characters, the last of 50
            "INSERT" + std::string(37, ' '), "  INTO [ExtraPaymentLog]" + std::string(19, ' '),
            "       ( [Timestamp], [Class], [Message] ) ", "VALUES ( GETDATE(), %s, %s )" + std::string(22, ' ')}},
        {TSQL::RemoveCashupEntry, "ddq", false, {
            "DELETE FROM [Cashup] WHERE [Number] = %d AND [ShiftNum] = %d AND [Name] = '%s' "}},
        {TSQL::TransactionTable, "", false, {
            "-- Extra Payments Transaction Table ", "IF ( OBJECT_ID( 'ExtraPaymentTransactions', 'U' ) IS NULL ) ",
            "  CREATE TABLE [ExtraPaymentTransactions] ( ",
            "    [ID]                INT          NOT NULL IDENTITY(1,1) PRIMARY KEY, ",
            "    [Timestamp_Created] DATETIME     NOT NULL, ", "    [InvoiceNum]        INT          NULL, ",
            "    [PaymentMethod]     VARCHAR(50)  NULL, ", "    [ReferenceNumber]   VARCHAR(200) NULL, ",
            "    [Amount]            FLOAT        NULL ", "  ); "}},
        {TSQL::LogTable, "", false, {
            "-- Extra Payments Log Table ", "IF ( OBJECT_ID( 'ExtraPaymentLog', 'U' ) IS NULL ) ",
            "  CREATE TABLE [ExtraPaymentLog] ( ",
            "    [ID]        INT           NOT NULL IDENTITY(1,1) PRIMARY KEY, ",
            "    [Timestamp] DATETIME      NOT NULL , ", "    [Class]     VARCHAR(10)   NOT NULL , ",
            "    [Message]   VARCHAR(1000) NOT NULL ", "  ); "}},
        {TSQL::ReportTotals, "QQ", true, {
            " SELECT [PaymentType]       = ET.PaymentMethod,",
            "        [TotalTransactions] = SUM( ET.Transactions ),",
            "        [Completed]         = SUM( ET.Completed ),",
            "        [TotalAmount]       = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Amount ),0) as money), 0 ),",
            "        [TotalGratuity]     = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Gratuity ),0) as money), 0 ),",
            "        [OverrungInvoices]  = SUM( CASE ISNULL(I.STATUS, 0 ) WHEN 0 THEN 0 ELSE 1 END ),",
            "        [OverrungTotal]     = CONVERT( VARCHAR, CAST(SUM( CASE ISNULL(I.STATUS, 0 ) WHEN 0 THEN 0 ELSE "
            "IP.Amount + IP.Gratuity END ) as money), 0 )",
            "  FROM ( SELECT PaymentMethod, InvoiceNum, [Transactions] = COUNT (*), [Completed] = COUNT (InvoiceNum)",
            "           FROM ExtraPaymentTransactions",
            "          WHERE CAST(Timestamp_Created AS DATE) BETWEEN %s AND %s",
            "          GROUP BY PaymentMethod, InvoiceNum ) ET",
            "       LEFT JOIN INVOICES I ON I.INVOICENUM = ET.InvoiceNum",
            "       LEFT JOIN ( SELECT InvoiceNum, PaymentType, [Amount] = SUM( Amount ), [Gratuity] = SUM( Gratuity )",
            "                     FROM InvoicesPayment",
            "                    GROUP BY InvoiceNum, PaymentType ) IP "
            "ON IP.InvoiceNum = I.INVOICENUM AND IP.PaymentType = ET.PaymentMethod",
            "       LEFT JOIN EMPLOYEE E ON E.EMPNUM = I.CASHIER",
            " GROUP BY ET.PaymentMethod"}},
        {TSQL::ReportDetails, "QQ", true, {
            "SELECT [TransactionDate] = CONVERT( VARCHAR, ET.Timestamp_Created, 111 ),",
            "       [PaymentType]     = ET.PaymentMethod,",
            "       [TransactionTime] = CONVERT( VARCHAR, ET.TImestamp_Created, 114 ),",
            "       [InvoiceNum]      = ET.InvoiceNum,", "       [Reference]       = ISNULL( ET.ReferenceNumber, ''),",
            "       [InvoiceAmount]   = CONVERT( VARCHAR, CAST( I.AFTERDISC as money), 0 ),",
            "       [Amount]          = CONVERT( VARCHAR, CAST( IP.Amount as money), 0 ),",
            "       [Gratuity]        = CONVERT( VARCHAR, CAST( IP.Gratuity as money), 0 ),",
            "       [InvoiceStatus]   = CASE I.STATUS WHEN 0 THEN '' ELSE 'Overrung' END,",
            "       [TransactionID]   = ET.ID,",
            "       [CashierName]     = RTRIM( E.FIRSTNAME ) + RTRIM( ' ' + E.LASTNAME )",
            "  FROM ExtraPaymentTransactions ET", "       JOIN INVOICES I ON I.INVOICENUM = ET.InvoiceNum",
            "       LEFT JOIN ( SELECT InvoiceNum, PaymentType, [Amount] = SUM( Amount ), [Gratuity] = SUM( Gratuity )",
            "                     FROM InvoicesPayment",
            "                    GROUP BY InvoiceNum, PaymentType ) IP "
            "ON IP.InvoiceNum = I.INVOICENUM AND IP.PaymentType = ET.PaymentMethod",
            "       LEFT JOIN EMPLOYEE E ON E.EMPNUM = I.CASHIER",
            " WHERE CAST(ET.Timestamp_Created AS DATE) BETWEEN %s AND %s",
            " ORDER BY ET.PaymentMethod, ET.Timestamp_Created;"}},
    };
    ASSERT_EQ(std::size(kSQLStatements), std::size(expected));
    for (const TExpected& e : expected) {
        const TSQLStatement& statement = kSQLStatements[size_t(e.id)];
        EXPECT_EQ(SQLText(e.id), Joined(e)) << statement.name;
        EXPECT_EQ(statement.kinds, e.kinds) << statement.name;
    }
}
// clang-format on

}  // namespace
}  // namespace orvo
