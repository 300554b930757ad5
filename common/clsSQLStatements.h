// Every statement the module hands the host's database, once: its name, its text exactly as it
// is sent and its arguments' kinds; and the one way to fill a statement in by those kinds, as
// SQLite's own formatter does with %Q, %q, %d and %f.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "interfaces/intfDBScript.h"

namespace orvo {

// How an argument goes into its placeholder; the letters are SQLite's.
enum class TSQLKind : char {
    Quoted = 'Q',    // a bare "%s": the text between single quotes, its own single quotes doubled
    InQuotes = 'q',  // a "%s" between quotes the pattern writes: the text as it is, its single
                     // quotes doubled so that it cannot end them (no fixed name holds one)
    Integer = 'd',   // "%d"
    Float = 'f',     // "%f"
};

enum class TSQL {
    AddTransaction,
    UpdateTransaction,
    SetInvoiceNum,
    LogToDB,
    RemoveCashupEntry,
    TransactionTable,
    LogTable,
    ReportTotals,
    ReportDetails,
};

struct TSQLStatement {
    TSQL id;
    std::string_view name;
    std::string_view kinds;  // a TSQLKind letter per argument, in order
    bool padded;             // each line filled out with blanks to the width of the longest
    std::string_view text;   // the lines joined by CR LF
};

// In the order of TSQL.
inline constexpr TSQLStatement kSQLStatements[] = {
    {TSQL::AddTransaction, "AddTransaction", "q", false,
     "INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [PaymentMethod] ) VALUES ( GETDATE(), '%s' ); "
     "SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID]"},
    {TSQL::UpdateTransaction, "UpdateTransaction", "fQd", false,
     "UPDATE [ExtraPaymentTransactions] \r\n"
     "   SET [Amount] = %f, \r\n"
     "       [ReferenceNumber] = %s \r\n"
     " WHERE [ID] = %d "},
    {TSQL::SetInvoiceNum, "SetInvoiceNum", "dd", false,
     "UPDATE [ExtraPaymentTransactions] \r\n"
     "   SET [InvoiceNum] = %d \r\n"
     " WHERE [ID] = %d "},
    // Its lines padded to 43 characters, the last to 50.
    {TSQL::LogToDB, "LogToDB", "QQ", false,
     "INSERT                                     \r\n"
     "  INTO [ExtraPaymentLog]                   \r\n"
     "       ( [Timestamp], [Class], [Message] ) \r\n"
     "VALUES ( GETDATE(), %s, %s )                      "},
    // By the cash-up name, not by "GRATUITY": the gratuity row carries the payment's name.
    {TSQL::RemoveCashupEntry, "RemoveCashupEntry", "ddq", false,
     "DELETE FROM [Cashup] WHERE [Number] = %d AND [ShiftNum] = %d AND [Name] = '%s' "},
    // The two scripts of the schema each create their table only when no user table of that name
    // exists, so applying them again changes nothing.
    {TSQL::TransactionTable, "TransactionTable", "", false,
     "-- Extra Payments Transaction Table \r\n"
     "IF ( OBJECT_ID( 'ExtraPaymentTransactions', 'U' ) IS NULL ) \r\n"
     "  CREATE TABLE [ExtraPaymentTransactions] ( \r\n"
     "    [ID]                INT          NOT NULL IDENTITY(1,1) PRIMARY KEY, \r\n"
     "    [Timestamp_Created] DATETIME     NOT NULL, \r\n"
     "    [InvoiceNum]        INT          NULL, \r\n"
     "    [PaymentMethod]     VARCHAR(50)  NULL, \r\n"
     "    [ReferenceNumber]   VARCHAR(200) NULL, \r\n"
     "    [Amount]            FLOAT        NULL \r\n"
     "  ); "},
    {TSQL::LogTable, "LogTable", "", false,
     "-- Extra Payments Log Table \r\n"
     "IF ( OBJECT_ID( 'ExtraPaymentLog', 'U' ) IS NULL ) \r\n"
     "  CREATE TABLE [ExtraPaymentLog] ( \r\n"
     "    [ID]        INT           NOT NULL IDENTITY(1,1) PRIMARY KEY, \r\n"
     "    [Timestamp] DATETIME      NOT NULL , \r\n"
     "    [Class]     VARCHAR(10)   NOT NULL , \r\n"
     "    [Message]   VARCHAR(1000) NOT NULL \r\n"
     "  ); "},
    // Each transaction counts once, and so do an invoice's payment lines of its method, however
    // many transactions of that method settled the invoice: the transactions are taken per method
    // and invoice, the invoice's lines per invoice and payment type, before they meet.
    // OverrungInvoices thus counts an overrung invoice once per method, as its heading says, and
    // OverrungTotal adds its lines once; where an invoice was paid once per method, as the till
    // normally does, both read as before.
    {TSQL::ReportTotals, "ReportTotals", "QQ", true,
     " SELECT [PaymentType]       = ET.PaymentMethod,\r\n"
     "        [TotalTransactions] = SUM( ET.Transactions ),\r\n"
     "        [Completed]         = SUM( ET.Completed ),\r\n"
     "        [TotalAmount]       = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Amount ),0) as money), 0 ),\r\n"
     "        [TotalGratuity]     = CONVERT( VARCHAR, CAST( ISNULL(SUM( IP.Gratuity ),0) as money), 0 ),\r\n"
     "        [OverrungInvoices]  = SUM( CASE ISNULL(I.STATUS, 0 ) WHEN 0 THEN 0 ELSE 1 END ),\r\n"
     "        [OverrungTotal]     = CONVERT( VARCHAR, CAST(SUM( CASE ISNULL(I.STATUS, 0 ) WHEN 0 THEN 0 ELSE "
     "IP.Amount + IP.Gratuity END ) as money), 0 )\r\n"
     "  FROM ( SELECT PaymentMethod, InvoiceNum, [Transactions] = COUNT (*), [Completed] = COUNT (InvoiceNum)\r\n"
     "           FROM ExtraPaymentTransactions\r\n"
     "          WHERE CAST(Timestamp_Created AS DATE) BETWEEN %s AND %s\r\n"
     "          GROUP BY PaymentMethod, InvoiceNum ) ET\r\n"
     "       LEFT JOIN INVOICES I ON I.INVOICENUM = ET.InvoiceNum\r\n"
     "       LEFT JOIN ( SELECT InvoiceNum, PaymentType, [Amount] = SUM( Amount ), [Gratuity] = SUM( Gratuity )\r\n"
     "                     FROM InvoicesPayment\r\n"
     "                    GROUP BY InvoiceNum, PaymentType ) IP "
     "ON IP.InvoiceNum = I.INVOICENUM AND IP.PaymentType = ET.PaymentMethod\r\n"
     "       LEFT JOIN EMPLOYEE E ON E.EMPNUM = I.CASHIER\r\n"
     " GROUP BY ET.PaymentMethod"},
    // One row per transaction with its invoice's lines of its method taken together.
    {TSQL::ReportDetails, "ReportDetails", "QQ", true,
     "SELECT [TransactionDate] = CONVERT( VARCHAR, ET.Timestamp_Created, 111 ),\r\n"
     "       [PaymentType]     = ET.PaymentMethod,\r\n"
     "       [TransactionTime] = CONVERT( VARCHAR, ET.TImestamp_Created, 114 ),\r\n"
     "       [InvoiceNum]      = ET.InvoiceNum,\r\n"
     "       [Reference]       = ISNULL( ET.ReferenceNumber, ''),\r\n"
     "       [InvoiceAmount]   = CONVERT( VARCHAR, CAST( I.AFTERDISC as money), 0 ),\r\n"
     "       [Amount]          = CONVERT( VARCHAR, CAST( IP.Amount as money), 0 ),\r\n"
     "       [Gratuity]        = CONVERT( VARCHAR, CAST( IP.Gratuity as money), 0 ),\r\n"
     "       [InvoiceStatus]   = CASE I.STATUS WHEN 0 THEN '' ELSE 'Overrung' END,\r\n"
     "       [TransactionID]   = ET.ID,\r\n"
     "       [CashierName]     = RTRIM( E.FIRSTNAME ) + RTRIM( ' ' + E.LASTNAME )\r\n"
     "  FROM ExtraPaymentTransactions ET\r\n"
     "       JOIN INVOICES I ON I.INVOICENUM = ET.InvoiceNum\r\n"
     "       LEFT JOIN ( SELECT InvoiceNum, PaymentType, [Amount] = SUM( Amount ), [Gratuity] = SUM( Gratuity )\r\n"
     "                     FROM InvoicesPayment\r\n"
     "                    GROUP BY InvoiceNum, PaymentType ) IP "
     "ON IP.InvoiceNum = I.INVOICENUM AND IP.PaymentType = ET.PaymentMethod\r\n"
     "       LEFT JOIN EMPLOYEE E ON E.EMPNUM = I.CASHIER\r\n"
     " WHERE CAST(ET.Timestamp_Created AS DATE) BETWEEN %s AND %s\r\n"
     " ORDER BY ET.PaymentMethod, ET.Timestamp_Created;"},
};

// The statement's text as it is sent, its padding done.
const std::string& SQLText(TSQL id);

namespace sql_detail {

template <class T>
constexpr bool Fits(char kind) {
    if constexpr (std::is_same_v<T, int32_t>) return kind == 'd';
    if constexpr (std::is_same_v<T, double>) return kind == 'f';
    if constexpr (std::is_convertible_v<const T&, std::string_view> || std::is_same_v<T, AnsiString>)
        return kind == 'Q' || kind == 'q';
    return false;
}
template <class Text>
std::string_view ViewOf(const Text& text) {
    if constexpr (std::is_same_v<Text, AnsiString>) {
        return text.view();
    } else {
        return std::string_view(text);
    }
}
// The text as its kind puts it in.
std::string Prepared(TSQLKind kind, std::string_view text);

}  // namespace sql_detail

// A statement with its arguments made ready by their kinds: what the host's script service is
// handed. It holds the texts its arguments point into, so it stays where it was made.
template <TSQL Id>
class TSQLCall {
    static constexpr const TSQLStatement& kStatement = kSQLStatements[size_t(Id)];
    static constexpr size_t kCount = kStatement.kinds.size();

public:
    template <class... Args>
    explicit TSQLCall(const Args&... args) {
        static_assert(kStatement.id == Id, "kSQLStatements is in the order of TSQL");
        static_assert(sizeof...(Args) == kCount, "one argument per kind of the statement");
        Put(std::index_sequence_for<Args...>(), args...);
    }
    TSQLCall(const TSQLCall&) = delete;
    TSQLCall& operator=(const TSQLCall&) = delete;

    int32_t Exec(IDBScript& script) const { return script.ExecSQL(AnsiString(SQLText(Id)), Args()); }
    AnsiString QueryJSON(IDBScript& script) const { return script.QueryJSON(AnsiString(SQLText(Id)), Args()); }
    // The batch filled in here, as the service fills a pattern, and run whole.
    AnsiString QueryValue(IDBScript& script, const char* column) const {
        static_assert(kStatement.kinds.find('f') == std::string_view::npos, "no float in a batch filled here");
        std::string batch(SQLText(Id));
        size_t at = 0;
        for (size_t i = 0; i < kCount; ++i) {
            at = batch.find('%', at);
            const std::string value = kinds(i) == 'd' ? std::to_string(items_[i].Integer) : texts_[i];
            batch.replace(at, 2, value);
            at += value.size();
        }
        return script.QueryValue(AnsiString(batch), column);
    }

private:
    static constexpr char kinds(size_t i) { return kStatement.kinds[i]; }
    TSQLArgs Args() const { return TSQLArgs{items_.data(), int32_t(kCount)}; }

    template <size_t... I, class... Args>
    void Put(std::index_sequence<I...>, const Args&... args) {
        static_assert((sql_detail::Fits<Args>(kinds(I)) && ...), "an argument of another kind than the statement's");
        (Put(I, args), ...);
    }
    void Put(size_t i, int32_t value) { items_[i] = SQLArg(value); }
    void Put(size_t i, double value) { items_[i] = SQLArg(value); }
    template <class Text>
    void Put(size_t i, const Text& text) {
        texts_[i] = sql_detail::Prepared(TSQLKind(kinds(i)), sql_detail::ViewOf(text));
        items_[i] = SQLArg(texts_[i]);
    }

    std::array<std::string, kCount> texts_;
    std::array<TSQLArg, kCount ? kCount : 1> items_{};
};

}  // namespace orvo
