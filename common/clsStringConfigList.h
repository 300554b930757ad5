// The configuration list: ordered text lines with typed readers and writers, offered to the
// host only through IStringConfigList.
#pragma once
#include <string_view>
#include <vector>

#include "interfaces/intfStringConfigList.h"

namespace orvo {

// The list's own line container: each entry a text line and the object attached to it
// (borrowed). The host sees it through TStrings; the list works on the entries directly.
class TConfigLines final : public TStrings {
public:
    struct TEntry {
        AnsiString Line;
        TObject* Object = nullptr;
    };

    int32_t ORVO_STDCALL Count() const override { return int32_t(entries_.size()); }
    AnsiString ORVO_STDCALL Get(int32_t index) const override { return At(index).Line; }
    int32_t ORVO_STDCALL Add(const AnsiString& line) override { return Append(line); }

    // Entry index; raises EStringListError "List index out of bounds (%d)" when out of range.
    const TEntry& At(int32_t index) const;
    TEntry& At(int32_t index);
    int32_t Append(AnsiString line, TObject* object = nullptr);
    // Deletes entry index (checked as At).
    void Delete(int32_t index);
    void Clear() { entries_.clear(); }
    std::vector<TEntry>& Entries() { return entries_; }
    const std::vector<TEntry>& Entries() const { return entries_; }

private:
    std::vector<TEntry> entries_;
};

class TStringConfigList final : public TInterfacedObject<IStringConfigList> {
public:
    AnsiString ORVO_STDCALL GetFirst() override;
    AnsiString ORVO_STDCALL GetLast() override;
    bool ORVO_STDCALL GetBoolean(const AnsiString& name) override;
    double ORVO_STDCALL GetDateTime(const AnsiString& name) override;
    double ORVO_STDCALL GetFloat(const AnsiString& name) override;
    int32_t ORVO_STDCALL GetInteger(const AnsiString& name) override;
    TObject* ORVO_STDCALL GetObject(const AnsiString& text) override;
    AnsiString ORVO_STDCALL GetString(const AnsiString& name) override;
    double ORVO_STDCALL GetFloatAt(int32_t index) override;
    AnsiString ORVO_STDCALL GetValueAt(int32_t index) override;
    int32_t ORVO_STDCALL GetIntegerAt(int32_t index) override;
    TObject* ORVO_STDCALL GetObjectAt(int32_t index) override;
    AnsiString ORVO_STDCALL GetValueOrLineAt(int32_t index) override;
    bool ORVO_STDCALL GetLineAsBoolean(int32_t index) override;
    double ORVO_STDCALL GetLineAsDateTime(int32_t index) override;
    double ORVO_STDCALL GetLineAsFloat(int32_t index) override;
    int32_t ORVO_STDCALL GetLineAsInteger(int32_t index) override;
    AnsiString ORVO_STDCALL GetLine(int32_t index) override;
    void ORVO_STDCALL SetBoolean(const AnsiString& name, bool value) override;
    void ORVO_STDCALL SetDateTime(const AnsiString& name, double value) override;
    void ORVO_STDCALL SetFloat(const AnsiString& name, double value) override;
    void ORVO_STDCALL SetInteger(const AnsiString& name, int32_t value) override;
    void ORVO_STDCALL SetString(const AnsiString& name, const AnsiString& value) override;
    void ORVO_STDCALL SetObject(const AnsiString& text, TObject* object) override;
    void ORVO_STDCALL SetFloatAt(int32_t index, double value) override;
    void ORVO_STDCALL SetValueAt(int32_t index, const AnsiString& value) override;
    void ORVO_STDCALL SetObjectAt(int32_t index, TObject* object) override;
    void ORVO_STDCALL SetIntegerAt(int32_t index, int32_t value) override;
    void ORVO_STDCALL SetLineAsBoolean(int32_t, bool) override {}
    void ORVO_STDCALL SetLineAsDateTime(int32_t, double) override {}
    void ORVO_STDCALL SetLineAsFloat(int32_t, double) override {}
    void ORVO_STDCALL SetLineAsInteger(int32_t, int32_t) override {}
    void ORVO_STDCALL SetLine(int32_t, const AnsiString&) override {}
    AnsiString ORVO_STDCALL GetValueFromIndex(int32_t index) override;
    void ORVO_STDCALL SetValueFromIndex(int32_t index, const AnsiString& value) override;
    AnsiString ORVO_STDCALL GetNameAt(int32_t index) override;
    AnsiString ORVO_STDCALL GetCommaText() override;
    AnsiString ORVO_STDCALL GetDelimitedText() override;
    AnsiString ORVO_STDCALL GetText() override;
    int32_t ORVO_STDCALL GetCount() override;
    int32_t ORVO_STDCALL AddString(const AnsiString& name, const AnsiString& value) override;
    int32_t ORVO_STDCALL AddInteger(const AnsiString& name, int32_t value) override;
    int32_t ORVO_STDCALL AddFloat(const AnsiString& name, double value) override;
    int32_t ORVO_STDCALL AddDateTime(const AnsiString& name, double value) override;
    int32_t ORVO_STDCALL AddBoolean(const AnsiString& name, bool value) override;
    int32_t ORVO_STDCALL AddObject(const AnsiString& text, TObject* object) override;
    IStringConfigList* ORVO_STDCALL WithString(const AnsiString& name, const AnsiString& value) override;
    IStringConfigList* ORVO_STDCALL WithInteger(const AnsiString& name, int32_t value) override;
    IStringConfigList* ORVO_STDCALL WithFloat(const AnsiString& name, double value) override;
    IStringConfigList* ORVO_STDCALL WithDateTime(const AnsiString& name, double value) override;
    IStringConfigList* ORVO_STDCALL WithBoolean(const AnsiString& name, bool value) override;
    IStringConfigList* ORVO_STDCALL WithObject(const AnsiString& text, TObject* object) override;
    int32_t ORVO_STDCALL AddLine(const AnsiString& text) override;
    IStringConfigList* ORVO_STDCALL WithLine(const AnsiString& text) override;
    AnsiString ORVO_STDCALL Join(const AnsiString& separator) override;
    bool ORVO_STDCALL FindName(const AnsiString& name, int32_t& index) override;
    bool ORVO_STDCALL IsPairAt(int32_t index) override;
    bool ORVO_STDCALL Contains(const AnsiString& text) override;
    TStrings* ORVO_STDCALL GetStrings() override;
    bool ORVO_STDCALL HasName(const AnsiString& name) override;
    void ORVO_STDCALL Clear() override;
    void ORVO_STDCALL FreeObjects() override;
    void ORVO_STDCALL Remove(const AnsiString& text) override;

private:
    // Name lookup: the first line holding "=" whose name part equals name; -1 when none.
    int32_t IndexOfName(std::string_view name) const;
    // The first line equal to text; -1 when none.
    int32_t IndexOfLine(std::string_view text) const;
    // The named line's value part; empty when the name is missing.
    std::string_view ValueOfName(std::string_view name) const;
    AnsiString DelimitedText(char delimiter) const;
    // A new counted reference to this list, for the With... chain.
    IStringConfigList* NewReference();

    TConfigLines lines_;
};

// A new, empty list; the caller holds the only reference.
ComPtr<IStringConfigList> CreateStringConfigList();

}  // namespace orvo
