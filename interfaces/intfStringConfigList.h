// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The configuration list every payment method carries: ordered text lines, mostly name=value,
// with typed readers and writers. The host may call any operation, so the order below, the
// argument and result types and every text form are part of the binary contract.
//
// Conventions of every operation below:
// - Text and object arguments are borrowed for the call; text and object results are new
//   references the caller releases.
// - "Name" operations use name lookup: the first line holding "=" whose text before the first
//   "=" equals Name, ignoring letter case under the user's locale. Whole-line comparisons
//   ignore letter case the same way.
// - Numbers are written in fixed notation with exactly 18 decimals (setters: 18 significant
//   digits, add operations: 10), in the user's decimal separator.
// - An index outside the lines fails with EStringListError "List index out of bounds (%d)";
//   the strict readers fail with EConvertError. A failed operation leaves the list as it was.
// - Attached objects are any IInterface: the list holds one reference for each line it is
//   attached to and releases it when the attachment ends (another object, Remove, Clear,
//   FreeObjects, the list's own end); nothing else is called on them.
#pragma once
#include "OrvoTypes.h"

struct IStringConfigList : IInterface {
    static constexpr TGUID IID = ParseGuid("{F6E10E87-DF36-40E3-BB1E-F10BAD1B413F}");
    // 1. The first line; empty when the list is empty.
    virtual HRESULT32 ORVO_STDCALL raw_GetFirst(OrvoAnsiString* text) = 0;
    // 2. The last line; empty when the list is empty.
    virtual HRESULT32 ORVO_STDCALL raw_GetLast(OrvoAnsiString* text) = 0;
    // 3. The named value read leniently as a Boolean; false when missing or unreadable.
    virtual HRESULT32 ORVO_STDCALL raw_GetBoolean(OrvoAnsiString name, OrvoBool* result) = 0;
    // 4. As GetFloat.
    virtual HRESULT32 ORVO_STDCALL raw_GetDateTime(OrvoAnsiString name, double* value) = 0;
    // 5. The named value read leniently as a number; 0 when missing or unreadable.
    virtual HRESULT32 ORVO_STDCALL raw_GetFloat(OrvoAnsiString name, double* value) = 0;
    // 6. The named value read leniently as a 32-bit integer; 0 when missing or unreadable.
    virtual HRESULT32 ORVO_STDCALL raw_GetInteger(OrvoAnsiString name, int32_t* result) = 0;
    // 7. The object attached to the first line equal to text (null when none); fails
    //    with the index error with -1 when no line is equal.
    virtual HRESULT32 ORVO_STDCALL raw_GetObject(OrvoAnsiString text, IInterface** object) = 0;
    // 8. The named line after the name and "=", cut at the length of name; empty when missing.
    virtual HRESULT32 ORVO_STDCALL raw_GetString(OrvoAnsiString name, OrvoAnsiString* text) = 0;
    // 9. GetValueFromIndex(index) read leniently as a number; index past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetFloatAt(int32_t index, double* value) = 0;
    // 10. As GetValueFromIndex.
    virtual HRESULT32 ORVO_STDCALL raw_GetValueAt(int32_t index, OrvoAnsiString* text) = 0;
    // 11. GetValueFromIndex(index) read leniently as an integer; index past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetIntegerAt(int32_t index, int32_t* result) = 0;
    // 12. The object attached to line index (null when none); out of range fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetObjectAt(int32_t index, IInterface** object) = 0;
    // 13. Empty for a negative index; else the line after its first "=", or the whole line
    //     without one; past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetValueOrLineAt(int32_t index, OrvoAnsiString* text) = 0;
    // 14. The whole line read strictly as a Boolean; fails with EConvertError when it is not one.
    virtual HRESULT32 ORVO_STDCALL raw_GetLineAsBoolean(int32_t index, OrvoBool* result) = 0;
    // 15. The whole line read strictly as a date and time in the short date format; fails with EConvertError.
    virtual HRESULT32 ORVO_STDCALL raw_GetLineAsDateTime(int32_t index, double* value) = 0;
    // 16. The whole line read strictly as a number; fails with EConvertError when it is not one.
    virtual HRESULT32 ORVO_STDCALL raw_GetLineAsFloat(int32_t index, double* value) = 0;
    // 17. The whole line read strictly as an integer; fails with EConvertError when it is not one.
    virtual HRESULT32 ORVO_STDCALL raw_GetLineAsInteger(int32_t index, int32_t* result) = 0;
    // 18. Line index; out of range fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetLine(int32_t index, OrvoAnsiString* text) = 0;
    // 19. SetString(name, "True" or "False").
    virtual HRESULT32 ORVO_STDCALL raw_SetBoolean(OrvoAnsiString name, OrvoBool value) = 0;
    // 20. As SetFloat.
    virtual HRESULT32 ORVO_STDCALL raw_SetDateTime(OrvoAnsiString name, double value) = 0;
    // 21. SetString(name, value with 18 significant digits).
    virtual HRESULT32 ORVO_STDCALL raw_SetFloat(OrvoAnsiString name, double value) = 0;
    // 22. SetString(name, value in decimal).
    virtual HRESULT32 ORVO_STDCALL raw_SetInteger(OrvoAnsiString name, int32_t value) = 0;
    // 23. Replaces or appends the line name=value; an empty value deletes the named line.
    virtual HRESULT32 ORVO_STDCALL raw_SetString(OrvoAnsiString name, OrvoAnsiString value) = 0;
    // 24. Attaches object to the first line equal to text; fails with -1 when none.
    virtual HRESULT32 ORVO_STDCALL raw_SetObject(OrvoAnsiString text, IInterface* object) = 0;
    // 25. SetValueFromIndex(index, value with 18 significant digits).
    virtual HRESULT32 ORVO_STDCALL raw_SetFloatAt(int32_t index, double value) = 0;
    // 26. Line index becomes its name, "=" and value (even empty); out of range (negative too) fails.
    virtual HRESULT32 ORVO_STDCALL raw_SetValueAt(int32_t index, OrvoAnsiString value) = 0;
    // 27. Attaches object to line index; out of range fails.
    virtual HRESULT32 ORVO_STDCALL raw_SetObjectAt(int32_t index, IInterface* object) = 0;
    // 28. SetValueFromIndex(index, value in decimal).
    virtual HRESULT32 ORVO_STDCALL raw_SetIntegerAt(int32_t index, int32_t value) = 0;
    // 29. Does nothing.
    virtual HRESULT32 ORVO_STDCALL raw_SetLineAsBoolean(int32_t index, OrvoBool value) = 0;
    // 30. Does nothing.
    virtual HRESULT32 ORVO_STDCALL raw_SetLineAsDateTime(int32_t index, double value) = 0;
    // 31. Does nothing.
    virtual HRESULT32 ORVO_STDCALL raw_SetLineAsFloat(int32_t index, double value) = 0;
    // 32. Does nothing.
    virtual HRESULT32 ORVO_STDCALL raw_SetLineAsInteger(int32_t index, int32_t value) = 0;
    // 33. Does nothing.
    virtual HRESULT32 ORVO_STDCALL raw_SetLine(int32_t index, OrvoAnsiString value) = 0;
    // 34. Empty for a negative index or a line without "="; else the text after the first "=";
    //     past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetValueFromIndex(int32_t index, OrvoAnsiString* text) = 0;
    // 35. Sets the value of line index (a negative index appends); an empty value deletes line
    //     index (nothing for a negative one); past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_SetValueFromIndex(int32_t index, OrvoAnsiString value) = 0;
    // 36. The text before the first "=" of line index (empty without one); out of range fails.
    virtual HRESULT32 ORVO_STDCALL raw_GetNameAt(int32_t index, OrvoAnsiString* text) = 0;
    // 37. The lines joined with ",", quoted where needed.
    virtual HRESULT32 ORVO_STDCALL raw_GetCommaText(OrvoAnsiString* text) = 0;
    // 38. The lines joined with ";", quoted where needed.
    virtual HRESULT32 ORVO_STDCALL raw_GetDelimitedText(OrvoAnsiString* text) = 0;
    // 39. Every line followed by carriage return and line feed.
    virtual HRESULT32 ORVO_STDCALL raw_GetText(OrvoAnsiString* text) = 0;
    // 40. Number of lines.
    virtual HRESULT32 ORVO_STDCALL raw_GetCount(int32_t* result) = 0;
    // 41. Appends name=value (even when present or empty); returns the new line's index.
    virtual HRESULT32 ORVO_STDCALL raw_AddString(OrvoAnsiString name, OrvoAnsiString value, int32_t* result) = 0;
    // 42. AddString(name, value in decimal).
    virtual HRESULT32 ORVO_STDCALL raw_AddInteger(OrvoAnsiString name, int32_t value, int32_t* result) = 0;
    // 43. AddString(name, value with 10 significant digits).
    virtual HRESULT32 ORVO_STDCALL raw_AddFloat(OrvoAnsiString name, double value, int32_t* result) = 0;
    // 44. As AddFloat.
    virtual HRESULT32 ORVO_STDCALL raw_AddDateTime(OrvoAnsiString name, double value, int32_t* result) = 0;
    // 45. AddString(name, "True" or "False").
    virtual HRESULT32 ORVO_STDCALL raw_AddBoolean(OrvoAnsiString name, OrvoBool value, int32_t* result) = 0;
    // 46. Appends the line text with object attached; returns its index.
    virtual HRESULT32 ORVO_STDCALL raw_AddObject(OrvoAnsiString text, IInterface* object, int32_t* result) = 0;
    // 47. AddString; returns a new reference to this list for chaining.
    virtual HRESULT32 ORVO_STDCALL raw_WithString(OrvoAnsiString name, OrvoAnsiString value,
                                                  IStringConfigList** list) = 0;
    // 48. AddInteger; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithInteger(OrvoAnsiString name, int32_t value, IStringConfigList** list) = 0;
    // 49. AddFloat; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithFloat(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    // 50. AddDateTime; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithDateTime(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    // 51. AddBoolean; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithBoolean(OrvoAnsiString name, OrvoBool value, IStringConfigList** list) = 0;
    // 52. AddObject; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithObject(OrvoAnsiString text, IInterface* object,
                                                  IStringConfigList** list) = 0;
    // 53. Appends text as a line; returns its index.
    virtual HRESULT32 ORVO_STDCALL raw_AddLine(OrvoAnsiString text, int32_t* result) = 0;
    // 54. Appends text as a line; returns a new reference to this list.
    virtual HRESULT32 ORVO_STDCALL raw_WithLine(OrvoAnsiString text, IStringConfigList** list) = 0;
    // 55. The lines with separator between neighbours; empty for an empty list.
    virtual HRESULT32 ORVO_STDCALL raw_Join(OrvoAnsiString separator, OrvoAnsiString* text) = 0;
    // 56. True with the named line's index in index; false with -1.
    virtual HRESULT32 ORVO_STDCALL raw_FindName(OrvoAnsiString name, int32_t* index, OrvoBool* result) = 0;
    // 57. False for a negative index; else whether line index holds "="; past the end fails.
    virtual HRESULT32 ORVO_STDCALL raw_IsPairAt(int32_t index, OrvoBool* result) = 0;
    // 58. True when some line equals text.
    virtual HRESULT32 ORVO_STDCALL raw_Contains(OrvoAnsiString text, OrvoBool* result) = 0;
    // 59. The list's own line container (not a copy).
    virtual HRESULT32 ORVO_STDCALL raw_GetStrings(IStrings** strings) = 0;
    // 60. True when name lookup finds name.
    virtual HRESULT32 ORVO_STDCALL raw_HasName(OrvoAnsiString name, OrvoBool* result) = 0;
    // 61. Removes every line, releasing the attached objects.
    virtual HRESULT32 ORVO_STDCALL raw_Clear() = 0;
    // 62. Releases each attached object, first line to last, and detaches it; the lines stay.
    virtual HRESULT32 ORVO_STDCALL raw_FreeObjects() = 0;
    // 63. Deletes the line found by name lookup, else the first line equal to text; nothing when neither.
    virtual HRESULT32 ORVO_STDCALL raw_Remove(OrvoAnsiString text) = 0;

    AnsiString GetFirst() {
        AnsiString text;
        orvo::CallOut().Check(raw_GetFirst(text.ReleaseAndGetAddressOf()));
        return text;
    }
    AnsiString GetLast() {
        AnsiString text;
        orvo::CallOut().Check(raw_GetLast(text.ReleaseAndGetAddressOf()));
        return text;
    }
    bool GetBoolean(const AnsiString& name) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_GetBoolean(name.Raw(), &result));
        return result != 0;
    }
    double GetDateTime(const AnsiString& name) {
        double value = 0;
        orvo::CallOut().Check(raw_GetDateTime(name.Raw(), &value));
        return value;
    }
    double GetFloat(const AnsiString& name) {
        double value = 0;
        orvo::CallOut().Check(raw_GetFloat(name.Raw(), &value));
        return value;
    }
    int32_t GetInteger(const AnsiString& name) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_GetInteger(name.Raw(), &result));
        return result;
    }
    ComPtr<IInterface> GetObject(const AnsiString& text) {
        ComPtr<IInterface> object;
        orvo::CallOut().Check(raw_GetObject(text.Raw(), object.ReleaseAndGetAddressOf()));
        return object;
    }
    AnsiString GetString(const AnsiString& name) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetString(name.Raw(), text.ReleaseAndGetAddressOf()));
        return text;
    }
    double GetFloatAt(int32_t index) {
        double value = 0;
        orvo::CallOut().Check(raw_GetFloatAt(index, &value));
        return value;
    }
    AnsiString GetValueAt(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetValueAt(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    int32_t GetIntegerAt(int32_t index) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_GetIntegerAt(index, &result));
        return result;
    }
    ComPtr<IInterface> GetObjectAt(int32_t index) {
        ComPtr<IInterface> object;
        orvo::CallOut().Check(raw_GetObjectAt(index, object.ReleaseAndGetAddressOf()));
        return object;
    }
    AnsiString GetValueOrLineAt(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetValueOrLineAt(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    bool GetLineAsBoolean(int32_t index) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_GetLineAsBoolean(index, &result));
        return result != 0;
    }
    double GetLineAsDateTime(int32_t index) {
        double value = 0;
        orvo::CallOut().Check(raw_GetLineAsDateTime(index, &value));
        return value;
    }
    double GetLineAsFloat(int32_t index) {
        double value = 0;
        orvo::CallOut().Check(raw_GetLineAsFloat(index, &value));
        return value;
    }
    int32_t GetLineAsInteger(int32_t index) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_GetLineAsInteger(index, &result));
        return result;
    }
    AnsiString GetLine(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetLine(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    void SetBoolean(const AnsiString& name, bool value) { orvo::CallOut().Check(raw_SetBoolean(name.Raw(), value)); }
    void SetDateTime(const AnsiString& name, double value) {
        orvo::CallOut().Check(raw_SetDateTime(name.Raw(), value));
    }
    void SetFloat(const AnsiString& name, double value) { orvo::CallOut().Check(raw_SetFloat(name.Raw(), value)); }
    void SetInteger(const AnsiString& name, int32_t value) { orvo::CallOut().Check(raw_SetInteger(name.Raw(), value)); }
    void SetString(const AnsiString& name, const AnsiString& value) {
        orvo::CallOut().Check(raw_SetString(name.Raw(), value.Raw()));
    }
    void SetObject(const AnsiString& text, IInterface* object) {
        orvo::CallOut().Check(raw_SetObject(text.Raw(), object));
    }
    void SetFloatAt(int32_t index, double value) { orvo::CallOut().Check(raw_SetFloatAt(index, value)); }
    void SetValueAt(int32_t index, const AnsiString& value) {
        orvo::CallOut().Check(raw_SetValueAt(index, value.Raw()));
    }
    void SetObjectAt(int32_t index, IInterface* object) { orvo::CallOut().Check(raw_SetObjectAt(index, object)); }
    void SetIntegerAt(int32_t index, int32_t value) { orvo::CallOut().Check(raw_SetIntegerAt(index, value)); }
    void SetLineAsBoolean(int32_t index, bool value) { orvo::CallOut().Check(raw_SetLineAsBoolean(index, value)); }
    void SetLineAsDateTime(int32_t index, double value) { orvo::CallOut().Check(raw_SetLineAsDateTime(index, value)); }
    void SetLineAsFloat(int32_t index, double value) { orvo::CallOut().Check(raw_SetLineAsFloat(index, value)); }
    void SetLineAsInteger(int32_t index, int32_t value) { orvo::CallOut().Check(raw_SetLineAsInteger(index, value)); }
    void SetLine(int32_t index, const AnsiString& value) { orvo::CallOut().Check(raw_SetLine(index, value.Raw())); }
    AnsiString GetValueFromIndex(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetValueFromIndex(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    void SetValueFromIndex(int32_t index, const AnsiString& value) {
        orvo::CallOut().Check(raw_SetValueFromIndex(index, value.Raw()));
    }
    AnsiString GetNameAt(int32_t index) {
        AnsiString text;
        orvo::CallOut().Check(raw_GetNameAt(index, text.ReleaseAndGetAddressOf()));
        return text;
    }
    AnsiString GetCommaText() {
        AnsiString text;
        orvo::CallOut().Check(raw_GetCommaText(text.ReleaseAndGetAddressOf()));
        return text;
    }
    AnsiString GetDelimitedText() {
        AnsiString text;
        orvo::CallOut().Check(raw_GetDelimitedText(text.ReleaseAndGetAddressOf()));
        return text;
    }
    AnsiString GetText() {
        AnsiString text;
        orvo::CallOut().Check(raw_GetText(text.ReleaseAndGetAddressOf()));
        return text;
    }
    int32_t GetCount() {
        int32_t result = 0;
        orvo::CallOut().Check(raw_GetCount(&result));
        return result;
    }
    int32_t AddString(const AnsiString& name, const AnsiString& value) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddString(name.Raw(), value.Raw(), &result));
        return result;
    }
    int32_t AddInteger(const AnsiString& name, int32_t value) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddInteger(name.Raw(), value, &result));
        return result;
    }
    int32_t AddFloat(const AnsiString& name, double value) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddFloat(name.Raw(), value, &result));
        return result;
    }
    int32_t AddDateTime(const AnsiString& name, double value) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddDateTime(name.Raw(), value, &result));
        return result;
    }
    int32_t AddBoolean(const AnsiString& name, bool value) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddBoolean(name.Raw(), value, &result));
        return result;
    }
    int32_t AddObject(const AnsiString& text, IInterface* object) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddObject(text.Raw(), object, &result));
        return result;
    }
    ComPtr<IStringConfigList> WithString(const AnsiString& name, const AnsiString& value) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithString(name.Raw(), value.Raw(), list.ReleaseAndGetAddressOf()));
        return list;
    }
    ComPtr<IStringConfigList> WithInteger(const AnsiString& name, int32_t value) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithInteger(name.Raw(), value, list.ReleaseAndGetAddressOf()));
        return list;
    }
    ComPtr<IStringConfigList> WithFloat(const AnsiString& name, double value) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithFloat(name.Raw(), value, list.ReleaseAndGetAddressOf()));
        return list;
    }
    ComPtr<IStringConfigList> WithDateTime(const AnsiString& name, double value) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithDateTime(name.Raw(), value, list.ReleaseAndGetAddressOf()));
        return list;
    }
    ComPtr<IStringConfigList> WithBoolean(const AnsiString& name, bool value) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithBoolean(name.Raw(), value, list.ReleaseAndGetAddressOf()));
        return list;
    }
    ComPtr<IStringConfigList> WithObject(const AnsiString& text, IInterface* object) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithObject(text.Raw(), object, list.ReleaseAndGetAddressOf()));
        return list;
    }
    int32_t AddLine(const AnsiString& text) {
        int32_t result = 0;
        orvo::CallOut().Check(raw_AddLine(text.Raw(), &result));
        return result;
    }
    ComPtr<IStringConfigList> WithLine(const AnsiString& text) {
        ComPtr<IStringConfigList> list;
        orvo::CallOut().Check(raw_WithLine(text.Raw(), list.ReleaseAndGetAddressOf()));
        return list;
    }
    AnsiString Join(const AnsiString& separator) {
        AnsiString text;
        orvo::CallOut().Check(raw_Join(separator.Raw(), text.ReleaseAndGetAddressOf()));
        return text;
    }
    bool FindName(const AnsiString& name, int32_t& index) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_FindName(name.Raw(), &index, &result));
        return result != 0;
    }
    bool IsPairAt(int32_t index) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_IsPairAt(index, &result));
        return result != 0;
    }
    bool Contains(const AnsiString& text) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_Contains(text.Raw(), &result));
        return result != 0;
    }
    ComPtr<IStrings> GetStrings() {
        ComPtr<IStrings> strings;
        orvo::CallOut().Check(raw_GetStrings(strings.ReleaseAndGetAddressOf()));
        return strings;
    }
    bool HasName(const AnsiString& name) {
        OrvoBool result = 0;
        orvo::CallOut().Check(raw_HasName(name.Raw(), &result));
        return result != 0;
    }
    void Clear() { orvo::CallOut().Check(raw_Clear()); }
    void FreeObjects() { orvo::CallOut().Check(raw_FreeObjects()); }
    void Remove(const AnsiString& text) { orvo::CallOut().Check(raw_Remove(text.Raw())); }
};
template <>
struct ComImpl<IStringConfigList> : IStringConfigList {
    virtual AnsiString GetFirst() = 0;
    virtual AnsiString GetLast() = 0;
    virtual bool GetBoolean(const AnsiString& name) = 0;
    virtual double GetDateTime(const AnsiString& name) = 0;
    virtual double GetFloat(const AnsiString& name) = 0;
    virtual int32_t GetInteger(const AnsiString& name) = 0;
    virtual ComPtr<IInterface> GetObject(const AnsiString& text) = 0;
    virtual AnsiString GetString(const AnsiString& name) = 0;
    virtual double GetFloatAt(int32_t index) = 0;
    virtual AnsiString GetValueAt(int32_t index) = 0;
    virtual int32_t GetIntegerAt(int32_t index) = 0;
    virtual ComPtr<IInterface> GetObjectAt(int32_t index) = 0;
    virtual AnsiString GetValueOrLineAt(int32_t index) = 0;
    virtual bool GetLineAsBoolean(int32_t index) = 0;
    virtual double GetLineAsDateTime(int32_t index) = 0;
    virtual double GetLineAsFloat(int32_t index) = 0;
    virtual int32_t GetLineAsInteger(int32_t index) = 0;
    virtual AnsiString GetLine(int32_t index) = 0;
    virtual void SetBoolean(const AnsiString& name, bool value) = 0;
    virtual void SetDateTime(const AnsiString& name, double value) = 0;
    virtual void SetFloat(const AnsiString& name, double value) = 0;
    virtual void SetInteger(const AnsiString& name, int32_t value) = 0;
    virtual void SetString(const AnsiString& name, const AnsiString& value) = 0;
    virtual void SetObject(const AnsiString& text, IInterface* object) = 0;
    virtual void SetFloatAt(int32_t index, double value) = 0;
    virtual void SetValueAt(int32_t index, const AnsiString& value) = 0;
    virtual void SetObjectAt(int32_t index, IInterface* object) = 0;
    virtual void SetIntegerAt(int32_t index, int32_t value) = 0;
    virtual void SetLineAsBoolean(int32_t index, bool value) = 0;
    virtual void SetLineAsDateTime(int32_t index, double value) = 0;
    virtual void SetLineAsFloat(int32_t index, double value) = 0;
    virtual void SetLineAsInteger(int32_t index, int32_t value) = 0;
    virtual void SetLine(int32_t index, const AnsiString& value) = 0;
    virtual AnsiString GetValueFromIndex(int32_t index) = 0;
    virtual void SetValueFromIndex(int32_t index, const AnsiString& value) = 0;
    virtual AnsiString GetNameAt(int32_t index) = 0;
    virtual AnsiString GetCommaText() = 0;
    virtual AnsiString GetDelimitedText() = 0;
    virtual AnsiString GetText() = 0;
    virtual int32_t GetCount() = 0;
    virtual int32_t AddString(const AnsiString& name, const AnsiString& value) = 0;
    virtual int32_t AddInteger(const AnsiString& name, int32_t value) = 0;
    virtual int32_t AddFloat(const AnsiString& name, double value) = 0;
    virtual int32_t AddDateTime(const AnsiString& name, double value) = 0;
    virtual int32_t AddBoolean(const AnsiString& name, bool value) = 0;
    virtual int32_t AddObject(const AnsiString& text, IInterface* object) = 0;
    virtual ComPtr<IStringConfigList> WithString(const AnsiString& name, const AnsiString& value) = 0;
    virtual ComPtr<IStringConfigList> WithInteger(const AnsiString& name, int32_t value) = 0;
    virtual ComPtr<IStringConfigList> WithFloat(const AnsiString& name, double value) = 0;
    virtual ComPtr<IStringConfigList> WithDateTime(const AnsiString& name, double value) = 0;
    virtual ComPtr<IStringConfigList> WithBoolean(const AnsiString& name, bool value) = 0;
    virtual ComPtr<IStringConfigList> WithObject(const AnsiString& text, IInterface* object) = 0;
    virtual int32_t AddLine(const AnsiString& text) = 0;
    virtual ComPtr<IStringConfigList> WithLine(const AnsiString& text) = 0;
    virtual AnsiString Join(const AnsiString& separator) = 0;
    virtual bool FindName(const AnsiString& name, int32_t& index) = 0;
    virtual bool IsPairAt(int32_t index) = 0;
    virtual bool Contains(const AnsiString& text) = 0;
    virtual ComPtr<IStrings> GetStrings() = 0;
    virtual bool HasName(const AnsiString& name) = 0;
    virtual void Clear() = 0;
    virtual void FreeObjects() = 0;
    virtual void Remove(const AnsiString& text) = 0;

    HRESULT32 ORVO_STDCALL raw_GetFirst(OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetFirst()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLast(OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetLast()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetBoolean(OrvoAnsiString name, OrvoBool* result) final {
        return orvo::ComBody(result, [&] { *result = GetBoolean(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetDateTime(OrvoAnsiString name, double* value) final {
        return orvo::ComBody(value, [&] { *value = GetDateTime(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetFloat(OrvoAnsiString name, double* value) final {
        return orvo::ComBody(value, [&] { *value = GetFloat(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetInteger(OrvoAnsiString name, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = GetInteger(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetObject(OrvoAnsiString text, IInterface** object) final {
        return orvo::ComBody(object, [&] { orvo::PutObject(object, GetObject(TBorrowedText(text))); });
    }
    HRESULT32 ORVO_STDCALL raw_GetString(OrvoAnsiString name, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetString(TBorrowedText(name))); });
    }
    HRESULT32 ORVO_STDCALL raw_GetFloatAt(int32_t index, double* value) final {
        return orvo::ComBody(value, [&] { *value = GetFloatAt(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetValueAt(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetValueAt(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetIntegerAt(int32_t index, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = GetIntegerAt(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetObjectAt(int32_t index, IInterface** object) final {
        return orvo::ComBody(object, [&] { orvo::PutObject(object, GetObjectAt(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetValueOrLineAt(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetValueOrLineAt(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLineAsBoolean(int32_t index, OrvoBool* result) final {
        return orvo::ComBody(result, [&] { *result = GetLineAsBoolean(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLineAsDateTime(int32_t index, double* value) final {
        return orvo::ComBody(value, [&] { *value = GetLineAsDateTime(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLineAsFloat(int32_t index, double* value) final {
        return orvo::ComBody(value, [&] { *value = GetLineAsFloat(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLineAsInteger(int32_t index, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = GetLineAsInteger(index); });
    }
    HRESULT32 ORVO_STDCALL raw_GetLine(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetLine(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_SetBoolean(OrvoAnsiString name, OrvoBool value) final {
        return orvo::ComBody([&] { SetBoolean(TBorrowedText(name), value != 0); });
    }
    HRESULT32 ORVO_STDCALL raw_SetDateTime(OrvoAnsiString name, double value) final {
        return orvo::ComBody([&] { SetDateTime(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetFloat(OrvoAnsiString name, double value) final {
        return orvo::ComBody([&] { SetFloat(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetInteger(OrvoAnsiString name, int32_t value) final {
        return orvo::ComBody([&] { SetInteger(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetString(OrvoAnsiString name, OrvoAnsiString value) final {
        return orvo::ComBody([&] { SetString(TBorrowedText(name), TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_SetObject(OrvoAnsiString text, IInterface* object) final {
        return orvo::ComBody([&] { SetObject(TBorrowedText(text), object); });
    }
    HRESULT32 ORVO_STDCALL raw_SetFloatAt(int32_t index, double value) final {
        return orvo::ComBody([&] { SetFloatAt(index, value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetValueAt(int32_t index, OrvoAnsiString value) final {
        return orvo::ComBody([&] { SetValueAt(index, TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_SetObjectAt(int32_t index, IInterface* object) final {
        return orvo::ComBody([&] { SetObjectAt(index, object); });
    }
    HRESULT32 ORVO_STDCALL raw_SetIntegerAt(int32_t index, int32_t value) final {
        return orvo::ComBody([&] { SetIntegerAt(index, value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetLineAsBoolean(int32_t index, OrvoBool value) final {
        return orvo::ComBody([&] { SetLineAsBoolean(index, value != 0); });
    }
    HRESULT32 ORVO_STDCALL raw_SetLineAsDateTime(int32_t index, double value) final {
        return orvo::ComBody([&] { SetLineAsDateTime(index, value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetLineAsFloat(int32_t index, double value) final {
        return orvo::ComBody([&] { SetLineAsFloat(index, value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetLineAsInteger(int32_t index, int32_t value) final {
        return orvo::ComBody([&] { SetLineAsInteger(index, value); });
    }
    HRESULT32 ORVO_STDCALL raw_SetLine(int32_t index, OrvoAnsiString value) final {
        return orvo::ComBody([&] { SetLine(index, TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetValueFromIndex(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetValueFromIndex(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_SetValueFromIndex(int32_t index, OrvoAnsiString value) final {
        return orvo::ComBody([&] { SetValueFromIndex(index, TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetNameAt(int32_t index, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetNameAt(index)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetCommaText(OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetCommaText()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetDelimitedText(OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetDelimitedText()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetText(OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, GetText()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetCount(int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = GetCount(); });
    }
    HRESULT32 ORVO_STDCALL raw_AddString(OrvoAnsiString name, OrvoAnsiString value, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddString(TBorrowedText(name), TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_AddInteger(OrvoAnsiString name, int32_t value, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddInteger(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_AddFloat(OrvoAnsiString name, double value, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddFloat(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_AddDateTime(OrvoAnsiString name, double value, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddDateTime(TBorrowedText(name), value); });
    }
    HRESULT32 ORVO_STDCALL raw_AddBoolean(OrvoAnsiString name, OrvoBool value, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddBoolean(TBorrowedText(name), value != 0); });
    }
    HRESULT32 ORVO_STDCALL raw_AddObject(OrvoAnsiString text, IInterface* object, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddObject(TBorrowedText(text), object); });
    }
    HRESULT32 ORVO_STDCALL raw_WithString(OrvoAnsiString name, OrvoAnsiString value, IStringConfigList** list) final {
        return orvo::ComBody(list,
            [&] { orvo::PutObject(list, WithString(TBorrowedText(name), TBorrowedText(value))); });
    }
    HRESULT32 ORVO_STDCALL raw_WithInteger(OrvoAnsiString name, int32_t value, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithInteger(TBorrowedText(name), value)); });
    }
    HRESULT32 ORVO_STDCALL raw_WithFloat(OrvoAnsiString name, double value, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithFloat(TBorrowedText(name), value)); });
    }
    HRESULT32 ORVO_STDCALL raw_WithDateTime(OrvoAnsiString name, double value, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithDateTime(TBorrowedText(name), value)); });
    }
    HRESULT32 ORVO_STDCALL raw_WithBoolean(OrvoAnsiString name, OrvoBool value, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithBoolean(TBorrowedText(name), value != 0)); });
    }
    HRESULT32 ORVO_STDCALL raw_WithObject(OrvoAnsiString text, IInterface* object, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithObject(TBorrowedText(text), object)); });
    }
    HRESULT32 ORVO_STDCALL raw_AddLine(OrvoAnsiString text, int32_t* result) final {
        return orvo::ComBody(result, [&] { *result = AddLine(TBorrowedText(text)); });
    }
    HRESULT32 ORVO_STDCALL raw_WithLine(OrvoAnsiString text, IStringConfigList** list) final {
        return orvo::ComBody(list, [&] { orvo::PutObject(list, WithLine(TBorrowedText(text))); });
    }
    HRESULT32 ORVO_STDCALL raw_Join(OrvoAnsiString separator, OrvoAnsiString* text) final {
        return orvo::ComBody(text, [&] { orvo::PutText(text, Join(TBorrowedText(separator))); });
    }
    HRESULT32 ORVO_STDCALL raw_FindName(OrvoAnsiString name, int32_t* index, OrvoBool* result) final {
        return orvo::ComBody(index, result, [&] { *result = FindName(TBorrowedText(name), *index); });
    }
    HRESULT32 ORVO_STDCALL raw_IsPairAt(int32_t index, OrvoBool* result) final {
        return orvo::ComBody(result, [&] { *result = IsPairAt(index); });
    }
    HRESULT32 ORVO_STDCALL raw_Contains(OrvoAnsiString text, OrvoBool* result) final {
        return orvo::ComBody(result, [&] { *result = Contains(TBorrowedText(text)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetStrings(IStrings** strings) final {
        return orvo::ComBody(strings, [&] { orvo::PutObject(strings, GetStrings()); });
    }
    HRESULT32 ORVO_STDCALL raw_HasName(OrvoAnsiString name, OrvoBool* result) final {
        return orvo::ComBody(result, [&] { *result = HasName(TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_Clear() final { return orvo::ComBody([&] { Clear(); }); }
    HRESULT32 ORVO_STDCALL raw_FreeObjects() final { return orvo::ComBody([&] { FreeObjects(); }); }
    HRESULT32 ORVO_STDCALL raw_Remove(OrvoAnsiString text) final {
        return orvo::ComBody([&] { Remove(TBorrowedText(text)); });
    }
};
