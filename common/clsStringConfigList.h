// The configuration list: ordered text lines with typed readers and writers, offered to the
// host only through IStringConfigList.
#pragma once
#include <string_view>
#include <vector>

#include "interfaces/intfStringConfigList.h"

namespace orvo {

// The list's own lines: each entry a text line and the object attached to it (a reference the
// entry holds). The host sees them through the list's IStrings; the list works on them directly.
class TConfigLines final {
public:
    struct TEntry {
        AnsiString Line;
        ComPtr<IInterface> Object;
    };

    int32_t Count() const { return int32_t(entries_.size()); }

    // Entry index; raises EStringListError "List index out of bounds (%d)" when out of range.
    const TEntry& At(int32_t index) const;
    TEntry& At(int32_t index);
    int32_t Append(AnsiString line, IInterface* object = nullptr);
    // Deletes entry index (checked as At), releasing its object.
    void Delete(int32_t index);
    // Deletes every entry, releasing their objects.
    void Clear();
    std::vector<TEntry>& Entries() { return entries_; }
    const std::vector<TEntry>& Entries() const { return entries_; }

private:
    std::vector<TEntry> entries_;
};

// The list is also its own line container (IStrings), as GetStrings hands it out.
class TStringConfigList final : public TInterfacedObject<IStringConfigList, IStrings> {
public:
    int32_t Count() override { return lines_.Count(); }
    AnsiString Get(int32_t index) override { return lines_.At(index).Line; }
    int32_t Add(const AnsiString& line) override { return lines_.Append(line); }

    AnsiString GetFirst() override;
    AnsiString GetLast() override;
    bool GetBoolean(const AnsiString& name) override;
    double GetDateTime(const AnsiString& name) override;
    double GetFloat(const AnsiString& name) override;
    int32_t GetInteger(const AnsiString& name) override;
    ComPtr<IInterface> GetObject(const AnsiString& text) override;
    AnsiString GetString(const AnsiString& name) override;
    double GetFloatAt(int32_t index) override;
    AnsiString GetValueAt(int32_t index) override;
    int32_t GetIntegerAt(int32_t index) override;
    ComPtr<IInterface> GetObjectAt(int32_t index) override;
    AnsiString GetValueOrLineAt(int32_t index) override;
    bool GetLineAsBoolean(int32_t index) override;
    double GetLineAsDateTime(int32_t index) override;
    double GetLineAsFloat(int32_t index) override;
    int32_t GetLineAsInteger(int32_t index) override;
    AnsiString GetLine(int32_t index) override;
    void SetBoolean(const AnsiString& name, bool value) override;
    void SetDateTime(const AnsiString& name, double value) override;
    void SetFloat(const AnsiString& name, double value) override;
    void SetInteger(const AnsiString& name, int32_t value) override;
    void SetString(const AnsiString& name, const AnsiString& value) override;
    void SetObject(const AnsiString& text, IInterface* object) override;
    void SetFloatAt(int32_t index, double value) override;
    void SetValueAt(int32_t index, const AnsiString& value) override;
    void SetObjectAt(int32_t index, IInterface* object) override;
    void SetIntegerAt(int32_t index, int32_t value) override;
    void SetLineAsBoolean(int32_t, bool) override {}
    void SetLineAsDateTime(int32_t, double) override {}
    void SetLineAsFloat(int32_t, double) override {}
    void SetLineAsInteger(int32_t, int32_t) override {}
    void SetLine(int32_t, const AnsiString&) override {}
    AnsiString GetValueFromIndex(int32_t index) override;
    void SetValueFromIndex(int32_t index, const AnsiString& value) override;
    AnsiString GetNameAt(int32_t index) override;
    AnsiString GetCommaText() override;
    AnsiString GetDelimitedText() override;
    AnsiString GetText() override;
    int32_t GetCount() override;
    int32_t AddString(const AnsiString& name, const AnsiString& value) override;
    int32_t AddInteger(const AnsiString& name, int32_t value) override;
    int32_t AddFloat(const AnsiString& name, double value) override;
    int32_t AddDateTime(const AnsiString& name, double value) override;
    int32_t AddBoolean(const AnsiString& name, bool value) override;
    int32_t AddObject(const AnsiString& text, IInterface* object) override;
    ComPtr<IStringConfigList> WithString(const AnsiString& name, const AnsiString& value) override;
    ComPtr<IStringConfigList> WithInteger(const AnsiString& name, int32_t value) override;
    ComPtr<IStringConfigList> WithFloat(const AnsiString& name, double value) override;
    ComPtr<IStringConfigList> WithDateTime(const AnsiString& name, double value) override;
    ComPtr<IStringConfigList> WithBoolean(const AnsiString& name, bool value) override;
    ComPtr<IStringConfigList> WithObject(const AnsiString& text, IInterface* object) override;
    int32_t AddLine(const AnsiString& text) override;
    ComPtr<IStringConfigList> WithLine(const AnsiString& text) override;
    AnsiString Join(const AnsiString& separator) override;
    bool FindName(const AnsiString& name, int32_t& index) override;
    bool IsPairAt(int32_t index) override;
    bool Contains(const AnsiString& text) override;
    ComPtr<IStrings> GetStrings() override;
    bool HasName(const AnsiString& name) override;
    void Clear() override;
    void FreeObjects() override;
    void Remove(const AnsiString& text) override;

private:
    // Name lookup: the first line holding "=" whose name part equals name; -1 when none.
    int32_t IndexOfName(std::string_view name) const;
    // The first line equal to text; -1 when none.
    int32_t IndexOfLine(std::string_view text) const;
    // The named line's value part; empty when the name is missing.
    std::string_view ValueOfName(std::string_view name) const;
    AnsiString DelimitedText(char delimiter) const;
    // A new counted reference to this list, for the With... chain.
    ComPtr<IStringConfigList> NewReference();

    TConfigLines lines_;
};

// A new, empty list; the caller holds the only reference.
ComPtr<IStringConfigList> CreateStringConfigList();

}  // namespace orvo
