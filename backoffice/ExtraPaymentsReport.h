// The extra payments report for a range of days: two queries through the host's script
// service, one HTML page, handed to the host's viewer.
#pragma once
#include <string>

#include "interfaces/OrvoTypes.h"
#include "module/Services.h"

namespace orvo {

// The host program's resource folder: its own folder followed by "Res" and a separator.
std::string ReportResourceFolder();

// Runs the report for the days from..to (both included) and shows the page. Catches nothing:
// a failure of either query, of reading a result or of the viewer reaches the caller, and no
// page is shown then.
void RunReport(const TServices& services, TDateTime from, TDateTime to);

}  // namespace orvo
