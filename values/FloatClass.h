// What a double a host hands over holds, told before anything else touches it. Hosts keep their
// own x87 control word, and Object Pascal programs run with $1332, where an invalid operation
// traps: an ordered compare of a NaN (what "<" and ">" compile to) would end the host's process.
#pragma once
#include <string>

namespace orvo {

enum class TFloatClass { Finite, NaN, PlusInfinity, MinusInfinity };

// Read from the value's bits alone. Out of line and by reference on purpose: a caller then
// hands over the address of the value as the host passed it, and no floating-point load (which
// traps on a signalling NaN) can be moved ahead of the test.
TFloatClass ClassifyFloat(const double& value);

// The shortest text that reads back as value ("45000.25", "1e+300"); "nan", "inf" or "-inf"
// for the rest.
std::string FloatText(const double& value);

}  // namespace orvo
