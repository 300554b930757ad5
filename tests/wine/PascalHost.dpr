{ A host in Object Pascal (Free Pascal, i386-win32, Delphi mode) written from the generated unit
  OrvoContract alone: its container, database and callbacks are Pascal objects. It proves what
  only Pascal shows: exceptions raised in a host callback and in a host service cross the module
  and come back as EOleException with their message and class; the module's own error does too;
  TInterfacedObjects attached to a configuration list are released exactly once; every host
  object and text is back to its count at the end. Prints each step, "FAILED: ..." for each
  check that does not hold; exit code 0 when all held.

    PascalHost.exe <module folder> }
program PascalHost;

{$IFDEF FPC}
{$MODE DELPHI}
{$ENDIF}
{$APPTYPE CONSOLE}

uses
  Windows, SysUtils, ComObj, OrvoContract;

type
  ECashupClosed = class(Exception);
  EHostDatabase = class(Exception);
  EHostContainer = class(Exception);

  { Host objects, counted while they live. }
  TCounted = class(TOrvoObject)
  public
    procedure AfterConstruction; override;
    procedure BeforeDestruction; override;
  end;

  TEntry = record
    Iid: TGUID;
    Name: AnsiString;
    Instance: IInterface;
    Factory: IDIFactory;
  end;

  TContainer = class(TCounted, IDIContainer)
  private
    FEntries: array of TEntry;
    function Find(const Iid: TGUID; const Name: AnsiString; Instance: Boolean): Integer;
    procedure Add(const Iid: TGUID; const Name: AnsiString; const Instance: IInterface; const Factory: IDIFactory);
    procedure Remove(const Iid: TGUID; const Name: AnsiString; Instance: Boolean);
    function Make(Index: Integer; const Iid: TGUID; out Obj): LongBool;
  public
    function Count: Integer;
    procedure RegisterInstance(constref Iid: TGUID; const Obj: IInterface); safecall;
    procedure RegisterFactory(constref Iid: TGUID; const Factory: IDIFactory); safecall;
    procedure RegisterNamedFactory(constref Iid: TGUID; AName: TOrvoText; const Factory: IDIFactory); safecall;
    procedure UnregisterInstance(constref Iid: TGUID); safecall;
    procedure UnregisterFactory(constref Iid: TGUID); safecall;
    procedure UnregisterNamedFactory(constref Iid: TGUID; AName: TOrvoText); safecall;
    function GetInstance(constref Iid: TGUID; out Obj): LongBool; safecall;
    function Resolve(constref Iid: TGUID; out Obj): LongBool; safecall;
    function ResolveNamed(constref Iid: TGUID; AName: TOrvoText; out Obj): LongBool; safecall;
  end;

  { The database: refuses its statements while Refusing is set. }
  TScript = class(TCounted, IDBScript)
    function ExecSQL(Pattern: TOrvoText; Args: PSQLArgs): Integer; safecall;
    function QueryValue(Batch: TOrvoText; Column: TOrvoText): TOrvoText; safecall;
    function QueryJSON(Pattern: TOrvoText; Args: PSQLArgs): TOrvoText; safecall;
  end;

  TScriptFactory = class(TCounted, IDIFactory)
    procedure CreateObject(out Obj: IInterface); safecall;
  end;

  { The cashier's side of a payment: the host's handlers, bound methods of this object. }
  TTill = class(TCounted)
  public
    Changes: Integer;
    Amount, Gratuity: Currency;
    Rows: AnsiString;
    RefuseCashup: Boolean;
    procedure OnChange(const PaymentMethod: IPaymentMethod); safecall;
    procedure OnAddEntry(Invoice, Shift: Integer; Name, ParentName: TOrvoText; A: Integer; Value: Double;
      B, C: Integer); safecall;
    procedure OnRemoveEntry(Invoice, Shift: Integer; Name: TOrvoText); safecall;
  end;

  { An object of the host's own attached to configuration lines. }
  TJar = class(TInterfacedObject)
  public
    destructor Destroy; override;
  end;

var
  Failures: Integer = 0;
  Live: Integer = 0;
  JarsFreed: Integer = 0;
  Refusing: Boolean = False;
  HostTexts: array of TOrvoText;

procedure Check(Holds: Boolean; const What: string);
begin
  if not Holds then
  begin
    WriteLn('FAILED: ', What);
    Inc(Failures);
  end;
end;

{ A text of the host's, lent to the module; checked and released at the end. }
function HostText(const S: AnsiString): TOrvoText;
begin
  Result := OrvoTextOf(S);
  SetLength(HostTexts, Length(HostTexts) + 1);
  HostTexts[High(HostTexts)] := Result;
end;

function Refs(Text: TOrvoText): Integer;
begin Result := PInteger(PAnsiChar(Text) - 8)^; end;

procedure TCounted.AfterConstruction;
begin
  inherited;
  Inc(Live);
end;

procedure TCounted.BeforeDestruction;
begin
  Dec(Live);
  inherited;
end;

destructor TJar.Destroy;
begin
  Inc(JarsFreed);
  inherited;
end;

function TContainer.Count: Integer;
begin Result := Length(FEntries); end;

function TContainer.Find(const Iid: TGUID; const Name: AnsiString; Instance: Boolean): Integer;
var
  I: Integer;
begin
  Result := -1;
  for I := 0 to High(FEntries) do
    if IsEqualGUID(FEntries[I].Iid, Iid) and (FEntries[I].Name = Name) and
      ((FEntries[I].Instance <> nil) = Instance) then
      Result := I;
end;

procedure TContainer.Add(const Iid: TGUID; const Name: AnsiString; const Instance: IInterface;
  const Factory: IDIFactory);
begin
  SetLength(FEntries, Length(FEntries) + 1);
  FEntries[High(FEntries)].Iid := Iid;
  FEntries[High(FEntries)].Name := Name;
  FEntries[High(FEntries)].Instance := Instance;
  FEntries[High(FEntries)].Factory := Factory;
end;

procedure TContainer.Remove(const Iid: TGUID; const Name: AnsiString; Instance: Boolean);
var
  I: Integer;
begin
  I := Find(Iid, Name, Instance);
  if I < 0 then
    raise EHostContainer.CreateFmt('Nothing registered as %s %s', [GUIDToString(Iid), Name]);
  FEntries[I] := FEntries[High(FEntries)];
  SetLength(FEntries, Length(FEntries) - 1);
end;

function TContainer.Make(Index: Integer; const Iid: TGUID; out Obj): LongBool;
var
  Made: IInterface;
begin
  Pointer(Obj) := nil;
  Result := Index >= 0;
  if not Result then
    Exit;
  if FEntries[Index].Instance <> nil then
    Made := FEntries[Index].Instance
  else
    FEntries[Index].Factory.CreateObject(Made);
  Result := Succeeded(Made.QueryInterface(Iid, Obj));
end;

procedure TContainer.RegisterInstance(constref Iid: TGUID; const Obj: IInterface);
begin Add(Iid, '', Obj, nil); end;
procedure TContainer.RegisterFactory(constref Iid: TGUID; const Factory: IDIFactory);
begin Add(Iid, '', nil, Factory); end;
procedure TContainer.RegisterNamedFactory(constref Iid: TGUID; AName: TOrvoText; const Factory: IDIFactory);
begin Add(Iid, OrvoTextString(AName), nil, Factory); end;
procedure TContainer.UnregisterInstance(constref Iid: TGUID);
begin Remove(Iid, '', True); end;
procedure TContainer.UnregisterFactory(constref Iid: TGUID);
begin Remove(Iid, '', False); end;
procedure TContainer.UnregisterNamedFactory(constref Iid: TGUID; AName: TOrvoText);
begin Remove(Iid, OrvoTextString(AName), False); end;
function TContainer.GetInstance(constref Iid: TGUID; out Obj): LongBool;
begin Result := Make(Find(Iid, '', True), Iid, Obj); end;
function TContainer.Resolve(constref Iid: TGUID; out Obj): LongBool;
begin Result := Make(Find(Iid, '', False), Iid, Obj); end;
function TContainer.ResolveNamed(constref Iid: TGUID; AName: TOrvoText; out Obj): LongBool;
begin Result := Make(Find(Iid, OrvoTextString(AName), False), Iid, Obj); end;

function TScript.ExecSQL(Pattern: TOrvoText; Args: PSQLArgs): Integer;
begin
  if Refusing then
    raise EHostDatabase.Create('Timeout expired. The server did not answer within 30 seconds');
  Result := 0;
end;

function TScript.QueryValue(Batch: TOrvoText; Column: TOrvoText): TOrvoText;
begin Result := OrvoTextOf('17'); end;

function TScript.QueryJSON(Pattern: TOrvoText; Args: PSQLArgs): TOrvoText;
begin Result := OrvoTextOf('[]'); end;

procedure TScriptFactory.CreateObject(out Obj: IInterface);
begin Obj := TScript.Create; end;

procedure TTill.OnChange(const PaymentMethod: IPaymentMethod);
begin
  Inc(Changes);
  Amount := PaymentMethod.GetAmount;
  Gratuity := PaymentMethod.GetGratuity;
  WriteLn('    payment now reads amount ', CurrToStrF(Amount, ffFixed, 2), ', gratuity ', CurrToStrF(Gratuity, ffFixed, 2));
end;

procedure TTill.OnAddEntry(Invoice, Shift: Integer; Name, ParentName: TOrvoText; A: Integer; Value: Double;
  B, C: Integer);
begin
  if RefuseCashup then
    raise ECashupClosed.CreateFmt('The cash-up of shift %d is closed', [Shift]);
  Rows := Rows + Format('%d %d "%s" "%s" %d %.2f %d %d'#10,
    [Invoice, Shift, OrvoTextString(Name), OrvoTextString(ParentName), A, Value, B, C]);
end;

{ The rows removed are the C host's to check; here the removal only has to reach the failure. }
procedure TTill.OnRemoveEntry(Invoice, Shift: Integer; Name: TOrvoText);
begin end;

{ Runs Call, which must raise EOleException; prints it as "<what> raised: <message> (<class>)". }
procedure ExpectError(const What: string; Call: TProcedure);
begin
  try
    Call;
    Check(False, What + ' did not fail');
  except
    on E: EOleException do
      WriteLn(Format('  %s raised %s: %s (%s)', [What, E.ClassName, E.Message, E.Source]));
    on E: Exception do
      Check(False, Format('%s raised %s: %s', [What, E.ClassName, E.Message]));
  end;
end;

{ ---- Doubles a host hands over, under the control word of Object Pascal programs -------------
  $1332 unmasks the invalid operation: an ordered compare of a NaN would end this process. NaN,
  +-inf and +-DBL_MAX go into SetDate on the reports window's dtpFrom, the configuration list's
  float and date setters and UpdateTransaction: each is refused with its error, or taken. }
const
  FloatBits: array[0..4] of Int64 = ($7FF8000000000000, $7FF0000000000000, Int64($FFF0000000000000),
    $7FEFFFFFFFFFFFFF, Int64($FFEFFFFFFFFFFFFF));

type
  { The back office as far as the reports window: main window event, menu, access check, forms. }
  TBackOffice = class(TCounted, IEventManager, IMainMenuManager, IAuthentication, IFormHost, IDIFactory)
  public
    Event: TEventHandler;
    Click: TMenuClickEvent;
    procedure Subscribe(EventName: TOrvoText; HandlerCode, HandlerData: Pointer); safecall;
    procedure AddMenuItem(Parent, Caption: TOrvoText; OnClickCode, OnClickData: Pointer; Position: Integer); safecall;
    function CheckAccess(Code: TOrvoText; out UserName: TOrvoText; out UserId: Integer;
      Prompt, Options: Integer): LongBool; safecall;
    procedure ShowModal(const Form: IFormView); safecall;
    procedure ReportError(const Form: IFormView; Message: TOrvoText); safecall;
    procedure CreateObject(out Obj: IInterface); safecall;
  end;

var
  FloatCase: Integer;
  FloatView: IFormView;
  FloatTransaction: IExtraPaymentsTransaction;

function FloatOf(I: Integer): Double;
begin Result := PDouble(@FloatBits[I])^; end;

procedure PickFrom;
begin FloatView.SetDate(FloatView.IndexOfControl(HostText('dtpFrom')), FloatOf(FloatCase)); end;

procedure UpdateAmount;
begin FloatTransaction.UpdateTransaction(17, HostText('r'), FloatOf(FloatCase)); end;

procedure TBackOffice.Subscribe(EventName: TOrvoText; HandlerCode, HandlerData: Pointer);
begin Event := EventHandlerOf(HandlerCode, HandlerData); end;

{ The last item added, "Extra Payments Reports" after its separator, is the one clicked. }
procedure TBackOffice.AddMenuItem(Parent, Caption: TOrvoText; OnClickCode, OnClickData: Pointer; Position: Integer);
begin Click := MenuClickEventOf(OnClickCode, OnClickData); end;

function TBackOffice.CheckAccess(Code: TOrvoText; out UserName: TOrvoText; out UserId: Integer;
  Prompt, Options: Integer): LongBool;
begin UserName := nil; UserId := 0; Result := True; end;

procedure TBackOffice.ShowModal(const Form: IFormView);
begin
  FloatView := Form;
  for FloatCase := 0 to High(FloatBits) do
    ExpectError('SetDate', PickFrom);
  FloatView := nil;
end;

procedure TBackOffice.ReportError(const Form: IFormView; Message: TOrvoText);
begin end;

procedure TBackOffice.CreateObject(out Obj: IInterface);
begin Obj := Self as IAuthentication; end;

{ The amounts that are numbers are taken: a failure would end this program. }
procedure RunFloats(const ContainerRef: IDIContainer);
var
  BackOffice: TBackOffice;
  Management: IInterface;
  Method: IPaymentMethod;
  List: IStringConfigList;
  Text: TOrvoText;
begin
  Management := nil; Method := nil; List := nil;
  Set8087CW($1332);
  WriteLn(Format('floats under the exception masks $%x of the control word', [Get8087CW and $3F]));
  BackOffice := TBackOffice.Create;
  ContainerRef.RegisterInstance(IEventManager, BackOffice as IEventManager);
  ContainerRef.RegisterInstance(IMainMenuManager, BackOffice as IMainMenuManager);
  ContainerRef.RegisterInstance(IFormHost, BackOffice as IFormHost);
  ContainerRef.RegisterFactory(IAuthentication, BackOffice as IDIFactory);
  ContainerRef.Resolve(IExtraPaymentsManagement, Management); { a new one subscribes to the event }
  BackOffice.Event(HostText('Orvo.BackOffice.MainForm.Create'), nil, nil);
  BackOffice.Click(nil);
  ContainerRef.ResolveNamed(IPaymentMethod, HostText('Uber'), Method);
  Method.GetConfig(List);
  ContainerRef.Resolve(IExtraPaymentsTransaction, FloatTransaction);
  for FloatCase := 0 to High(FloatBits) do
  begin
    List.SetFloat(HostText('F' + IntToStr(FloatCase)), FloatOf(FloatCase));
    List.SetDateTime(HostText('D' + IntToStr(FloatCase)), FloatOf(FloatCase));
    if FloatCase < 3 then ExpectError('UpdateTransaction', UpdateAmount) else UpdateAmount;
  end;
  Text := List.GetDelimitedText;
  WriteLn('  SetFloat and SetDateTime wrote ',
    StringReplace(OrvoTextTake(Text), FormatSettings.DecimalSeparator, '.', [rfReplaceAll]));
  FloatTransaction := nil;
  ContainerRef.UnregisterFactory(IAuthentication);
  ContainerRef.UnregisterInstance(IFormHost);
  ContainerRef.UnregisterInstance(IMainMenuManager);
  ContainerRef.UnregisterInstance(IEventManager);
end;

var
  Container: TContainer;
  ContainerRef: IDIContainer;
  Till: TTill;
  TillRef: IInterface;
  Payment: IPaymentMethod;
  Config: IStringConfigList;
  Jar: IInterface;
  Module: HMODULE;
  InitModule: function(const Container: IDIContainer): HResult; stdcall;
  FinalModule: function: HResult; stdcall;
  Name: TOrvoText;
  I: Integer;

procedure AddCashup;
var
  Bound: TOrvoMethod;
begin
  Bound := BindAddCashupEntryEvent(Till.OnAddEntry);
  Payment.AddCashupEntry(1, 7, Bound.Code, Bound.Data);
end;

{ A class instance passed where an interface is wanted makes a temporary reference that lives
  until the routine ends: made here, it ends with this procedure. }
procedure RegisterScripts;
begin ContainerRef.RegisterFactory(IDBScript, TScriptFactory.Create); end;

procedure Attach(const Config: IStringConfigList; const Line: AnsiString; Chain: Boolean);
var
  Chained: IStringConfigList;
begin
  if Chain then
  begin
    Config.WithObject(HostText(Line), TJar.Create, Chained);
    Check(Chained = Config, 'WithObject hands back the same list');
  end
  else
    Config.AddObject(HostText(Line), TJar.Create);
end;

procedure RemoveCashup;
var
  Bound: TOrvoMethod;
begin
  Bound := BindRemoveCashupEntryEvent(Till.OnRemoveEntry);
  Payment.RemoveCashupEntry(1, 7, Bound.Code, Bound.Data);
end;

procedure ScriptlessRemove;
begin
  ContainerRef.UnregisterFactory(IDBScript);
  RemoveCashup;
end;

procedure MissingLine;
begin Config.GetObjectAt(99, Jar); end;

begin
  Module := LoadLibraryA(PAnsiChar(AnsiString(ParamStr(1) + '\OrvoExtraPayments.ovm')));
  Check(Module <> 0, 'the module does not load');
  if Module = 0 then
    Halt(1);
  InitModule := GetProcAddress(Module, 'InitModule');
  FinalModule := GetProcAddress(Module, 'FinalModule');

  Container := TContainer.Create;
  ContainerRef := Container;
  RegisterScripts;
  I := Container.Count;
  Check(Succeeded(InitModule(ContainerRef)), 'InitModule failed');
  WriteLn(Format('InitModule: the module registers %d services', [Container.Count - I]));

  WriteLn('payment: Uber, 85.00 due, 10.00 gratuity');
  Check(ContainerRef.ResolveNamed(IPaymentMethod, HostText('Uber'), Payment), 'no payment method "Uber"');
  { The name is one block of the module's with a reference per call: taken, it drops exactly one. }
  Name := Payment.GetName;
  I := Refs(Name);
  Check((OrvoTextTake(Payment.GetName) = 'Uber') and (Refs(Name) = I), 'OrvoTextTake(GetName) releases once');
  OrvoTextRelease(Name);
  Till := TTill.Create;
  TillRef := Till;
  with BindPaymentChangeEvent(Till.OnChange) do
    Payment.SetOnChange(Code, Data);
  Payment.SetAmount(85);
  Payment.SetGratuity(10);
  Check((Till.Changes = 2) and (Till.Amount = 85) and (Till.Gratuity = 10),
    Format('%d notifications, the last read %s and %s', [Till.Changes, CurrToStr(Till.Amount), CurrToStr(Till.Gratuity)]));

  WriteLn('cash-up: invoice 7, shift 1');
  AddCashup;
  Write(Till.Rows);
  Check(Till.Rows = '7 1 "PAYMENT:Uber" "" 0 95.00 0 1'#10'7 1 "GRATUITY" "PAYMENT:Uber" 0 10.00 0 1'#10,
    'the cash-up rows');
  Till.RefuseCashup := True;
  ExpectError('AddCashupEntry with the callback raising', AddCashup);
  Till.RefuseCashup := False;
  Refusing := True;
  ExpectError('RemoveCashupEntry with the database raising', RemoveCashup);
  Refusing := False;
  ExpectError('RemoveCashupEntry without a database', ScriptlessRemove);
  RegisterScripts;

  WriteLn('configuration list: two jars attached, then freed');
  Payment.GetConfig(Config);
  Attach(Config, 'first', False);
  Attach(Config, 'second', True);
  Config.GetObjectAt(1, Jar);
  Check((Jar <> nil) and (JarsFreed = 0), 'the second jar is not attached');
  Jar := nil;
  ExpectError('GetObjectAt(99)', MissingLine);
  Config.FreeObjects;
  WriteLn(Format('  after FreeObjects %d jars freed', [JarsFreed]));
  Config.Clear;
  Config := nil;
  Payment := nil;
  RunFloats(ContainerRef);

  Check(Succeeded(FinalModule), 'FinalModule failed');
  WriteLn(Format('FinalModule: %d registrations left, the host''s own', [Container.Count]));
  ContainerRef := nil;
  TillRef := nil;
  FreeLibrary(Module);
  WriteLn('unloaded');
  Check(Live = 0, Format('%d host objects still live', [Live]));
  for I := 0 to High(HostTexts) do
  begin
    Check(Refs(HostTexts[I]) = 1, Format('text "%s" held %d times', [OrvoTextChars(HostTexts[I]), Refs(HostTexts[I])]));
    OrvoTextRelease(HostTexts[I]);
  end;
  Check(JarsFreed = 2, Format('%d jars freed at the end, not 2', [JarsFreed]));
  if Failures = 0 then
    WriteLn('every check held');
  ExitCode := Ord(Failures > 0);
end.
