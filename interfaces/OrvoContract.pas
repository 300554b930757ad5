(* Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.

  The binary contract for Object Pascal hosts (Free Pascal in its delphi or objfpc mode, and
  Delphi): every interface with its GUID and its methods in slot order, the shared records and
  constants, the text block's helpers, the module's two exports and a base class for the host's
  own objects. What each method does is told beside it.

  How the contract meets Object Pascal:
  - Every method is safecall: a failure raises EOleException (unit ComObj, used here, installs
    that) with the error's message and, in Source, its class name. A host object derived from
    TOrvoObject hands its exceptions back the same way.
  - A GUID goes by reference: "constref Iid: TGUID" under Free Pascal, "const" under Delphi.
    A class implementing IDIContainer repeats that form,
    "{$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID", and repeats safecall.
  - Texts are TOrvoText, a pointer to the characters of a reference-counted block on the process
    heap, not a Pascal string, and a pointer type of its own: the compiler refuses a string
    literal, a PAnsiChar, a PAnsiChar(S) cast, and a text for a var or out PAnsiChar. It cannot
    refuse an untyped Pointer, a cast to TOrvoText, or a text in an array of const
    (Format('%s', [Text]) fails at run time): read one with OrvoTextString or OrvoTextChars.
    A text argument is lent for the call; a text result is a new reference the caller releases
    (OrvoTextTake copies it into an AnsiString and releases it).
  - Interface results and the one bound method result (IPaymentMethod.GetOnChange) are out
    parameters, never function results: Free Pascal hands a function result's temporary to the
    callee without clearing it, and the callee overwrites it, so the reference held there would
    leak.
  - A bound method crosses as its two pointers, Code and Data, and the host's handlers are
    "procedure(...) of object; safecall": Bind<Type> gives the two pointers of a handler,
    <Type>Of(Code, Data) a callable handler of the two pointers the module hands out.
  - A temporary interface reference made in a statement (a function result, a cast) lives until
    the end of the routine: drop references to module objects (nil) before FreeLibrary. *)
unit OrvoContract;

{$IFDEF FPC}
{$MODE DELPHI}
{$ENDIF}
{$ALIGN 8}
{$MINENUMSIZE 4}

interface

uses
  Windows, SysUtils, ComObj;

type
  { Reference-counted, immutable 8-bit text in the ANSI code page, one pointer wide. The pointer
    is to the characters of a block; null is the empty text (a block never holds 0 characters).
    The block, byte by byte (little-endian, 4-byte aligned):

      offset 0   int32  references (changed atomically; 1 for a new block)
      offset 4   int32  length in bytes, without the terminator (1 or more)
      offset 8   the characters, then one NUL byte       <- a text points here

    The block comes from HeapAlloc(GetProcessHeap(), 0, 8 + length + 1) and goes back with
    HeapFree(GetProcessHeap(), 0, block) when the references drop to 0, whichever side that is
    (malloc and free outside Windows). As an argument a text is borrowed for the call (a callee
    that keeps it adds a reference); as an out-argument it is a new reference that the caller
    releases. }
  TOrvoText = ^TOrvoTextData;
  TOrvoTextData = record end;  { nothing to read through: OrvoTextChars gives the characters }

  { A bound method as IPaymentMethod.GetOnChange hands it out; <Type>Of(Code, Data) calls it. }
  TOrvoMethod = record
    Code, Data: Pointer;
  end;

  IStrings = interface;
  IDIFactory = interface;
  IDIContainer = interface;
  IDBScript = interface;
  IActCodes = interface;
  IAuthentication = interface;
  IDatabaseChanges = interface;
  IEventManager = interface;
  IExtraPaymentsManagement = interface;
  IExtraPaymentsTransaction = interface;
  IFormView = interface;
  IFormHost = interface;
  IGenericInput = interface;
  IHTMLViewer = interface;
  IMainMenuManager = interface;
  IStringConfigList = interface;
  IPaymentMethod = interface;

  PSQLArg = ^TSQLArg;
  TSQLArg = record
    Kind: Integer;
    Length: Integer; { bytes of Text; 0 for the other kinds }
    case Integer of
      0: (Integer: Int64);
      1: (Float: Double);
      2: (Text: PAnsiChar); { not terminated; valid for the duration of the call }
  end;

  PSQLArgs = ^TSQLArgs;
  TSQLArgs = record
    Items: PSQLArg;
    Count: Integer;
  end;

  // Event handler: the event's name (borrowed) and two further arguments of the host's.
  TEventHandler = procedure(EventName: TOrvoText; Sender: Pointer; Extra: Pointer) of object; safecall;

  // One control as the host reads it. Bounds are pixels at 96 dpi, relative to the parent's
  // client area; captions keep their "&" accelerator marks.
  PFormControlInfo = ^TFormControlInfo;
  TFormControlInfo = record
    Name: TOrvoText; { e.g. "btnAmount" }
    Parent: TOrvoText; { name of the group box holding it; empty when on the form itself }
    Text: TOrvoText; { caption of a button, group box or label; edit box contents; "" for a date picker }
    FontFace: TOrvoText; { e.g. "Tahoma" }
    Kind: Integer; { one of the ORVO_CONTROL_... constants }
    Left: Integer;
    Top: Integer;
    Width: Integer;
    Height: Integer;
    FontHeight: Integer; { character height in pixels at 96 dpi }
    TabOrder: Integer; { position among the controls of the same parent }
    ModalResult: Integer; { result a button closes the form with; mrNone for none }
    Accelerator: Integer; { the letter marked with "&" (upper case), 0 for none }
    Flags: Integer; { ORVO_CONTROL_... bits }
  end;

  // Menu click handler: the host passes the menu item as sender; the module reads nothing of it.
  TMenuClickEvent = procedure(Sender: Pointer) of object; safecall;

  // The host's change handler: called with the payment method's own reference after a change.
  TPaymentChangeEvent = procedure(const PaymentMethod: IPaymentMethod) of object; safecall;

  // Adds one cash-up row; the texts are borrowed. Note: invoice first, shift second
  // (AddCashupEntry takes the shift first).
  TAddCashupEntryEvent = procedure(Invoice: Integer; Shift: Integer; Name: TOrvoText; ParentName: TOrvoText; A: Integer; Value: Double; B: Integer; C: Integer) of object; safecall;

  // Removes one cash-up row.
  TRemoveCashupEntryEvent = procedure(Invoice: Integer; Shift: Integer; Name: TOrvoText) of object; safecall;

  // An ordered list of lines that one side owns and the other fills or reads.
  IStrings = interface(IInterface)
    ['{6B1D3E52-2F0C-4C8B-A7E4-3A51C2D09F17}']
    // Number of lines.
    function GetCount: Integer; safecall;
    // Line index (0 first), a new text; fails (EStringListError) when out of range.
    function Get(Index: Integer): TOrvoText; safecall;
    // Appends a copy of line (borrowed); its index.
    function Add(Line: TOrvoText): Integer; safecall;
  end;

  // A factory: a new object on every call.
  IDIFactory = interface(IInterface)
    ['{5C0E8EF1-24C4-4E5E-89D8-CB1B423A164C}']
    // Makes a new object on every call; *obj: a new reference to its base interface.
    procedure CreateObject(out Obj: IInterface); safecall;
  end;

  // The host's service container, handed to InitModule.
  IDIContainer = interface(IInterface)
    ['{D2C0A6A1-5B7E-4C39-9E57-0F7A0C3B1E11}']
    // Keeps a reference to obj and serves it for iid through GetInstance.
    procedure RegisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; const Obj: IInterface); safecall;
    // Keeps a reference to factory; Resolve(iid) calls it.
    procedure RegisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; const Factory: IDIFactory); safecall;
    // Keeps a reference to factory; ResolveNamed(iid, name) calls it. name is borrowed.
    procedure RegisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText; const Factory: IDIFactory); safecall;
    // Drops the instance registered for iid and its reference.
    procedure UnregisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
    // Drops the factory registered for iid and its reference.
    procedure UnregisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
    // Drops the factory registered for iid under name and its reference.
    procedure UnregisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText); safecall;
    // *found true with a new reference to the shared object in *obj (as iid); false and null when none.
    function GetInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
    // *found true with a new object from iid's factory in *obj (as iid); false and null when none.
    function Resolve({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
    // As Resolve, with the factory registered under name.
    function ResolveNamed({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText; out Obj): LongBool; safecall;
  end;

  // The host's database script service (Resolve); one object per operation.
  IDBScript = interface(IInterface)
    ['{039CED77-F302-4546-B669-6D45B2E9AE94}']
    // Fills the pattern from args and runs it; *result is the host's and never interpreted.
    // Fails when the statement fails.
    function ExecSQL(Pattern: TOrvoText; Args: PSQLArgs): Integer; safecall;
    // Runs a complete batch; *value: the named column of the first row of its result as text.
    function QueryValue(Batch: TOrvoText; Column: TOrvoText): TOrvoText; safecall;
    // Fills and runs the pattern; *json: the whole result as a JSON array of row objects.
    function QueryJSON(Pattern: TOrvoText; Args: PSQLArgs): TOrvoText; safecall;
  end;

  // The host's access-code list (Resolve).
  IActCodes = interface(IInterface)
    ['{7336DF82-6458-4675-A561-03F09D1B3B6E}']
    // Registers code with its description; the two values are the host's (the module passes 1, 1).
    procedure AddActCode(Code: TOrvoText; Description: TOrvoText; A: Integer; B: Integer); safecall;
    // Links code under linkCode in the host's access tree.
    procedure LinkActCode(Code: TOrvoText; LinkCode: TOrvoText); safecall;
  end;

  // The host's access check (Resolve).
  IAuthentication = interface(IInterface)
    ['{9C707C66-FD71-4E82-AF41-2F51767A7D87}']
    // *granted true when the current user may proceed with code. The out values (a new text the
    // caller releases, an integer) and the two trailing arguments are the host's; the module
    // passes 1 and 0 and reads neither out value.
    function CheckAccess(Code: TOrvoText; out UserName: TOrvoText; out UserId: Integer; Prompt: Integer; Options: Integer): LongBool; safecall;
  end;

  // The module's schema scripts and access codes (ResolveNamed "ExtraPayments").
  IDatabaseChanges = interface(IInterface)
    ['{46A625EC-9BF5-42C0-AC4F-9E6719539020}']
    // Appends the module's scripts to scripts (the host's list, lent for the call; one entry per
    // script) and registers its access codes. The first argument is the host's and is ignored.
    procedure GetChanges(Version: Integer; const Scripts: IStrings); safecall;
  end;

  // The host's event manager (GetInstance).
  IEventManager = interface(IInterface)
    ['{809967B8-EF11-4305-903C-F7C01676EA2D}']
    // The handler runs at every raise of eventName; the host keeps it and offers no unsubscribe.
    procedure Subscribe(EventName: TOrvoText; HandlerCode, HandlerData: Pointer); safecall;
  end;

  // The key of the module's management object; no methods of its own.
  IExtraPaymentsManagement = interface(IInterface)
    ['{18DC7950-A609-4152-ADC8-1C9F410A7DBE}']
  end;

  // The module's transaction record service (Resolve).
  IExtraPaymentsTransaction = interface(IInterface)
    ['{9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}']
    // Inserts a row for the method; *id: its new ID, or -1 on any failure (never fails itself).
    function AddTransaction(PaymentMethod: TOrvoText): Integer; safecall;
    // Sets the row's amount (rands, gratuity included) and reference; an amount that is no
    // number (NaN, infinite) is refused before any statement; errors reach the caller.
    procedure UpdateTransaction(TransactionId: Integer; Reference: TOrvoText; Amount: Double); safecall;
    // Ties the row to the invoice; errors reach the caller.
    procedure SetInvoiceNum(TransactionId: Integer; InvoiceNum: Integer); safecall;
  end;

  // A form while it is shown. Every operation works on the thread that called IFormHost::ShowModal;
  // once ShowModal has returned the view is closed and every operation answers as for an unknown
  // control. Controls are addressed by index, 0 to GetControlCount() - 1, in the order the form
  // declares them.
  IFormView = interface(IInterface)
    ['{D46EAD9B-516B-4088-8AEE-8D3D07F5F764}']
    // The title bar text; a new text.
    function GetCaption: TOrvoText; safecall;
    // Client area in pixels at 96 dpi; 0 when closed.
    function GetClientWidth: Integer; safecall;
    function GetClientHeight: Integer; safecall;
    // Number of controls; 0 when closed.
    function GetControlCount: Integer; safecall;
    // Fills info for the control: the texts it held (the caller's, or null) are released and
    // replaced by new ones; *found false for an unknown index.
    function GetControl(Index: Integer; var Info: TFormControlInfo): LongBool; safecall;
    // Index of the control with that name (exact case); -1 when there is none.
    function IndexOfControl(Name: TOrvoText): Integer; safecall;
    // Current text of the control (edit contents or caption); empty for an unknown index.
    function GetText(Index: Integer): TOrvoText; safecall;
    // Types text into an editable edit box, replacing its contents; *done false for any other control.
    function SetText(Index: Integer; Text: TOrvoText): LongBool; safecall;
    // Date-time held by a date picker; *done false (date untouched) for any other control.
    function GetDate(Index: Integer; out Date: TDateTime): LongBool; safecall;
    // Picks a date-time in a date picker; *done false for any other control. A date that is no
    // number or outside the years 1 to 9999 fails (EConvertError) and the picker keeps its date.
    function SetDate(Index: Integer; Date: TDateTime): LongBool; safecall;
    // Presses a button: runs its click handler, then sets the form's modal result to the
    // button's. A handler's error goes to IFormHost::ReportError, leaves the form open and
    // gives *done false; false too for anything that is not a button.
    function Click(Index: Integer): LongBool; safecall;
    // The result the form is closing with; mrNone while it stays open.
    function GetModalResult: Integer; safecall;
  end;

  // Registered by the host with RegisterInstance; the module looks it up with GetInstance on every
  // ShowModal, on every platform.
  IFormHost = interface(IInterface)
    ['{CBA2E9E3-868B-4142-B951-BF8504F222B6}']
    // Shows the form and returns once its modal result is set, or when the host closes it
    // otherwise (taken as Cancel, like the title bar's close box). The view is lent for the call.
    procedure ShowModal(const Form: IFormView); safecall;
    // An error raised by a click handler while the form is shown; the form stays open.
    procedure ReportError(const Form: IFormView; Message: TOrvoText); safecall;
  end;

  // The host's numeric input popup (ResolveNamed "Currency").
  IGenericInput = interface(IInterface)
    ['{EF1590EE-58D9-4F52-9D52-EDA0D3C8889A}']
    // Sets the prompt shown above the keypad.
    procedure SetCaption(Caption: TOrvoText); safecall;
    // Shows the popup with initial text; *confirmed true with the typed text, a new text, in
    // *entered (which the caller passes empty); false leaves *entered empty.
    function Execute(Initial: TOrvoText; out Entered: TOrvoText): LongBool; safecall;
  end;

  // The host's HTML viewer (Resolve).
  IHTMLViewer = interface(IInterface)
    ['{81D81A77-941E-4514-8CA5-05169CDC91BB}']
    // Shows the page (borrowed); the viewer keeps its own reference or copy while it shows it.
    procedure ShowHTML(Page: TOrvoText); safecall;
  end;

  // The host's main menu (GetInstance).
  IMainMenuManager = interface(IInterface)
    ['{18EFA31B-CB57-4086-9B08-DFB4F40E69CE}']
    // Appends an item to the menu named parent at position (-1: at the end). Caption "-" with
    // no handler is a separator. The host keeps the handler as long as the item exists.
    procedure AddMenuItem(Parent: TOrvoText; Caption: TOrvoText; OnClickCode, OnClickData: Pointer; Position: Integer); safecall;
  end;

  // A payment method's configuration list (IPaymentMethod::GetConfig).
  IStringConfigList = interface(IInterface)
    ['{F6E10E87-DF36-40E3-BB1E-F10BAD1B413F}']
    // The first line; empty when the list is empty.
    function GetFirst: TOrvoText; safecall;
    // The last line; empty when the list is empty.
    function GetLast: TOrvoText; safecall;
    // The named value read leniently as a Boolean; false when missing or unreadable.
    function GetBoolean(Name: TOrvoText): LongBool; safecall;
    // As GetFloat.
    function GetDateTime(Name: TOrvoText): Double; safecall;
    // The named value read leniently as a number; 0 when missing or unreadable.
    function GetFloat(Name: TOrvoText): Double; safecall;
    // The named value read leniently as a 32-bit integer; 0 when missing or unreadable.
    function GetInteger(Name: TOrvoText): Integer; safecall;
    // The object attached to the first line equal to text (null when none); fails
    // with the index error with -1 when no line is equal.
    procedure GetObject(Text: TOrvoText; out AObject: IInterface); safecall;
    // The named line after the name and "=", cut at the length of name; empty when missing.
    function GetString(Name: TOrvoText): TOrvoText; safecall;
    // GetValueFromIndex(index) read leniently as a number; index past the end fails.
    function GetFloatAt(Index: Integer): Double; safecall;
    // As GetValueFromIndex.
    function GetValueAt(Index: Integer): TOrvoText; safecall;
    // GetValueFromIndex(index) read leniently as an integer; index past the end fails.
    function GetIntegerAt(Index: Integer): Integer; safecall;
    // The object attached to line index (null when none); out of range fails.
    procedure GetObjectAt(Index: Integer; out AObject: IInterface); safecall;
    // Empty for a negative index; else the line after its first "=", or the whole line
    // without one; past the end fails.
    function GetValueOrLineAt(Index: Integer): TOrvoText; safecall;
    // The whole line read strictly as a Boolean; fails with EConvertError when it is not one.
    function GetLineAsBoolean(Index: Integer): LongBool; safecall;
    // The whole line read strictly as a date and time in the short date format; fails with EConvertError.
    function GetLineAsDateTime(Index: Integer): Double; safecall;
    // The whole line read strictly as a number; fails with EConvertError when it is not one.
    function GetLineAsFloat(Index: Integer): Double; safecall;
    // The whole line read strictly as an integer; fails with EConvertError when it is not one.
    function GetLineAsInteger(Index: Integer): Integer; safecall;
    // Line index; out of range fails.
    function GetLine(Index: Integer): TOrvoText; safecall;
    // SetString(name, "True" or "False").
    procedure SetBoolean(Name: TOrvoText; Value: LongBool); safecall;
    // As SetFloat.
    procedure SetDateTime(Name: TOrvoText; Value: Double); safecall;
    // SetString(name, value with 18 significant digits).
    procedure SetFloat(Name: TOrvoText; Value: Double); safecall;
    // SetString(name, value in decimal).
    procedure SetInteger(Name: TOrvoText; Value: Integer); safecall;
    // Replaces or appends the line name=value; an empty value deletes the named line.
    procedure SetString(Name: TOrvoText; Value: TOrvoText); safecall;
    // Attaches object to the first line equal to text; fails with -1 when none.
    procedure SetObject(Text: TOrvoText; const AObject: IInterface); safecall;
    // SetValueFromIndex(index, value with 18 significant digits).
    procedure SetFloatAt(Index: Integer; Value: Double); safecall;
    // Line index becomes its name, "=" and value (even empty); out of range (negative too) fails.
    procedure SetValueAt(Index: Integer; Value: TOrvoText); safecall;
    // Attaches object to line index; out of range fails.
    procedure SetObjectAt(Index: Integer; const AObject: IInterface); safecall;
    // SetValueFromIndex(index, value in decimal).
    procedure SetIntegerAt(Index: Integer; Value: Integer); safecall;
    // Does nothing.
    procedure SetLineAsBoolean(Index: Integer; Value: LongBool); safecall;
    // Does nothing.
    procedure SetLineAsDateTime(Index: Integer; Value: Double); safecall;
    // Does nothing.
    procedure SetLineAsFloat(Index: Integer; Value: Double); safecall;
    // Does nothing.
    procedure SetLineAsInteger(Index: Integer; Value: Integer); safecall;
    // Does nothing.
    procedure SetLine(Index: Integer; Value: TOrvoText); safecall;
    // Empty for a negative index or a line without "="; else the text after the first "=";
    // past the end fails.
    function GetValueFromIndex(Index: Integer): TOrvoText; safecall;
    // Sets the value of line index (a negative index appends); an empty value deletes line
    // index (nothing for a negative one); past the end fails.
    procedure SetValueFromIndex(Index: Integer; Value: TOrvoText); safecall;
    // The text before the first "=" of line index (empty without one); out of range fails.
    function GetNameAt(Index: Integer): TOrvoText; safecall;
    // The lines joined with ",", quoted where needed.
    function GetCommaText: TOrvoText; safecall;
    // The lines joined with ";", quoted where needed.
    function GetDelimitedText: TOrvoText; safecall;
    // Every line followed by carriage return and line feed.
    function GetText: TOrvoText; safecall;
    // Number of lines.
    function GetCount: Integer; safecall;
    // Appends name=value (even when present or empty); returns the new line's index.
    function AddString(Name: TOrvoText; Value: TOrvoText): Integer; safecall;
    // AddString(name, value in decimal).
    function AddInteger(Name: TOrvoText; Value: Integer): Integer; safecall;
    // AddString(name, value with 10 significant digits).
    function AddFloat(Name: TOrvoText; Value: Double): Integer; safecall;
    // As AddFloat.
    function AddDateTime(Name: TOrvoText; Value: Double): Integer; safecall;
    // AddString(name, "True" or "False").
    function AddBoolean(Name: TOrvoText; Value: LongBool): Integer; safecall;
    // Appends the line text with object attached; returns its index.
    function AddObject(Text: TOrvoText; const AObject: IInterface): Integer; safecall;
    // AddString; returns a new reference to this list for chaining.
    procedure WithString(Name: TOrvoText; Value: TOrvoText; out List: IStringConfigList); safecall;
    // AddInteger; returns a new reference to this list.
    procedure WithInteger(Name: TOrvoText; Value: Integer; out List: IStringConfigList); safecall;
    // AddFloat; returns a new reference to this list.
    procedure WithFloat(Name: TOrvoText; Value: Double; out List: IStringConfigList); safecall;
    // AddDateTime; returns a new reference to this list.
    procedure WithDateTime(Name: TOrvoText; Value: Double; out List: IStringConfigList); safecall;
    // AddBoolean; returns a new reference to this list.
    procedure WithBoolean(Name: TOrvoText; Value: LongBool; out List: IStringConfigList); safecall;
    // AddObject; returns a new reference to this list.
    procedure WithObject(Text: TOrvoText; const AObject: IInterface; out List: IStringConfigList); safecall;
    // Appends text as a line; returns its index.
    function AddLine(Text: TOrvoText): Integer; safecall;
    // Appends text as a line; returns a new reference to this list.
    procedure WithLine(Text: TOrvoText; out List: IStringConfigList); safecall;
    // The lines with separator between neighbours; empty for an empty list.
    function Join(Separator: TOrvoText): TOrvoText; safecall;
    // True with the named line's index in index; false with -1.
    function FindName(Name: TOrvoText; out Index: Integer): LongBool; safecall;
    // False for a negative index; else whether line index holds "="; past the end fails.
    function IsPairAt(Index: Integer): LongBool; safecall;
    // True when some line equals text.
    function Contains(Text: TOrvoText): LongBool; safecall;
    // The list's own line container (not a copy).
    procedure GetStrings(out Strings: IStrings); safecall;
    // True when name lookup finds name.
    function HasName(Name: TOrvoText): LongBool; safecall;
    // Removes every line, releasing the attached objects.
    procedure Clear; safecall;
    // Releases each attached object, first line to last, and detaches it; the lines stay.
    procedure FreeObjects; safecall;
    // Deletes the line found by name lookup, else the first line equal to text; nothing when neither.
    procedure Remove(Text: TOrvoText); safecall;
  end;

  // A payment method (ResolveNamed with its display name).
  IPaymentMethod = interface(IInterface)
    ['{B99696A6-EA20-4DD7-8E91-13B5762D314D}']
    // Sets the amount to settle (gratuity excluded); notifies once when it changes.
    procedure SetAmount(Value: Currency); safecall;
    // Stores the change handler; an unset handler notifies nobody.
    procedure SetOnChange(HandlerCode, HandlerData: Pointer); safecall;
    // Sets the gratuity; notifies once when it changes.
    procedure SetGratuity(Value: Currency); safecall;
    function GetAmount: Currency; safecall;
    procedure GetOnChange(out Handler: TOrvoMethod); safecall;
    function GetGratuity: Currency; safecall;
    // A new reference to the method's own configuration list (the same list on every call).
    procedure GetConfig(out Config: IStringConfigList); safecall;
    procedure SetDescription(Value: TOrvoText); safecall;
    // The display name, e.g. "Uber", a new text; the three return the same text.
    function GetName: TOrvoText; safecall;
    function GetCaption: TOrvoText; safecall;
    function GetPaymentType: TOrvoText; safecall;
    // Opens the payment details window; *paid true when the payment is confirmed and recorded.
    function DoPaymentPopup: LongBool; safecall;
    // Returns the object to its starting state without notifying.
    procedure Clear; safecall;
    // Adds the cash-up rows through addEntry; errors reach the host.
    procedure AddCashupEntry(Shift: Integer; Invoice: Integer; AddEntryCode, AddEntryData: Pointer); safecall;
    // Removes the cash-up rows through removeEntry and the database; errors reach the host.
    procedure RemoveCashupEntry(Shift: Integer; Invoice: Integer; RemoveEntryCode, RemoveEntryData: Pointer); safecall;
    // Ties the payment's transaction row to the saved invoice; errors reach the host.
    procedure InsertSQL(InvoiceNum: Integer); safecall;
    // Hooks of the host's declaration; they do nothing here.
    procedure HostHookA(A: Pointer; B: Pointer); safecall;
    procedure HostHookB(A: Pointer; B: Pointer); safecall;
    procedure HostHookC(A: Pointer; B: Pointer); safecall;
  end;

  { Base class of the host's objects: an exception raised in one of its safecall methods goes
    back to the caller as the thread's error object (message, and the class name as source). }
  TOrvoObject = class(TInterfacedObject)
  public
    function SafeCallException(ExceptObject: TObject;
      ExceptAddr: {$IFDEF FPC}CodePointer{$ELSE}Pointer{$ENDIF}): HResult; override;
  end;

  { The module's two exports, looked up with GetProcAddress by these names. }
  TInitModule = function(const Container: IDIContainer): HResult; stdcall;
  TFinalModule = function: HResult; stdcall;

const
  // One argument of a statement pattern, filled in order into "%d", "%s" and "%f".
  ORVO_SQLARG_INTEGER = 0;
  ORVO_SQLARG_TEXT = 1;
  ORVO_SQLARG_FLOAT = 2;

  // Kinds of control a form holds.
  ORVO_CONTROL_GROUPBOX = 0;
  ORVO_CONTROL_EDIT = 1;
  ORVO_CONTROL_BUTTON = 2;
  ORVO_CONTROL_LABEL = 3;
  ORVO_CONTROL_DATEPICKER = 4;

  // Modal results: none yet, OK, Cancel.
  mrNone = 0;
  mrOk = 1;
  mrCancel = 2;

  // Bits of TFormControlInfo::Flags.
  ORVO_CONTROL_READONLY = 1; { an edit box the user cannot type into }
  ORVO_CONTROL_FOCUSED = 2; { has the focus when the form opens }
  ORVO_CONTROL_CENTREDTEXT = 4; { a label whose text is centred }
  ORVO_CONTROL_ALIGNEDTOP = 8; { stacked at the top, over the parent's full width }

{ A new text holding Length characters (a new reference); nil for Length 0. }
function OrvoTextNew(Chars: PAnsiChar; Length: Integer): TOrvoText;
{ A new text holding the string's characters; nil for ''. }
function OrvoTextOf(const S: AnsiString): TOrvoText;
{ Adds a reference (to keep a lent text); returns the text. }
function OrvoTextAddRef(Text: TOrvoText): TOrvoText;
{ Drops a reference; the last one frees the block. }
procedure OrvoTextRelease(Text: TOrvoText);
function OrvoTextLength(Text: TOrvoText): Integer;
{ The characters, #0-terminated ('' for the empty text). }
function OrvoTextChars(Text: TOrvoText): PAnsiChar;
{ A copy as a string; the text stays as it was. }
function OrvoTextString(Text: TOrvoText): AnsiString;
{ A copy as a string; releases the text, so S := OrvoTextTake(Payment.GetName) releases the
  name once. Given a variable, drop the variable after: the text is gone. }
function OrvoTextTake(Text: TOrvoText): AnsiString;

function BindEventHandler(const Handler: TEventHandler): TOrvoMethod;
function EventHandlerOf(Code, Data: Pointer): TEventHandler;
function BindMenuClickEvent(const Handler: TMenuClickEvent): TOrvoMethod;
function MenuClickEventOf(Code, Data: Pointer): TMenuClickEvent;
function BindPaymentChangeEvent(const Handler: TPaymentChangeEvent): TOrvoMethod;
function PaymentChangeEventOf(Code, Data: Pointer): TPaymentChangeEvent;
function BindAddCashupEntryEvent(const Handler: TAddCashupEntryEvent): TOrvoMethod;
function AddCashupEntryEventOf(Code, Data: Pointer): TAddCashupEntryEvent;
function BindRemoveCashupEntryEvent(const Handler: TRemoveCashupEntryEvent): TOrvoMethod;
function RemoveCashupEntryEventOf(Code, Data: Pointer): TRemoveCashupEntryEvent;

implementation

const
  NoInterface: TGUID = '{00000000-0000-0000-0000-000000000000}';

function OrvoTextNew(Chars: PAnsiChar; Length: Integer): TOrvoText;
var
  Block: PInteger;
begin
  Result := nil;
  if Length <= 0 then
    Exit;
  if Length > MaxInt - 9 then
    OutOfMemoryError;
  Block := HeapAlloc(GetProcessHeap, 0, Length + 9);
  if Block = nil then
    OutOfMemoryError;
  Block^ := 1;
  PInteger(PAnsiChar(Block) + 4)^ := Length;
  Result := TOrvoText(PAnsiChar(Block) + 8);
  Move(Chars^, PAnsiChar(Result)^, Length);
  (PAnsiChar(Result) + Length)^ := #0;
end;

function OrvoTextOf(const S: AnsiString): TOrvoText;
begin
  Result := OrvoTextNew(PAnsiChar(S), System.Length(S));
end;

function OrvoTextAddRef(Text: TOrvoText): TOrvoText;
begin
  if Text <> nil then
    InterlockedIncrement(PInteger(PAnsiChar(Text) - 8)^);
  Result := Text;
end;

procedure OrvoTextRelease(Text: TOrvoText);
begin
  if (Text <> nil) and (InterlockedDecrement(PInteger(PAnsiChar(Text) - 8)^) = 0) then
    HeapFree(GetProcessHeap, 0, PAnsiChar(Text) - 8);
end;

function OrvoTextLength(Text: TOrvoText): Integer;
begin
  if Text = nil then
    Result := 0
  else
    Result := PInteger(PAnsiChar(Text) - 4)^;
end;

function OrvoTextChars(Text: TOrvoText): PAnsiChar;
begin
  if Text = nil then
    Result := ''
  else
    Result := PAnsiChar(Text);
end;

function OrvoTextString(Text: TOrvoText): AnsiString;
begin
  SetString(Result, OrvoTextChars(Text), OrvoTextLength(Text));
end;

function OrvoTextTake(Text: TOrvoText): AnsiString;
begin
  try
    Result := OrvoTextString(Text);
  finally
    OrvoTextRelease(Text);
  end;
end;

function TOrvoObject.SafeCallException(ExceptObject: TObject;
  ExceptAddr: {$IFDEF FPC}CodePointer{$ELSE}Pointer{$ENDIF}): HResult;
begin
  Result := HandleSafeCallException(ExceptObject, ExceptAddr, NoInterface, WideString(ExceptObject.ClassName), '');
end;
function BindEventHandler(const Handler: TEventHandler): TOrvoMethod;
begin
  Result.Code := TMethod(Handler).Code;
  Result.Data := TMethod(Handler).Data;
end;

function EventHandlerOf(Code, Data: Pointer): TEventHandler;
begin
  TMethod(Result).Code := Code;
  TMethod(Result).Data := Data;
end;

function BindMenuClickEvent(const Handler: TMenuClickEvent): TOrvoMethod;
begin
  Result.Code := TMethod(Handler).Code;
  Result.Data := TMethod(Handler).Data;
end;

function MenuClickEventOf(Code, Data: Pointer): TMenuClickEvent;
begin
  TMethod(Result).Code := Code;
  TMethod(Result).Data := Data;
end;

function BindPaymentChangeEvent(const Handler: TPaymentChangeEvent): TOrvoMethod;
begin
  Result.Code := TMethod(Handler).Code;
  Result.Data := TMethod(Handler).Data;
end;

function PaymentChangeEventOf(Code, Data: Pointer): TPaymentChangeEvent;
begin
  TMethod(Result).Code := Code;
  TMethod(Result).Data := Data;
end;

function BindAddCashupEntryEvent(const Handler: TAddCashupEntryEvent): TOrvoMethod;
begin
  Result.Code := TMethod(Handler).Code;
  Result.Data := TMethod(Handler).Data;
end;

function AddCashupEntryEventOf(Code, Data: Pointer): TAddCashupEntryEvent;
begin
  TMethod(Result).Code := Code;
  TMethod(Result).Data := Data;
end;

function BindRemoveCashupEntryEvent(const Handler: TRemoveCashupEntryEvent): TOrvoMethod;
begin
  Result.Code := TMethod(Handler).Code;
  Result.Data := TMethod(Handler).Data;
end;

function RemoveCashupEntryEventOf(Code, Data: Pointer): TRemoveCashupEntryEvent;
begin
  TMethod(Result).Code := Code;
  TMethod(Result).Data := Data;
end;

end.
