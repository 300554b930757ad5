#include "host/sqlite/SqlFunctions.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "host/sqlite/SqlDateTime.h"

namespace orvo::host {
namespace {

// Money is a count of ten-thousandths in 64 bits, as SQL Server's money type.
constexpr uint64_t kMaxMoneyUnits = uint64_t(INT64_MAX);
constexpr int kMaxWholeDigits = 15;  // 922337203685477 is the largest whole amount

std::string_view TextOf(sqlite3_value* value) {
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
    return {bytes ? bytes : "", size_t(sqlite3_value_bytes(value))};
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

void Refuse(sqlite3_context* context, const std::string& message) {
    sqlite3_result_error(context, message.c_str(), int(message.size()));
}

enum class TMoneyRead { Done, NotADecimal, Overflow };

// Reads "[-|+]digits[.digits]" and rounds it to ten-thousandths, half away from zero.
TMoneyRead ReadMoney(std::string_view text, int64_t& units) {
    text = TrimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto isDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!isDigits(whole) || !isDigits(fraction) || whole.size() + fraction.size() == 0) return TMoneyRead::NotADecimal;

    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    if (whole.size() > size_t(kMaxWholeDigits)) return TMoneyRead::Overflow;
    uint64_t magnitude = 0;
    for (char c : whole) magnitude = magnitude * 10 + uint64_t(c - '0');
    for (size_t i = 0; i < 4; ++i) magnitude = magnitude * 10 + (i < fraction.size() ? uint64_t(fraction[i] - '0') : 0);
    if (fraction.size() > 4 && fraction[4] >= '5') ++magnitude;
    if (magnitude > kMaxMoneyUnits + (negative ? 1 : 0)) return TMoneyRead::Overflow;
    units = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return TMoneyRead::Done;
}

// A number or a decimal text as money; refuses what SQL Server's conversion refuses. Nothing
// for NULL, and nothing after a refusal.
std::optional<int64_t> MoneyOf(sqlite3_context* context, sqlite3_value* value) {
    int64_t units = 0;
    TMoneyRead read = TMoneyRead::Done;
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return std::nullopt;
        case SQLITE_INTEGER: {
            const int64_t whole = sqlite3_value_int64(value);
            if (whole > INT64_MAX / 10000 || whole < INT64_MIN / 10000) {
                read = TMoneyRead::Overflow;
            } else {
                units = whole * 10000;
            }
            break;
        }
        case SQLITE_FLOAT: {
            // The shortest text that reads back the same number is the decimal the value was
            // written as (up to 15 digits); rounding that text rounds as SQL Server rounds it.
            const double real = sqlite3_value_double(value);
            char buffer[400];
            const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, real, std::chars_format::fixed);
            read = !std::isfinite(real) || error != std::errc() ? TMoneyRead::Overflow
                                                                : ReadMoney(std::string_view(buffer, end), units);
            break;
        }
        case SQLITE_TEXT:
            read = ReadMoney(TextOf(value), units);
            break;
        default:
            Refuse(context, "Implicit conversion from binary data to money is not allowed.");
            return std::nullopt;
    }
    if (read == TMoneyRead::NotADecimal) {
        Refuse(context, "Cannot convert a char value to money. The char value has incorrect syntax: '" +
                            std::string(TextOf(value)) + "'");
        return std::nullopt;
    }
    if (read == TMoneyRead::Overflow) {
        Refuse(context, "Arithmetic overflow error converting expression to data type money.");
        return std::nullopt;
    }
    return units;
}

void Money(sqlite3_context* context, int, sqlite3_value** args) {
    if (const auto units = MoneyOf(context, args[0])) sqlite3_result_double(context, double(*units) / 10000);
}

// A decimal literal as the double nearest to it, which SQLite's own reading of a long or extreme
// decimal can miss by a unit in the last place. What from_chars cannot read (a number beyond the
// range of a double) is left to SQLite's reading, as the bare literal was.
void Real(sqlite3_context* context, int, sqlite3_value** args) {
    const std::string_view text = TextOf(args[0]);
    double value = 0;
    const std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool exact = read.ec == std::errc() && read.ptr == text.data() + text.size();
    sqlite3_result_double(context, exact ? value : sqlite3_value_double(args[0]));
}

// Style 0 writes money rounded half away from zero to two decimals: "1250.50", "-0.05", "0.00".
void MoneyText(sqlite3_context* context, int, sqlite3_value** args) {
    const auto units = MoneyOf(context, args[0]);
    if (!units) return;
    const bool negative = *units < 0;
    uint64_t magnitude = negative ? 0 - uint64_t(*units) : uint64_t(*units);
    magnitude = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);  // now in hundredths
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%s%llu.%02llu", negative && magnitude ? "-" : "",
                                     (unsigned long long)(magnitude / 100), (unsigned long long)(magnitude % 100));
    sqlite3_result_text(context, text, length, SQLITE_TRANSIENT);
}

// A stored date and time; nothing after a refusal, and nothing for NULL.
std::optional<TDbDateTime> DateTimeOf(sqlite3_context* context, sqlite3_value* value, std::string_view target) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return std::nullopt;
        case SQLITE_TEXT:
            if (auto time = ParseDbDateTime(TextOf(value))) return time;
            Refuse(context, "Conversion failed when converting date and/or time from character string: '" +
                                std::string(TextOf(value)) + "'");
            return std::nullopt;
        default:
            Refuse(context, "Explicit conversion of a value that is not a date and time to " + std::string(target) +
                                " is not allowed.");
            return std::nullopt;
    }
}

void Date(sqlite3_context* context, int, sqlite3_value** args) {
    if (const auto time = DateTimeOf(context, args[0], "date")) {
        const std::string text = FormatDbDate(*time);
        sqlite3_result_text(context, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    }
}

// The style comes from the translation, which allows only 111 and 114.
void DateTimeText(sqlite3_context* context, int, sqlite3_value** args) {
    const auto t = DateTimeOf(context, args[0], "a date style");
    if (!t) return;
    char text[32];
    const int length =
        sqlite3_value_int(args[1]) == 111
            ? std::snprintf(text, sizeof text, "%04d/%02d/%02d", t->Year, t->Month, t->Day)
            : std::snprintf(text, sizeof text, "%02d:%02d:%02d:%03d", t->Hour, t->Minute, t->Second, t->Millisecond);
    sqlite3_result_text(context, text, length, SQLITE_TRANSIENT);
}

struct TNumber {
    bool integer = true;
    int64_t whole = 0;
    double real = 0;
    double AsReal() const { return integer ? double(whole) : real; }
};

// An operand of + as a number. A text beside a number is read as a number of the other
// operand's kind, as SQL Server converts the text to the type of higher precedence; a text
// that is no such number is refused.
bool NumberOf(sqlite3_context* context, sqlite3_value* value, bool integerWanted, TNumber& number) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            number = {true, sqlite3_value_int64(value), 0};
            return true;
        case SQLITE_FLOAT:
            number = {false, 0, sqlite3_value_double(value)};
            return true;
        default:
            break;
    }
    const std::string_view text = TextOf(value);
    const std::string_view trimmed = TrimBlanks(text);
    const char* first = trimmed.data() + (!trimmed.empty() && trimmed.front() == '+' ? 1 : 0);
    const char* last = trimmed.data() + trimmed.size();
    number.integer = integerWanted;
    const std::from_chars_result read =
        integerWanted ? std::from_chars(first, last, number.whole) : std::from_chars(first, last, number.real);
    if (first != last && read.ec == std::errc() && read.ptr == last) return true;
    Refuse(context, "Conversion failed when converting the varchar value '" + std::string(text) + "' to data type " +
                        (integerWanted ? "int" : "float"));
    return false;
}

void Add(sqlite3_context* context, int, sqlite3_value** args) {
    const int left = sqlite3_value_type(args[0]), right = sqlite3_value_type(args[1]);
    if (left == SQLITE_NULL || right == SQLITE_NULL) {
        sqlite3_result_null(context);
    } else if (left == SQLITE_BLOB || right == SQLITE_BLOB) {
        Refuse(context, "Operator + is not defined for binary data");
    } else if (left == SQLITE_TEXT && right == SQLITE_TEXT) {
        const std::string joined = std::string(TextOf(args[0])) + std::string(TextOf(args[1]));
        sqlite3_result_text(context, joined.data(), int(joined.size()), SQLITE_TRANSIENT);
    } else {
        TNumber a, b;
        if (!NumberOf(context, args[0], right != SQLITE_FLOAT, a) ||
            !NumberOf(context, args[1], left != SQLITE_FLOAT, b))
            return;
        int64_t sum = 0;
        if (!a.integer || !b.integer) {
            sqlite3_result_double(context, a.AsReal() + b.AsReal());
        } else if (__builtin_add_overflow(a.whole, b.whole, &sum)) {
            Refuse(context, "Arithmetic overflow error in +");
        } else {
            sqlite3_result_int64(context, sum);
        }
    }
}

struct TFunction {
    const char* name;
    int arguments;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
};
constexpr TFunction kFunctions[] = {
    {"orvo_add", 2, &Add},   {"orvo_money", 1, &Money}, {"orvo_money_text", 1, &MoneyText},
    {"orvo_real", 1, &Real}, {"orvo_date", 1, &Date},   {"orvo_datetime_text", 2, &DateTimeText},
};

}  // namespace

int RegisterSqlFunctions(sqlite3* db) {
    for (const TFunction& f : kFunctions) {
        const int status = sqlite3_create_function_v2(db, f.name, f.arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                                      nullptr, f.function, nullptr, nullptr, nullptr);
        if (status != SQLITE_OK) return status;
    }
    return SQLITE_OK;
}

}  // namespace orvo::host
