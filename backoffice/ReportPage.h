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

// Appends the page to out. Every text it shows goes in HTML-escaped, values and money text
// with its regional symbol and separators alike, so neither text typed by a cashier nor the
// workstation's settings can become markup in the viewer. Raises EJsonError for a member that is
// missing or cannot be converted.
void BuildReportPage(std::string& out, const TReportPageInput& input);

// Appends text with "&", "<", ">", double quotes and the control characters (0x00 to 0x1F, 0x7F)
// written as character references: the page holds no byte that cuts a C string or breaks a
// line of its own. NUL becomes U+FFFD, the character a browser shows for it.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// Appends a file path as the address in a double-quoted attribute: "#" and "%" percent-encoded,
// so neither starts a fragment or an escape of the address, then escaped as above. Spaces,
// backslashes and drive letters stay as they are.
void AppendUrlAttribute(std::string& out, std::string_view path);

}  // namespace orvo
