// Fills a statement pattern from its argument list, as the suite's script service does.
#pragma once
#include <string>
#include <string_view>

#include "interfaces/intfDBScript.h"

namespace orvo::host {

// "%d" takes an integer argument in decimal, "%s" a text unchanged, "%f" a floating-point
// value in fixed notation with a decimal point and as many digits as it needs to read back
// the same; "%%" is one "%". Arguments are taken in order. Raises EDatabaseError for another
// placeholder, an argument of the wrong kind, a value SQL cannot write (infinity, NaN), or
// more or fewer arguments than placeholders.
std::string FillSQLPattern(std::string_view pattern, const TSQLArgs& args);

// A floating-point value as "%f" writes it: "12.5", "3.0", "-0.0001".
std::string FixedDecimal(double value);

}  // namespace orvo::host
