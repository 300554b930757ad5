#include "common/clsStringConfigList.h"

#include <algorithm>
#include <string>

#include "platform/DateTime.h"
#include "platform/Platform.h"
#include "values/DateTimeText.h"
#include "values/NumberText.h"

namespace orvo {
namespace {

// Setters keep a double's full precision; add operations write the shorter form.
constexpr int kSetterDigits = 18;
constexpr int kAddDigits = 10;

[[noreturn]] void RaiseIndexError(int32_t index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

char DecimalSeparator() { return platform::Regional().DecimalSeparator; }

std::string_view NamePart(std::string_view line) {
    const size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

// The text after the first "="; empty for a line without one.
std::string_view ValuePart(std::string_view line) {
    const size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

AnsiString Pair(std::string_view name, std::string_view value) {
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name).append("=").append(value);
    return AnsiString(line);
}

std::string FixedText(double value, int significantDigits) {
    return FixedNumberText(value, significantDigits, DecimalSeparator());
}

// Lines holding a space or a control character, the quote or the delimiter are quoted.
bool NeedsQuotes(std::string_view line, char delimiter) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == delimiter) return true;
    }
    return false;
}

void AppendQuoted(std::string& out, std::string_view line) {
    out += '"';
    for (char c : line) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

const TConfigLines::TEntry& TConfigLines::At(int32_t index) const {
    if (index < 0 || index >= Count()) RaiseIndexError(index);
    return entries_[size_t(index)];
}

TConfigLines::TEntry& TConfigLines::At(int32_t index) {
    return const_cast<TEntry&>(static_cast<const TConfigLines&>(*this).At(index));
}

int32_t TConfigLines::Append(AnsiString line, IInterface* object) {
    entries_.push_back({std::move(line), ComPtr<IInterface>::AddRefOf(object)});
    return Count() - 1;
}

// The object is released only once its line is gone: releasing it runs the host's code, which
// may call back into the list.
void TConfigLines::Delete(int32_t index) {
    ComPtr<IInterface> object = std::move(At(index).Object);  // raises for an index outside the lines
    entries_.erase(entries_.begin() + index);
}

void TConfigLines::Clear() {
    std::vector<TEntry> gone = std::move(entries_);
    entries_.clear();
}

int32_t TStringConfigList::IndexOfName(std::string_view name) const {
    const auto& entries = lines_.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string_view line = entries[i].Line.view();
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && platform::SameTextLocale(line.substr(0, eq), name)) return int32_t(i);
    }
    return -1;
}

int32_t TStringConfigList::IndexOfLine(std::string_view text) const {
    const auto& entries = lines_.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (platform::SameTextLocale(entries[i].Line.view(), text)) return int32_t(i);
    }
    return -1;
}

std::string_view TStringConfigList::ValueOfName(std::string_view name) const {
    const int32_t index = IndexOfName(name);
    return index < 0 ? std::string_view() : ValuePart(lines_.At(index).Line.view());
}

ComPtr<IStringConfigList> TStringConfigList::NewReference() { return ComPtr<IStringConfigList>::AddRefOf(this); }

AnsiString TStringConfigList::GetFirst() { return GetCount() == 0 ? AnsiString() : lines_.At(0).Line; }

AnsiString TStringConfigList::GetLast() { return GetCount() == 0 ? AnsiString() : lines_.At(GetCount() - 1).Line; }

bool TStringConfigList::GetBoolean(const AnsiString& name) {
    return TryReadBoolean(ValueOfName(name), DecimalSeparator()).value_or(false);
}

double TStringConfigList::GetDateTime(const AnsiString& name) { return GetFloat(name); }

double TStringConfigList::GetFloat(const AnsiString& name) {
    return TryReadNumber(ValueOfName(name), DecimalSeparator()).value_or(0.0);
}

int32_t TStringConfigList::GetInteger(const AnsiString& name) { return TryReadInteger(ValueOfName(name)).value_or(0); }

ComPtr<IInterface> TStringConfigList::GetObject(const AnsiString& text) {
    const int32_t index = IndexOfLine(text);
    if (index < 0) RaiseIndexError(-1);
    return lines_.At(index).Object;
}

AnsiString TStringConfigList::GetString(const AnsiString& name) {
    // Counted from the length of the name asked for, which is the name part's length whenever
    // the two compare equal letter for letter.
    const int32_t index = IndexOfName(name);
    if (index < 0) return {};
    const std::string_view line = lines_.At(index).Line.view();
    return AnsiString(line.substr(std::min(name.size() + 1, line.size())));
}

double TStringConfigList::GetFloatAt(int32_t index) {
    return TryReadNumber(GetValueFromIndex(index), DecimalSeparator()).value_or(0.0);
}

AnsiString TStringConfigList::GetValueAt(int32_t index) { return GetValueFromIndex(index); }

int32_t TStringConfigList::GetIntegerAt(int32_t index) { return TryReadInteger(GetValueFromIndex(index)).value_or(0); }

ComPtr<IInterface> TStringConfigList::GetObjectAt(int32_t index) { return lines_.At(index).Object; }

AnsiString TStringConfigList::GetValueOrLineAt(int32_t index) {
    if (index < 0) return {};
    const AnsiString& line = lines_.At(index).Line;
    const size_t eq = line.view().find('=');
    return eq == std::string_view::npos ? line : AnsiString(line.view().substr(eq + 1));
}

bool TStringConfigList::GetLineAsBoolean(int32_t index) {
    return ReadBooleanStrict(lines_.At(index).Line, DecimalSeparator());
}

double TStringConfigList::GetLineAsDateTime(int32_t index) {
    const AnsiString& line = lines_.At(index).Line;
    return ReadDateTimeStrict(line, platform::Regional(), DecodeDateTime(platform::Now()).Year);
}

double TStringConfigList::GetLineAsFloat(int32_t index) {
    return ReadNumberStrict(lines_.At(index).Line, DecimalSeparator());
}

int32_t TStringConfigList::GetLineAsInteger(int32_t index) { return ReadIntegerStrict(lines_.At(index).Line); }

AnsiString TStringConfigList::GetLine(int32_t index) { return lines_.At(index).Line; }

void TStringConfigList::SetBoolean(const AnsiString& name, bool value) { SetString(name, BooleanText(value)); }

void TStringConfigList::SetDateTime(const AnsiString& name, double value) { SetFloat(name, value); }

void TStringConfigList::SetFloat(const AnsiString& name, double value) {
    SetString(name, FixedText(value, kSetterDigits));
}

void TStringConfigList::SetInteger(const AnsiString& name, int32_t value) { SetString(name, std::to_string(value)); }

void TStringConfigList::SetString(const AnsiString& name, const AnsiString& value) {
    const int32_t index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) lines_.Delete(index);
    } else if (index < 0) {
        lines_.Append(Pair(name, value));
    } else {
        lines_.At(index).Line = Pair(name, value);
    }
}

void TStringConfigList::SetObject(const AnsiString& text, IInterface* object) {
    const int32_t index = IndexOfLine(text);
    if (index < 0) RaiseIndexError(-1);
    lines_.At(index).Object = ComPtr<IInterface>::AddRefOf(object);
}

void TStringConfigList::SetFloatAt(int32_t index, double value) {
    SetValueFromIndex(index, FixedText(value, kSetterDigits));
}

void TStringConfigList::SetValueAt(int32_t index, const AnsiString& value) {
    AnsiString& line = lines_.At(index).Line;
    line = Pair(NamePart(line), value);
}

void TStringConfigList::SetObjectAt(int32_t index, IInterface* object) { lines_.At(index).Object = ComPtr<IInterface>::AddRefOf(object); }

void TStringConfigList::SetIntegerAt(int32_t index, int32_t value) { SetValueFromIndex(index, std::to_string(value)); }

AnsiString TStringConfigList::GetValueFromIndex(int32_t index) {
    if (index < 0) return {};
    return AnsiString(ValuePart(lines_.At(index).Line.view()));
}

void TStringConfigList::SetValueFromIndex(int32_t index, const AnsiString& value) {
    if (value.empty()) {
        if (index >= 0) lines_.Delete(index);
    } else if (index < 0) {
        lines_.Append(Pair("", value));
    } else {
        AnsiString& line = lines_.At(index).Line;
        line = Pair(NamePart(line), value);
    }
}

AnsiString TStringConfigList::GetNameAt(int32_t index) { return AnsiString(NamePart(lines_.At(index).Line)); }

AnsiString TStringConfigList::DelimitedText(char delimiter) const {
    const auto& entries = lines_.Entries();
    if (entries.size() == 1 && entries[0].Line.empty()) return AnsiString("\"\"");
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += delimiter;
        const std::string_view line = entries[i].Line.view();
        if (NeedsQuotes(line, delimiter)) {
            AppendQuoted(text, line);
        } else {
            text.append(line);
        }
    }
    return AnsiString(text);
}

AnsiString TStringConfigList::GetCommaText() { return DelimitedText(','); }

AnsiString TStringConfigList::GetDelimitedText() { return DelimitedText(';'); }

AnsiString TStringConfigList::GetText() {
    std::string text;
    for (const auto& entry : lines_.Entries()) text.append(entry.Line.view()).append("\r\n");
    return AnsiString(text);
}

int32_t TStringConfigList::GetCount() { return lines_.Count(); }

int32_t TStringConfigList::AddString(const AnsiString& name, const AnsiString& value) {
    return lines_.Append(Pair(name, value));
}

int32_t TStringConfigList::AddInteger(const AnsiString& name, int32_t value) {
    return AddString(name, std::to_string(value));
}

int32_t TStringConfigList::AddFloat(const AnsiString& name, double value) {
    return AddString(name, FixedText(value, kAddDigits));
}

int32_t TStringConfigList::AddDateTime(const AnsiString& name, double value) { return AddFloat(name, value); }

int32_t TStringConfigList::AddBoolean(const AnsiString& name, bool value) {
    return AddString(name, BooleanText(value));
}

int32_t TStringConfigList::AddObject(const AnsiString& text, IInterface* object) { return lines_.Append(text, object); }

ComPtr<IStringConfigList> TStringConfigList::WithString(const AnsiString& name, const AnsiString& value) {
    AddString(name, value);
    return NewReference();
}

ComPtr<IStringConfigList> TStringConfigList::WithInteger(const AnsiString& name, int32_t value) {
    AddInteger(name, value);
    return NewReference();
}

ComPtr<IStringConfigList> TStringConfigList::WithFloat(const AnsiString& name, double value) {
    AddFloat(name, value);
    return NewReference();
}

ComPtr<IStringConfigList> TStringConfigList::WithDateTime(const AnsiString& name, double value) {
    AddDateTime(name, value);
    return NewReference();
}

ComPtr<IStringConfigList> TStringConfigList::WithBoolean(const AnsiString& name, bool value) {
    AddBoolean(name, value);
    return NewReference();
}

ComPtr<IStringConfigList> TStringConfigList::WithObject(const AnsiString& text, IInterface* object) {
    AddObject(text, object);
    return NewReference();
}

int32_t TStringConfigList::AddLine(const AnsiString& text) { return lines_.Append(text); }

ComPtr<IStringConfigList> TStringConfigList::WithLine(const AnsiString& text) {
    AddLine(text);
    return NewReference();
}

AnsiString TStringConfigList::Join(const AnsiString& separator) {
    const auto& entries = lines_.Entries();
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text.append(separator.view());
        text.append(entries[i].Line.view());
    }
    return AnsiString(text);
}

bool TStringConfigList::FindName(const AnsiString& name, int32_t& index) {
    index = IndexOfName(name);
    return index >= 0;
}

bool TStringConfigList::IsPairAt(int32_t index) {
    return index >= 0 && lines_.At(index).Line.view().find('=') != std::string_view::npos;
}

bool TStringConfigList::Contains(const AnsiString& text) { return IndexOfLine(text) >= 0; }

ComPtr<IStrings> TStringConfigList::GetStrings() { return ComPtr<IStrings>::AddRefOf(this); }

bool TStringConfigList::HasName(const AnsiString& name) { return IndexOfName(name) >= 0; }

void TStringConfigList::Clear() { lines_.Clear(); }

void TStringConfigList::FreeObjects() {
    // Each line's reference is detached before it is released, so a host object that calls back
    // into the list while it goes finds no line pointing at it.
    auto& entries = lines_.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        ComPtr<IInterface> object = std::move(entries[i].Object);
    }
}

void TStringConfigList::Remove(const AnsiString& text) {
    int32_t index = IndexOfName(text);
    if (index < 0) index = IndexOfLine(text);
    if (index >= 0) lines_.Delete(index);
}

ComPtr<IStringConfigList> CreateStringConfigList() { return MakeObject<TStringConfigList>(); }

}  // namespace orvo
