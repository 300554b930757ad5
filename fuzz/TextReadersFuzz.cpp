// Arbitrary text through every reader of the configuration list's text forms and the amount
// reader of the payment window, under a point and a comma decimal separator: each reader
// returns a value or raises exactly its own error, the strict and try readers agree, amounts
// read as the numbers they are, and every number written reads back within its rounding.
#include <cmath>
#include <limits>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "values/DateTimeText.h"
#include "values/MoneyText.h"
#include "values/NumberText.h"

namespace orvo::fuzz {
namespace {

template <class T, class Read>
void CheckStrict(std::string_view text, const std::optional<T>& read, std::string_view what, Read strict) {
    try {
        const T value = strict();
        Require(read.has_value() && value == *read, "the strict reader agrees with the try reader", text);
    } catch (const EConvertError& e) {
        Require(!read, "the strict reader fails only where the try reader does", text);
        // what() ends at the first NUL of the text, like every C string.
        const std::string expected = "'" + std::string(text) + "' is not a valid " + std::string(what);
        Require(std::string_view(e.what()) == expected.c_str(), "error text", e.what());
    }
}

// The written text reads back, no further from value than rounding to digits significant
// digits or to 18 decimals allows.
void CheckWritten(double value, int digits, char separator) {
    const std::string text = FixedNumberText(value, digits, separator);
    if (!std::isfinite(value)) {
        Require(!TryReadNumber(text, separator), "non-finite values do not read as numbers", text);
        return;
    }
    const size_t at = text.find(separator);
    const bool exponentForm = text.find('E') != std::string::npos;
    Require(exponentForm || (at != std::string::npos && text.size() - at - 1 == 18), "18 decimals", text);
    // Ten digits of the largest doubles round beyond the double range.
    if (digits < 17 && std::fabs(value) > 1.7976931e308) return;
    const auto back = TryReadNumber(text, separator);
    Require(back.has_value(), "written numbers read back", text);
    const double allowed = std::max(std::fabs(value) * std::pow(10.0, 1 - digits), 1e-18);
    Require(std::fabs(*back - value) <= allowed, "read back within rounding", text);
    if (digits >= 17 && std::fabs(value) >= 0.1) Require(*back == value, "18 digits read back exactly", text);
}

void CheckReaders(std::string_view text, const platform::TRegionalSettings& regional) {
    const char separator = regional.DecimalSeparator;
    const auto integer = TryReadInteger(text);
    CheckStrict(text, integer, "integer value", [&] { return ReadIntegerStrict(text); });

    const auto number = TryReadNumber(text, separator);
    Require(!number || std::isfinite(*number), "numbers read are finite", text);
    CheckStrict(text, number, "floating point value", [&] { return ReadNumberStrict(text, separator); });
    if (integer && text.find_first_of("$xX") == std::string_view::npos)
        Require(number && *number == *integer, "decimal integers read as the same number", text);

    // An amount typed by the cashier reads where the number does, within the Currency range,
    // to the nearest ten-thousandth.
    const auto amount = ReadCurrency(text, separator);
    if (amount) {
        Require(number && std::fabs(*number * 1e4 - double(*amount)) <= 0.5 + std::fabs(*number) * 1e-11,
                "an amount is the number to the nearest ten-thousandth", text);
    } else if (number) {
        Require(std::fabs(*number) > 9.2e14, "a number within the Currency range reads as an amount", text);
    }

    const auto boolean = TryReadBoolean(text, separator);
    Require(!number || (boolean && *boolean == (*number != 0)), "numbers read as Booleans", text);
    CheckStrict(text, boolean, "boolean value", [&] { return ReadBooleanStrict(text, separator); });

    const auto dateTime = TryReadDateTime(text, regional, 2026);
    Require(!dateTime || (*dateTime > -693594 && *dateTime < 2958466), "dates within years 1 to 9999", text);
    CheckStrict(text, dateTime, "date and time", [&] { return ReadDateTimeStrict(text, regional, 2026); });

    if (number) {
        CheckWritten(*number, 18, separator);
        CheckWritten(*number, 10, separator);
    }
}

platform::TRegionalSettings Settings(char separator, const char* shortDateFormat, char dateSeparator) {
    platform::TRegionalSettings s;
    s.DecimalSeparator = separator;
    s.ShortDateFormat = shortDateFormat;
    s.DateSeparator = dateSeparator;
    return s;
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    static const platform::TRegionalSettings point = Settings('.', "yyyy/mm/dd", '/');
    static const platform::TRegionalSettings comma = Settings(',', "dd.mm.yyyy", '.');
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReaders(text, point);
    CheckReaders(text, comma);
    // The same bytes as a double: every pattern, subnormals and non-finite values included.
    if (size >= sizeof(double)) {
        const auto value = BytesAs<double>(data);
        for (char separator : {'.', ','}) {
            CheckWritten(value, 18, separator);
            CheckWritten(value, 10, separator);
        }
    }
    return 0;
}
