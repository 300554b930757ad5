#include "backoffice/ExtraPaymentsReport.h"

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "common/clsSQLStatements.h"
#include "interfaces/intfHTMLViewer.h"
#include "module/Log.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"
#include "values/Path.h"

namespace orvo {

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

    const AnsiString totalsText = TSQLCall<TSQL::ReportTotals>(fromText, toText).QueryJSON(*script);
    const TJsonRows totals = TJsonRows::Parse(totalsText.view());
    const AnsiString detailsText = TSQLCall<TSQL::ReportDetails>(fromText, toText).QueryJSON(*script);
    const TJsonRows details = TJsonRows::Parse(detailsText.view());

    const std::string resources = ReportResourceFolder();
    std::string page;
    // The page is about two and a half times the size of its data; one reservation avoids regrowth.
    page.reserve(4096 + (totalsText.size() + detailsText.size()) * 5 / 2);
    BuildReportPage(page, {resources, fromText, toText, totals, details, platform::Regional()});
    viewer->ShowHTML(AnsiString(page));
}

}  // namespace orvo
