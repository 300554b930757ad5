// The configuration list every payment method carries: ordered text lines, mostly name=value,
// with typed readers and writers. The host may call any operation, so the order below, the
// argument and result types and every text form are part of the binary contract.
//
// Conventions of every operation below:
// - Text arguments are borrowed for the call; text results are new texts the caller owns.
// - "Name" operations use name lookup: the first line holding "=" whose text before the first
//   "=" equals Name, ignoring letter case under the user's locale. Whole-line comparisons
//   ignore letter case the same way.
// - Numbers are written in fixed notation with exactly 18 decimals (setters: 18 significant
//   digits, add operations: 10), in the user's decimal separator.
// - An index outside the lines raises EStringListError "List index out of bounds (%d)"; the
//   strict readers raise EConvertError. A failed operation leaves the list as it was.
// - Attached objects are borrowed: the list never destroys them except in FreeObjects.
#pragma once
#include "OrvoTypes.h"

struct IStringConfigList : IInterface {
    static constexpr TGUID IID = ParseGuid("{F6E10E87-DF36-40E3-BB1E-F10BAD1B413F}");

    // 1. The first line; empty when the list is empty.
    virtual AnsiString ORVO_STDCALL GetFirst() = 0;
    // 2. The last line; empty when the list is empty.
    virtual AnsiString ORVO_STDCALL GetLast() = 0;
    // 3. The named value read leniently as a Boolean; false when missing or unreadable.
    virtual bool ORVO_STDCALL GetBoolean(const AnsiString& name) = 0;
    // 4. As GetFloat.
    virtual double ORVO_STDCALL GetDateTime(const AnsiString& name) = 0;
    // 5. The named value read leniently as a number; 0 when missing or unreadable.
    virtual double ORVO_STDCALL GetFloat(const AnsiString& name) = 0;
    // 6. The named value read leniently as a 32-bit integer; 0 when missing or unreadable.
    virtual int32_t ORVO_STDCALL GetInteger(const AnsiString& name) = 0;
    // 7. The object attached to the first line equal to text (borrowed; null when none);
    //    raises the index error with -1 when no line is equal.
    virtual TObject* ORVO_STDCALL GetObject(const AnsiString& text) = 0;
    // 8. The named line after the name and "=", cut at the length of name; empty when missing.
    virtual AnsiString ORVO_STDCALL GetString(const AnsiString& name) = 0;
    // 9. GetValueFromIndex(index) read leniently as a number; index past the end raises.
    virtual double ORVO_STDCALL GetFloatAt(int32_t index) = 0;
    // 10. As GetValueFromIndex.
    virtual AnsiString ORVO_STDCALL GetValueAt(int32_t index) = 0;
    // 11. GetValueFromIndex(index) read leniently as an integer; index past the end raises.
    virtual int32_t ORVO_STDCALL GetIntegerAt(int32_t index) = 0;
    // 12. The object attached to line index (borrowed; null when none); out of range raises.
    virtual TObject* ORVO_STDCALL GetObjectAt(int32_t index) = 0;
    // 13. Empty for a negative index; else the line after its first "=", or the whole line
    //     without one; past the end raises.
    virtual AnsiString ORVO_STDCALL GetValueOrLineAt(int32_t index) = 0;
    // 14. The whole line read strictly as a Boolean; raises EConvertError when it is not one.
    virtual bool ORVO_STDCALL GetLineAsBoolean(int32_t index) = 0;
    // 15. The whole line read strictly as a date and time in the short date format; raises EConvertError.
    virtual double ORVO_STDCALL GetLineAsDateTime(int32_t index) = 0;
    // 16. The whole line read strictly as a number; raises EConvertError when it is not one.
    virtual double ORVO_STDCALL GetLineAsFloat(int32_t index) = 0;
    // 17. The whole line read strictly as an integer; raises EConvertError when it is not one.
    virtual int32_t ORVO_STDCALL GetLineAsInteger(int32_t index) = 0;
    // 18. Line index; out of range raises.
    virtual AnsiString ORVO_STDCALL GetLine(int32_t index) = 0;
    // 19. SetString(name, "True" or "False").
    virtual void ORVO_STDCALL SetBoolean(const AnsiString& name, bool value) = 0;
    // 20. As SetFloat.
    virtual void ORVO_STDCALL SetDateTime(const AnsiString& name, double value) = 0;
    // 21. SetString(name, value with 18 significant digits).
    virtual void ORVO_STDCALL SetFloat(const AnsiString& name, double value) = 0;
    // 22. SetString(name, value in decimal).
    virtual void ORVO_STDCALL SetInteger(const AnsiString& name, int32_t value) = 0;
    // 23. Replaces or appends the line name=value; an empty value deletes the named line.
    virtual void ORVO_STDCALL SetString(const AnsiString& name, const AnsiString& value) = 0;
    // 24. Attaches object (borrowed) to the first line equal to text; raises with -1 when none.
    virtual void ORVO_STDCALL SetObject(const AnsiString& text, TObject* object) = 0;
    // 25. SetValueFromIndex(index, value with 18 significant digits).
    virtual void ORVO_STDCALL SetFloatAt(int32_t index, double value) = 0;
    // 26. Line index becomes its name, "=" and value (even empty); out of range (negative too) raises.
    virtual void ORVO_STDCALL SetValueAt(int32_t index, const AnsiString& value) = 0;
    // 27. Attaches object (borrowed) to line index; out of range raises.
    virtual void ORVO_STDCALL SetObjectAt(int32_t index, TObject* object) = 0;
    // 28. SetValueFromIndex(index, value in decimal).
    virtual void ORVO_STDCALL SetIntegerAt(int32_t index, int32_t value) = 0;
    // 29. Does nothing.
    virtual void ORVO_STDCALL SetLineAsBoolean(int32_t index, bool value) = 0;
    // 30. Does nothing.
    virtual void ORVO_STDCALL SetLineAsDateTime(int32_t index, double value) = 0;
    // 31. Does nothing.
    virtual void ORVO_STDCALL SetLineAsFloat(int32_t index, double value) = 0;
    // 32. Does nothing.
    virtual void ORVO_STDCALL SetLineAsInteger(int32_t index, int32_t value) = 0;
    // 33. Does nothing.
    virtual void ORVO_STDCALL SetLine(int32_t index, const AnsiString& value) = 0;
    // 34. Empty for a negative index or a line without "="; else the text after the first "=";
    //     past the end raises.
    virtual AnsiString ORVO_STDCALL GetValueFromIndex(int32_t index) = 0;
    // 35. Sets the value of line index (a negative index appends); an empty value deletes line
    //     index (nothing for a negative one); past the end raises.
    virtual void ORVO_STDCALL SetValueFromIndex(int32_t index, const AnsiString& value) = 0;
    // 36. The text before the first "=" of line index (empty without one); out of range raises.
    virtual AnsiString ORVO_STDCALL GetNameAt(int32_t index) = 0;
    // 37. The lines joined with ",", quoted where needed.
    virtual AnsiString ORVO_STDCALL GetCommaText() = 0;
    // 38. The lines joined with ";", quoted where needed.
    virtual AnsiString ORVO_STDCALL GetDelimitedText() = 0;
    // 39. Every line followed by carriage return and line feed.
    virtual AnsiString ORVO_STDCALL GetText() = 0;
    // 40. Number of lines.
    virtual int32_t ORVO_STDCALL GetCount() = 0;
    // 41. Appends name=value (even when present or empty); returns the new line's index.
    virtual int32_t ORVO_STDCALL AddString(const AnsiString& name, const AnsiString& value) = 0;
    // 42. AddString(name, value in decimal).
    virtual int32_t ORVO_STDCALL AddInteger(const AnsiString& name, int32_t value) = 0;
    // 43. AddString(name, value with 10 significant digits).
    virtual int32_t ORVO_STDCALL AddFloat(const AnsiString& name, double value) = 0;
    // 44. As AddFloat.
    virtual int32_t ORVO_STDCALL AddDateTime(const AnsiString& name, double value) = 0;
    // 45. AddString(name, "True" or "False").
    virtual int32_t ORVO_STDCALL AddBoolean(const AnsiString& name, bool value) = 0;
    // 46. Appends the line text with object (borrowed) attached; returns its index.
    virtual int32_t ORVO_STDCALL AddObject(const AnsiString& text, TObject* object) = 0;
    // 47. AddString; returns a new reference to this list for chaining.
    virtual IStringConfigList* ORVO_STDCALL WithString(const AnsiString& name, const AnsiString& value) = 0;
    // 48. AddInteger; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithInteger(const AnsiString& name, int32_t value) = 0;
    // 49. AddFloat; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithFloat(const AnsiString& name, double value) = 0;
    // 50. AddDateTime; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithDateTime(const AnsiString& name, double value) = 0;
    // 51. AddBoolean; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithBoolean(const AnsiString& name, bool value) = 0;
    // 52. AddObject; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithObject(const AnsiString& text, TObject* object) = 0;
    // 53. Appends text as a line; returns its index.
    virtual int32_t ORVO_STDCALL AddLine(const AnsiString& text) = 0;
    // 54. Appends text as a line; returns a new reference to this list.
    virtual IStringConfigList* ORVO_STDCALL WithLine(const AnsiString& text) = 0;
    // 55. The lines with separator between neighbours; empty for an empty list.
    virtual AnsiString ORVO_STDCALL Join(const AnsiString& separator) = 0;
    // 56. True with the named line's index in index; false with -1.
    virtual bool ORVO_STDCALL FindName(const AnsiString& name, int32_t& index) = 0;
    // 57. False for a negative index; else whether line index holds "="; past the end raises.
    virtual bool ORVO_STDCALL IsPairAt(int32_t index) = 0;
    // 58. True when some line equals text.
    virtual bool ORVO_STDCALL Contains(const AnsiString& text) = 0;
    // 59. The list's own line container (not a copy); it stays owned by the list.
    virtual TStrings* ORVO_STDCALL GetStrings() = 0;
    // 60. True when name lookup finds name.
    virtual bool ORVO_STDCALL HasName(const AnsiString& name) = 0;
    // 61. Removes every line; attached objects stay alive.
    virtual void ORVO_STDCALL Clear() = 0;
    // 62. Destroys each attached object, first line to last, and detaches it; the lines stay.
    virtual void ORVO_STDCALL FreeObjects() = 0;
    // 63. Deletes the line found by name lookup, else the first line equal to text; nothing when neither.
    virtual void ORVO_STDCALL Remove(const AnsiString& text) = 0;
};
