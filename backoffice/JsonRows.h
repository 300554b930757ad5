// Reads a query result: JSON text holding an array of row objects. One pass over the text
// checks the whole grammar and records every member as a view into the text, so reading a
// value costs no allocation. The text must outlive the result.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interfaces/OrvoTypes.h"

namespace orvo {

// What is wrong with the text and where: "JSON: expected ... at offset N".
class EJsonError : public EOrvoError {
public:
    explicit EJsonError(std::string message) : EOrvoError(std::move(message), "EJsonError") {}
};

struct TJsonValue {
    enum class Kind : uint8_t { String, Number, True, False, Null, Array, Object };
    Kind kind = Kind::Null;
    bool escaped = false;  // a string holding backslash escapes
    uint32_t offset = 0;   // where the value starts in the text
    std::string_view raw;  // string contents without the quotes; the literal text of the others

    bool IsNull() const { return kind == Kind::Null; }
    // A number, or a string whose raw text is its text (money text arrives so).
    bool HoldsPlainText() const { return kind == Kind::Number || (kind == Kind::String && !escaped); }
};

struct TJsonMember {
    std::string_view name;  // as written between the quotes; escapes are not expected in names
    TJsonValue value;
};

class TJsonRows {
public:
    // Raises EJsonError when the text is not a JSON array of objects.
    static TJsonRows Parse(std::string_view text);

    size_t RowCount() const { return rowStarts_.size() - 1; }
    // The member called name of row index; null when the row has no such member.
    const TJsonValue* Find(size_t row, std::string_view name) const;
    // The same, trying first the place (counted within the row) where column says the member
    // stood in an earlier row and recording where it stands in this one: rows of a query result
    // list their members in one order, so a reader walking rows finds each member at once.
    const TJsonValue* Find(size_t row, std::string_view name, uint32_t& column) const;

private:
    std::vector<TJsonMember> members_;
    std::vector<uint32_t> rowStarts_{0};  // row i holds members_[rowStarts_[i], rowStarts_[i + 1])
};

// Appends a value as text: strings unescaped (\u into the ANSI code page, "?" where it has no
// character), numbers and true/false as written, null as nothing. Raises EJsonError for an
// array or object.
void AppendJsonText(std::string& out, const TJsonValue& value);
std::string JsonText(const TJsonValue& value);
// A number, or a string holding number text with a decimal point (as money text arrives).
// Raises EJsonError naming the member for anything else.
double JsonNumber(const TJsonValue& value, std::string_view memberName);
// Raises the EJsonError of JsonNumber: the member is not a number.
[[noreturn]] void RaiseNotANumber(const TJsonValue& value, std::string_view memberName);

}  // namespace orvo
