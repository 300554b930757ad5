#include "backoffice/ExtraPaymentsReport.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfHTMLViewer.h"
#include "module/Log.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"
#include "values/Path.h"

namespace orvo {
namespace {

std::string PaddedLines(std::initializer_list<std::string_view> lines) {
    size_t width = 0;
    for (std::string_view line : lines) width = std::max(width, line.size());
    std::string out;
    for (std::string_view line : lines) {
        if (!out.empty()) out += "\r\n";
        out += line;
        out.append(width - line.size(), ' ');
    }
    return out;
}

}  // namespace

// Each transaction counts once, and so do an invoice's payment lines of its method, however many
// transactions of that method settled the invoice: the transactions are taken per method and
// invoice, the invoice's lines per invoice and payment type, before they meet. OverrungInvoices
// thus counts an overrung invoice once per method, as its heading says, and OverrungTotal adds its
// lines once; where an invoice was paid once per method, as the till normally does, both read as
// before.
const std::string& TotalsStatement() {
    static const std::string statement = PaddedLines({
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
        " GROUP BY ET.PaymentMethod",
    });
    return statement;
}

// One row per transaction with its invoice's lines of its method taken together.
const std::string& DetailsStatement() {
    static const std::string statement = PaddedLines({
        "SELECT [TransactionDate] = CONVERT( VARCHAR, ET.Timestamp_Created, 111 ),",
        "       [PaymentType]     = ET.PaymentMethod,",
        "       [TransactionTime] = CONVERT( VARCHAR, ET.TImestamp_Created, 114 ),",
        "       [InvoiceNum]      = ET.InvoiceNum,",
        "       [Reference]       = ISNULL( ET.ReferenceNumber, ''),",
        "       [InvoiceAmount]   = CONVERT( VARCHAR, CAST( I.AFTERDISC as money), 0 ),",
        "       [Amount]          = CONVERT( VARCHAR, CAST( IP.Amount as money), 0 ),",
        "       [Gratuity]        = CONVERT( VARCHAR, CAST( IP.Gratuity as money), 0 ),",
        "       [InvoiceStatus]   = CASE I.STATUS WHEN 0 THEN '' ELSE 'Overrung' END,",
        "       [TransactionID]   = ET.ID,",
        "       [CashierName]     = RTRIM( E.FIRSTNAME ) + RTRIM( ' ' + E.LASTNAME )",
        "  FROM ExtraPaymentTransactions ET",
        "       JOIN INVOICES I ON I.INVOICENUM = ET.InvoiceNum",
        "       LEFT JOIN ( SELECT InvoiceNum, PaymentType, [Amount] = SUM( Amount ), [Gratuity] = SUM( Gratuity )",
        "                     FROM InvoicesPayment",
        "                    GROUP BY InvoiceNum, PaymentType ) IP "
        "ON IP.InvoiceNum = I.INVOICENUM AND IP.PaymentType = ET.PaymentMethod",
        "       LEFT JOIN EMPLOYEE E ON E.EMPNUM = I.CASHIER",
        " WHERE CAST(ET.Timestamp_Created AS DATE) BETWEEN %s AND %s",
        " ORDER BY ET.PaymentMethod, ET.Timestamp_Created;",
    });
    return statement;
}

std::string ReportResourceFolder() {
    std::string folder(FolderOf(platform::ReadProcessIdentity().HostProgramPath));
    folder += "Res";
    folder += platform::kPathSeparator;
    return folder;
}

void RunReport(const TServices& services, TDateTime from, TDateTime to) {
    const std::string fromText = FormatIsoDate(from);
    const std::string toText = FormatIsoDate(to);
    LogInfo("[TfrmExtraPaymentsReports.RunForRange]  Running for range : % -> %", fromText, toText);

    ComPtr<IDBScript> script = services.New<IDBScript>();
    ComPtr<IHTMLViewer> viewer = services.New<IHTMLViewer>();
    Required(script, "Could not create DBScript", {"FExtraPaymentsReports", __LINE__});
    Required(viewer, "Could not create HTML viewer", {"FExtraPaymentsReports", __LINE__});

    const std::string fromLiteral = QuotedSQL(fromText);
    const std::string toLiteral = QuotedSQL(toText);
    const AnsiString totalsText = script->QueryJSON(AnsiString(TotalsStatement()), SQLArgs(fromLiteral, toLiteral));
    const TJsonRows totals = TJsonRows::Parse(totalsText.view());
    const AnsiString detailsText = script->QueryJSON(AnsiString(DetailsStatement()), SQLArgs(fromLiteral, toLiteral));
    const TJsonRows details = TJsonRows::Parse(detailsText.view());

    const std::string resources = ReportResourceFolder();
    std::string page;
    // The page is about two and a half times the size of its data; one reservation avoids regrowth.
    page.reserve(4096 + (totalsText.size() + detailsText.size()) * 5 / 2);
    BuildReportPage(page, {resources, fromText, toText, totals, details, platform::Regional()});
    viewer->ShowHTML(AnsiString(page));
}

}  // namespace orvo
