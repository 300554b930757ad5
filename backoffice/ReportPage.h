// The extra payments report as one HTML page, built fragment by fragment in one buffer.
#pragma once
#include <string>
#include <string_view>

#include "backoffice/JsonRows.h"
#include "platform/Platform.h"

namespace orvo {

struct TReportPageInput {
    std::string_view resourceFolder;  // the host program's folder + "Res" + separator
    std::string_view fromText;        // yyyy-mm-dd
    std::string_view toText;
    const TJsonRows& totals;
    const TJsonRows& details;
    const platform::TRegionalSettings& regional;
};

// Appends the page to out. Values go in HTML-escaped, so text typed by a cashier can never
// become markup in the viewer. Raises EJsonError for a member that is missing or cannot be
// converted.
void BuildReportPage(std::string& out, const TReportPageInput& input);

// Appends text with "&", "<", ">" and double quotes written as character references.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// Appends a file path as the address in a double-quoted attribute: "#" and "%" percent-encoded,
// so neither starts a fragment or an escape of the address, then escaped as above. Spaces,
// backslashes and drive letters stay as they are.
void AppendUrlAttribute(std::string& out, std::string_view path);

}  // namespace orvo
