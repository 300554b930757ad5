// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
//
// The binary contract as plain C++ for a host of any compiler (MSVC, clang, g++): abstract
// structs of ORVO_STDCALL virtual methods in slot order, as a COM host declares them, without
// the standard library, exceptions or RTTI. The shared types, the identifiers and the text
// block's helpers are those of the C face (OrvoContract.h), which this header holds in the
// namespace orvo_c; the interfaces are declared here at global scope, so include either this
// header or the C one or the module's own C++ headers (intf*.h), not two of them in one scope.
// Every method returns an HRESULT (negative: failed, with the thread's error object set) and
// hands its results back through pointers; what each does is told beside it.
#ifndef ORVO_CONTRACT_HPP
#define ORVO_CONTRACT_HPP

#include <stddef.h>
#include <stdint.h>

namespace orvo_c {
#include "OrvoContract.h"
}

using orvo_c::Currency;
using orvo_c::OrvoAnsiString;
using orvo_c::OrvoBool;
using orvo_c::TDateTime;
using orvo_c::TGUID;
using orvo_c::TSQLArg;
using orvo_c::TSQLArgs;
using orvo_c::TFormControlInfo;
using orvo_c::OrvoTextAddRef;
using orvo_c::OrvoTextChars;
using orvo_c::OrvoTextLength;
using orvo_c::OrvoTextNew;
using orvo_c::OrvoTextOf;
using orvo_c::OrvoTextRelease;

struct IStrings;
struct IDIFactory;
struct IDIContainer;
struct IDBScript;
struct IActCodes;
struct IAuthentication;
struct IDatabaseChanges;
struct IEventManager;
struct IExtraPaymentsManagement;
struct IExtraPaymentsTransaction;
struct IFormView;
struct IFormHost;
struct IGenericInput;
struct IHTMLViewer;
struct IMainMenuManager;
struct IStringConfigList;
struct IPaymentMethod;

// Event handler: the event's name (borrowed) and two further arguments of the host's.
struct TEventHandler {
    int32_t(ORVO_STDCALL* Code)(void* data, OrvoAnsiString eventName, void* sender, void* extra);
    void* Data;
};

// Menu click handler: the host passes the menu item as sender; the module reads nothing of it.
struct TMenuClickEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, void* sender);
    void* Data;
};

// The host's change handler: called with the payment method's own reference after a change.
struct TPaymentChangeEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, IPaymentMethod* paymentMethod);
    void* Data;
};

// Adds one cash-up row; the texts are borrowed. Note: invoice first, shift second
// (AddCashupEntry takes the shift first).
struct TAddCashupEntryEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name,
                                OrvoAnsiString parentName, int32_t a, double value, int32_t b, int32_t c);
    void* Data;
};

// Removes one cash-up row.
struct TRemoveCashupEntryEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name);
    void* Data;
};

// The base interface: every table starts with its three slots.
struct IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IInterface;
    virtual int32_t ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int32_t ORVO_STDCALL AddRef() = 0;
    virtual int32_t ORVO_STDCALL Release() = 0;
};

// An ordered list of lines that one side owns and the other fills or reads.
struct IStrings : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IStrings;
    // Number of lines.
    virtual int32_t ORVO_STDCALL GetCount(int32_t* count) = 0;
    // Line index (0 first), a new text; fails (EStringListError) when out of range.
    virtual int32_t ORVO_STDCALL Get(int32_t index, OrvoAnsiString* line) = 0;
    // Appends a copy of line (borrowed); its index.
    virtual int32_t ORVO_STDCALL Add(OrvoAnsiString line, int32_t* index) = 0;
};

// A factory: a new object on every call.
struct IDIFactory : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IDIFactory;
    // Makes a new object on every call; *obj: a new reference to its base interface.
    virtual int32_t ORVO_STDCALL CreateObject(IInterface** obj) = 0;
};

// The host's service container, handed to InitModule.
struct IDIContainer : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IDIContainer;
    // Keeps a reference to obj and serves it for iid through GetInstance.
    virtual int32_t ORVO_STDCALL RegisterInstance(const TGUID& iid, IInterface* obj) = 0;
    // Keeps a reference to factory; Resolve(iid) calls it.
    virtual int32_t ORVO_STDCALL RegisterFactory(const TGUID& iid, IDIFactory* factory) = 0;
    // Keeps a reference to factory; ResolveNamed(iid, name) calls it. name is borrowed.
    virtual int32_t ORVO_STDCALL RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name, IDIFactory* factory) = 0;
    // Drops the instance registered for iid and its reference.
    virtual int32_t ORVO_STDCALL UnregisterInstance(const TGUID& iid) = 0;
    // Drops the factory registered for iid and its reference.
    virtual int32_t ORVO_STDCALL UnregisterFactory(const TGUID& iid) = 0;
    // Drops the factory registered for iid under name and its reference.
    virtual int32_t ORVO_STDCALL UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) = 0;
    // *found true with a new reference to the shared object in *obj (as iid); false and null when none.
    virtual int32_t ORVO_STDCALL GetInstance(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    // *found true with a new object from iid's factory in *obj (as iid); false and null when none.
    virtual int32_t ORVO_STDCALL Resolve(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    // As Resolve, with the factory registered under name.
    virtual int32_t ORVO_STDCALL ResolveNamed(const TGUID& iid, OrvoAnsiString name, void** obj, OrvoBool* found) = 0;
};

// The host's database script service (Resolve); one object per operation.
struct IDBScript : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IDBScript;
    // Fills the pattern from args and runs it; *result is the host's and never interpreted.
    // Fails when the statement fails.
    virtual int32_t ORVO_STDCALL ExecSQL(OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) = 0;
    // Runs a complete batch; *value: the named column of the first row of its result as text.
    virtual int32_t ORVO_STDCALL QueryValue(OrvoAnsiString batch, OrvoAnsiString column, OrvoAnsiString* value) = 0;
    // Fills and runs the pattern; *json: the whole result as a JSON array of row objects.
    virtual int32_t ORVO_STDCALL QueryJSON(OrvoAnsiString pattern, const TSQLArgs* args, OrvoAnsiString* json) = 0;
};

// The host's access-code list (Resolve).
struct IActCodes : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IActCodes;
    // Registers code with its description; the two values are the host's (the module passes 1, 1).
    virtual int32_t ORVO_STDCALL AddActCode(OrvoAnsiString code, OrvoAnsiString description, int32_t a, int32_t b) = 0;
    // Links code under linkCode in the host's access tree.
    virtual int32_t ORVO_STDCALL LinkActCode(OrvoAnsiString code, OrvoAnsiString linkCode) = 0;
};

// The host's access check (Resolve).
struct IAuthentication : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IAuthentication;
    // *granted true when the current user may proceed with code. The out values (a new text the
    // caller releases, an integer) and the two trailing arguments are the host's; the module
    // passes 1 and 0 and reads neither out value.
    virtual int32_t ORVO_STDCALL CheckAccess(OrvoAnsiString code, OrvoAnsiString* userName, int32_t* userId,
                                             int32_t prompt, int32_t options, OrvoBool* granted) = 0;
};

// The module's schema scripts and access codes (ResolveNamed "ExtraPayments").
struct IDatabaseChanges : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IDatabaseChanges;
    // Appends the module's scripts to scripts (the host's list, lent for the call; one entry per
    // script) and registers its access codes. The first argument is the host's and is ignored.
    virtual int32_t ORVO_STDCALL GetChanges(int32_t version, IStrings* scripts) = 0;
};

// The host's event manager (GetInstance).
struct IEventManager : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IEventManager;
    // The handler runs at every raise of eventName; the host keeps it and offers no unsubscribe.
    virtual int32_t ORVO_STDCALL Subscribe(OrvoAnsiString eventName, TEventHandler handler) = 0;
};

// The key of the module's management object; no methods of its own.
struct IExtraPaymentsManagement : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IExtraPaymentsManagement;
};

// The module's transaction record service (Resolve).
struct IExtraPaymentsTransaction : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IExtraPaymentsTransaction;
    // Inserts a row for the method; *id: its new ID, or -1 on any failure (never fails itself).
    virtual int32_t ORVO_STDCALL AddTransaction(OrvoAnsiString paymentMethod, int32_t* id) = 0;
    // Sets the row's amount (rands, gratuity included) and reference; an amount that is no
    // number (NaN, infinite) is refused before any statement; errors reach the caller.
    virtual int32_t ORVO_STDCALL UpdateTransaction(int32_t transactionId, OrvoAnsiString reference, double amount) = 0;
    // Ties the row to the invoice; errors reach the caller.
    virtual int32_t ORVO_STDCALL SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) = 0;
};

// A form while it is shown. Every operation works on the thread that called IFormHost::ShowModal;
// once ShowModal has returned the view is closed and every operation answers as for an unknown
// control. Controls are addressed by index, 0 to GetControlCount() - 1, in the order the form
// declares them.
struct IFormView : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IFormView;
    // The title bar text; a new text.
    virtual int32_t ORVO_STDCALL GetCaption(OrvoAnsiString* caption) = 0;
    // Client area in pixels at 96 dpi; 0 when closed.
    virtual int32_t ORVO_STDCALL GetClientWidth(int32_t* width) = 0;
    virtual int32_t ORVO_STDCALL GetClientHeight(int32_t* height) = 0;
    // Number of controls; 0 when closed.
    virtual int32_t ORVO_STDCALL GetControlCount(int32_t* count) = 0;
    // Fills info for the control: the texts it held (the caller's, or null) are released and
    // replaced by new ones; *found false for an unknown index.
    virtual int32_t ORVO_STDCALL GetControl(int32_t index, TFormControlInfo* info, OrvoBool* found) = 0;
    // Index of the control with that name (exact case); -1 when there is none.
    virtual int32_t ORVO_STDCALL IndexOfControl(OrvoAnsiString name, int32_t* index) = 0;
    // Current text of the control (edit contents or caption); empty for an unknown index.
    virtual int32_t ORVO_STDCALL GetText(int32_t index, OrvoAnsiString* text) = 0;
    // Types text into an editable edit box, replacing its contents; *done false for any other control.
    virtual int32_t ORVO_STDCALL SetText(int32_t index, OrvoAnsiString text, OrvoBool* done) = 0;
    // Date-time held by a date picker; *done false (date untouched) for any other control.
    virtual int32_t ORVO_STDCALL GetDate(int32_t index, TDateTime* date, OrvoBool* done) = 0;
    // Picks a date-time in a date picker; *done false for any other control. A date that is no
    // number or outside the years 1 to 9999 fails (EConvertError) and the picker keeps its date.
    virtual int32_t ORVO_STDCALL SetDate(int32_t index, TDateTime date, OrvoBool* done) = 0;
    // Presses a button: runs its click handler, then sets the form's modal result to the
    // button's. A handler's error goes to IFormHost::ReportError, leaves the form open and
    // gives *done false; false too for anything that is not a button.
    virtual int32_t ORVO_STDCALL Click(int32_t index, OrvoBool* done) = 0;
    // The result the form is closing with; mrNone while it stays open.
    virtual int32_t ORVO_STDCALL GetModalResult(int32_t* result) = 0;
};

// Registered by the host with RegisterInstance; the module looks it up with GetInstance on every
// ShowModal, on every platform.
struct IFormHost : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IFormHost;
    // Shows the form and returns once its modal result is set, or when the host closes it
    // otherwise (taken as Cancel, like the title bar's close box). The view is lent for the call.
    virtual int32_t ORVO_STDCALL ShowModal(IFormView* form) = 0;
    // An error raised by a click handler while the form is shown; the form stays open.
    virtual int32_t ORVO_STDCALL ReportError(IFormView* form, OrvoAnsiString message) = 0;
};

// The host's numeric input popup (ResolveNamed "Currency").
struct IGenericInput : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IGenericInput;
    // Sets the prompt shown above the keypad.
    virtual int32_t ORVO_STDCALL SetCaption(OrvoAnsiString caption) = 0;
    // Shows the popup with initial text; *confirmed true with the typed text, a new text, in
    // *entered (which the caller passes empty); false leaves *entered empty.
    virtual int32_t ORVO_STDCALL Execute(OrvoAnsiString initial, OrvoAnsiString* entered, OrvoBool* confirmed) = 0;
};

// The host's HTML viewer (Resolve).
struct IHTMLViewer : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IHTMLViewer;
    // Shows the page (borrowed); the viewer keeps its own reference or copy while it shows it.
    virtual int32_t ORVO_STDCALL ShowHTML(OrvoAnsiString page) = 0;
};

// The host's main menu (GetInstance).
struct IMainMenuManager : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IMainMenuManager;
    // Appends an item to the menu named parent at position (-1: at the end). Caption "-" with
    // no handler is a separator. The host keeps the handler as long as the item exists.
    virtual int32_t ORVO_STDCALL AddMenuItem(OrvoAnsiString parent, OrvoAnsiString caption, TMenuClickEvent onClick,
                                             int32_t position) = 0;
};

// A payment method's configuration list (IPaymentMethod::GetConfig).
struct IStringConfigList : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IStringConfigList;
    // The first line; empty when the list is empty.
    virtual int32_t ORVO_STDCALL GetFirst(OrvoAnsiString* text) = 0;
    // The last line; empty when the list is empty.
    virtual int32_t ORVO_STDCALL GetLast(OrvoAnsiString* text) = 0;
    // The named value read leniently as a Boolean; false when missing or unreadable.
    virtual int32_t ORVO_STDCALL GetBoolean(OrvoAnsiString name, OrvoBool* result) = 0;
    // As GetFloat.
    virtual int32_t ORVO_STDCALL GetDateTime(OrvoAnsiString name, double* value) = 0;
    // The named value read leniently as a number; 0 when missing or unreadable.
    virtual int32_t ORVO_STDCALL GetFloat(OrvoAnsiString name, double* value) = 0;
    // The named value read leniently as a 32-bit integer; 0 when missing or unreadable.
    virtual int32_t ORVO_STDCALL GetInteger(OrvoAnsiString name, int32_t* result) = 0;
    // The object attached to the first line equal to text (null when none); fails
    // with the index error with -1 when no line is equal.
    virtual int32_t ORVO_STDCALL GetObject(OrvoAnsiString text, IInterface** object) = 0;
    // The named line after the name and "=", cut at the length of name; empty when missing.
    virtual int32_t ORVO_STDCALL GetString(OrvoAnsiString name, OrvoAnsiString* text) = 0;
    // GetValueFromIndex(index) read leniently as a number; index past the end fails.
    virtual int32_t ORVO_STDCALL GetFloatAt(int32_t index, double* value) = 0;
    // As GetValueFromIndex.
    virtual int32_t ORVO_STDCALL GetValueAt(int32_t index, OrvoAnsiString* text) = 0;
    // GetValueFromIndex(index) read leniently as an integer; index past the end fails.
    virtual int32_t ORVO_STDCALL GetIntegerAt(int32_t index, int32_t* result) = 0;
    // The object attached to line index (null when none); out of range fails.
    virtual int32_t ORVO_STDCALL GetObjectAt(int32_t index, IInterface** object) = 0;
    // Empty for a negative index; else the line after its first "=", or the whole line
    // without one; past the end fails.
    virtual int32_t ORVO_STDCALL GetValueOrLineAt(int32_t index, OrvoAnsiString* text) = 0;
    // The whole line read strictly as a Boolean; fails with EConvertError when it is not one.
    virtual int32_t ORVO_STDCALL GetLineAsBoolean(int32_t index, OrvoBool* result) = 0;
    // The whole line read strictly as a date and time in the short date format; fails with EConvertError.
    virtual int32_t ORVO_STDCALL GetLineAsDateTime(int32_t index, double* value) = 0;
    // The whole line read strictly as a number; fails with EConvertError when it is not one.
    virtual int32_t ORVO_STDCALL GetLineAsFloat(int32_t index, double* value) = 0;
    // The whole line read strictly as an integer; fails with EConvertError when it is not one.
    virtual int32_t ORVO_STDCALL GetLineAsInteger(int32_t index, int32_t* result) = 0;
    // Line index; out of range fails.
    virtual int32_t ORVO_STDCALL GetLine(int32_t index, OrvoAnsiString* text) = 0;
    // SetString(name, "True" or "False").
    virtual int32_t ORVO_STDCALL SetBoolean(OrvoAnsiString name, OrvoBool value) = 0;
    // As SetFloat.
    virtual int32_t ORVO_STDCALL SetDateTime(OrvoAnsiString name, double value) = 0;
    // SetString(name, value with 18 significant digits).
    virtual int32_t ORVO_STDCALL SetFloat(OrvoAnsiString name, double value) = 0;
    // SetString(name, value in decimal).
    virtual int32_t ORVO_STDCALL SetInteger(OrvoAnsiString name, int32_t value) = 0;
    // Replaces or appends the line name=value; an empty value deletes the named line.
    virtual int32_t ORVO_STDCALL SetString(OrvoAnsiString name, OrvoAnsiString value) = 0;
    // Attaches object to the first line equal to text; fails with -1 when none.
    virtual int32_t ORVO_STDCALL SetObject(OrvoAnsiString text, IInterface* object) = 0;
    // SetValueFromIndex(index, value with 18 significant digits).
    virtual int32_t ORVO_STDCALL SetFloatAt(int32_t index, double value) = 0;
    // Line index becomes its name, "=" and value (even empty); out of range (negative too) fails.
    virtual int32_t ORVO_STDCALL SetValueAt(int32_t index, OrvoAnsiString value) = 0;
    // Attaches object to line index; out of range fails.
    virtual int32_t ORVO_STDCALL SetObjectAt(int32_t index, IInterface* object) = 0;
    // SetValueFromIndex(index, value in decimal).
    virtual int32_t ORVO_STDCALL SetIntegerAt(int32_t index, int32_t value) = 0;
    // Does nothing.
    virtual int32_t ORVO_STDCALL SetLineAsBoolean(int32_t index, OrvoBool value) = 0;
    // Does nothing.
    virtual int32_t ORVO_STDCALL SetLineAsDateTime(int32_t index, double value) = 0;
    // Does nothing.
    virtual int32_t ORVO_STDCALL SetLineAsFloat(int32_t index, double value) = 0;
    // Does nothing.
    virtual int32_t ORVO_STDCALL SetLineAsInteger(int32_t index, int32_t value) = 0;
    // Does nothing.
    virtual int32_t ORVO_STDCALL SetLine(int32_t index, OrvoAnsiString value) = 0;
    // Empty for a negative index or a line without "="; else the text after the first "=";
    // past the end fails.
    virtual int32_t ORVO_STDCALL GetValueFromIndex(int32_t index, OrvoAnsiString* text) = 0;
    // Sets the value of line index (a negative index appends); an empty value deletes line
    // index (nothing for a negative one); past the end fails.
    virtual int32_t ORVO_STDCALL SetValueFromIndex(int32_t index, OrvoAnsiString value) = 0;
    // The text before the first "=" of line index (empty without one); out of range fails.
    virtual int32_t ORVO_STDCALL GetNameAt(int32_t index, OrvoAnsiString* text) = 0;
    // The lines joined with ",", quoted where needed.
    virtual int32_t ORVO_STDCALL GetCommaText(OrvoAnsiString* text) = 0;
    // The lines joined with ";", quoted where needed.
    virtual int32_t ORVO_STDCALL GetDelimitedText(OrvoAnsiString* text) = 0;
    // Every line followed by carriage return and line feed.
    virtual int32_t ORVO_STDCALL GetText(OrvoAnsiString* text) = 0;
    // Number of lines.
    virtual int32_t ORVO_STDCALL GetCount(int32_t* result) = 0;
    // Appends name=value (even when present or empty); returns the new line's index.
    virtual int32_t ORVO_STDCALL AddString(OrvoAnsiString name, OrvoAnsiString value, int32_t* result) = 0;
    // AddString(name, value in decimal).
    virtual int32_t ORVO_STDCALL AddInteger(OrvoAnsiString name, int32_t value, int32_t* result) = 0;
    // AddString(name, value with 10 significant digits).
    virtual int32_t ORVO_STDCALL AddFloat(OrvoAnsiString name, double value, int32_t* result) = 0;
    // As AddFloat.
    virtual int32_t ORVO_STDCALL AddDateTime(OrvoAnsiString name, double value, int32_t* result) = 0;
    // AddString(name, "True" or "False").
    virtual int32_t ORVO_STDCALL AddBoolean(OrvoAnsiString name, OrvoBool value, int32_t* result) = 0;
    // Appends the line text with object attached; returns its index.
    virtual int32_t ORVO_STDCALL AddObject(OrvoAnsiString text, IInterface* object, int32_t* result) = 0;
    // AddString; returns a new reference to this list for chaining.
    virtual int32_t ORVO_STDCALL WithString(OrvoAnsiString name, OrvoAnsiString value, IStringConfigList** list) = 0;
    // AddInteger; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithInteger(OrvoAnsiString name, int32_t value, IStringConfigList** list) = 0;
    // AddFloat; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithFloat(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    // AddDateTime; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithDateTime(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    // AddBoolean; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithBoolean(OrvoAnsiString name, OrvoBool value, IStringConfigList** list) = 0;
    // AddObject; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithObject(OrvoAnsiString text, IInterface* object, IStringConfigList** list) = 0;
    // Appends text as a line; returns its index.
    virtual int32_t ORVO_STDCALL AddLine(OrvoAnsiString text, int32_t* result) = 0;
    // Appends text as a line; returns a new reference to this list.
    virtual int32_t ORVO_STDCALL WithLine(OrvoAnsiString text, IStringConfigList** list) = 0;
    // The lines with separator between neighbours; empty for an empty list.
    virtual int32_t ORVO_STDCALL Join(OrvoAnsiString separator, OrvoAnsiString* text) = 0;
    // True with the named line's index in index; false with -1.
    virtual int32_t ORVO_STDCALL FindName(OrvoAnsiString name, int32_t* index, OrvoBool* result) = 0;
    // False for a negative index; else whether line index holds "="; past the end fails.
    virtual int32_t ORVO_STDCALL IsPairAt(int32_t index, OrvoBool* result) = 0;
    // True when some line equals text.
    virtual int32_t ORVO_STDCALL Contains(OrvoAnsiString text, OrvoBool* result) = 0;
    // The list's own line container (not a copy).
    virtual int32_t ORVO_STDCALL GetStrings(IStrings** strings) = 0;
    // True when name lookup finds name.
    virtual int32_t ORVO_STDCALL HasName(OrvoAnsiString name, OrvoBool* result) = 0;
    // Removes every line, releasing the attached objects.
    virtual int32_t ORVO_STDCALL Clear() = 0;
    // Releases each attached object, first line to last, and detaches it; the lines stay.
    virtual int32_t ORVO_STDCALL FreeObjects() = 0;
    // Deletes the line found by name lookup, else the first line equal to text; nothing when neither.
    virtual int32_t ORVO_STDCALL Remove(OrvoAnsiString text) = 0;
};

// A payment method (ResolveNamed with its display name).
struct IPaymentMethod : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IPaymentMethod;
    // Sets the amount to settle (gratuity excluded); notifies once when it changes.
    virtual int32_t ORVO_STDCALL SetAmount(Currency value) = 0;
    // Stores the change handler; an unset handler notifies nobody.
    virtual int32_t ORVO_STDCALL SetOnChange(TPaymentChangeEvent handler) = 0;
    // Sets the gratuity; notifies once when it changes.
    virtual int32_t ORVO_STDCALL SetGratuity(Currency value) = 0;
    virtual int32_t ORVO_STDCALL GetAmount(Currency* value) = 0;
    virtual int32_t ORVO_STDCALL GetOnChange(TPaymentChangeEvent* handler) = 0;
    virtual int32_t ORVO_STDCALL GetGratuity(Currency* value) = 0;
    // A new reference to the method's own configuration list (the same list on every call).
    virtual int32_t ORVO_STDCALL GetConfig(IStringConfigList** config) = 0;
    virtual int32_t ORVO_STDCALL SetDescription(OrvoAnsiString value) = 0;
    // The display name, e.g. "Uber", a new text; the three return the same text.
    virtual int32_t ORVO_STDCALL GetName(OrvoAnsiString* name) = 0;
    virtual int32_t ORVO_STDCALL GetCaption(OrvoAnsiString* caption) = 0;
    virtual int32_t ORVO_STDCALL GetPaymentType(OrvoAnsiString* paymentType) = 0;
    // Opens the payment details window; *paid true when the payment is confirmed and recorded.
    virtual int32_t ORVO_STDCALL DoPaymentPopup(OrvoBool* paid) = 0;
    // Returns the object to its starting state without notifying.
    virtual int32_t ORVO_STDCALL Clear() = 0;
    // Adds the cash-up rows through addEntry; errors reach the host.
    virtual int32_t ORVO_STDCALL AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) = 0;
    // Removes the cash-up rows through removeEntry and the database; errors reach the host.
    virtual int32_t ORVO_STDCALL RemoveCashupEntry(int32_t shift, int32_t invoice,
                                                   TRemoveCashupEntryEvent removeEntry) = 0;
    // Ties the payment's transaction row to the saved invoice; errors reach the host.
    virtual int32_t ORVO_STDCALL InsertSQL(int32_t invoiceNum) = 0;
    // Hooks of the host's declaration; they do nothing here.
    virtual int32_t ORVO_STDCALL HostHookA(void* a, void* b) = 0;
    virtual int32_t ORVO_STDCALL HostHookB(void* a, void* b) = 0;
    virtual int32_t ORVO_STDCALL HostHookC(void* a, void* b) = 0;
};

// COM's error interfaces as this face's structs, slot for slot, for a host without the SDK's
// headers (the C face tells the rules): every object the module hands out answers
// IOrvoSupportErrorInfo (ISupportErrorInfo); on Windows oleaut32's GetErrorInfo, SetErrorInfo and
// CreateErrorInfo take IOrvoErrorInfo (IErrorInfo) and IOrvoCreateErrorInfo (ICreateErrorInfo),
// whose texts are BSTRs (SysFreeString frees what a getter returns).
struct IOrvoSupportErrorInfo : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IOrvoSupportErrorInfo;
    // ORVO_S_OK when a failing method of interface iid leaves the error object.
    virtual int32_t ORVO_STDCALL InterfaceSupportsErrorInfo(const TGUID& iid) = 0;
};
#if defined(_WIN32)
struct IOrvoErrorInfo : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IOrvoErrorInfo;
    virtual int32_t ORVO_STDCALL GetGUID(TGUID* guid) = 0;
    virtual int32_t ORVO_STDCALL GetSource(wchar_t** source) = 0;            // the class name
    virtual int32_t ORVO_STDCALL GetDescription(wchar_t** description) = 0;  // the message
    virtual int32_t ORVO_STDCALL GetHelpFile(wchar_t** helpFile) = 0;
    virtual int32_t ORVO_STDCALL GetHelpContext(uint32_t* helpContext) = 0;
};
struct IOrvoCreateErrorInfo : IInterface {
    static constexpr const TGUID& IID = orvo_c::IID_IOrvoCreateErrorInfo;
    virtual int32_t ORVO_STDCALL SetGUID(const TGUID& guid) = 0;
    virtual int32_t ORVO_STDCALL SetSource(wchar_t* source) = 0;
    virtual int32_t ORVO_STDCALL SetDescription(wchar_t* description) = 0;
    virtual int32_t ORVO_STDCALL SetHelpFile(wchar_t* helpFile) = 0;
    virtual int32_t ORVO_STDCALL SetHelpContext(uint32_t helpContext) = 0;
};
#endif

// The module's exports, __stdcall and undecorated, with this face's container.
typedef int32_t(ORVO_STDCALL* TInitModule)(IDIContainer* container);
typedef int32_t(ORVO_STDCALL* TFinalModule)();

#endif  // ORVO_CONTRACT_HPP
