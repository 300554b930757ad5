{ A sample host in Object Pascal, the first hour of a host author: load OrvoExtraPayments.ovm,
  lend it a container of services, take one payment, show one report, unload; the steps of
  SampleHost.c beside it. Written from interfaces/OrvoContract.pas alone; every service is the
  least that works. docs/integrating.md tells the rules this follows. It compiles with Free
  Pascal in its delphi and objfpc modes, and with Delphi: where they differ, it says so.

    SampleHost.exe <module folder> }
program SampleHost;

{$APPTYPE CONSOLE}
{$IFDEF FPC}
{$MODESWITCH CLASSICPROCVARS}  { a method passed as a value without @, in every mode, as in Delphi }
{$ENDIF}

uses
  Windows, SysUtils, ComObj, OrvoContract;

type
  { ---- The container: instances and factories by interface and name ---- }
  TEntry = record
    Iid: TGUID;
    Name: AnsiString;
    Instance: IInterface;  { a shared instance (GetInstance), or }
    Factory: IDIFactory;   { a factory (Resolve, ResolveNamed) }
  end;

  { Host objects derive from TOrvoObject: an exception in one of their safecall methods reaches
    the module as the error object. Their safecall methods say safecall again where they are
    implemented (Free Pascal's objfpc mode wants it), and a GUID parameter is constref under
    Free Pascal and const under Delphi, as the unit declares it. }
  TContainer = class(TOrvoObject, IDIContainer)
  private
    FEntries: array of TEntry;
    function Find(const Iid: TGUID; const Name: AnsiString; Instance: Boolean): Integer;
    function Lookup(Index: Integer; const Iid: TGUID; out Obj): LongBool;
    procedure Remove(Index: Integer);
  public
    procedure Add(const Iid: TGUID; const Name: AnsiString; const Instance: IInterface; const Factory: IDIFactory);
    function Count: Integer;
    procedure RegisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; const Obj: IInterface); safecall;
    procedure RegisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; const Factory: IDIFactory); safecall;
    procedure RegisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText;
      const Factory: IDIFactory); safecall;
    procedure UnregisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
    procedure UnregisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
    procedure UnregisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText); safecall;
    function GetInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
    function Resolve({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
    function ResolveNamed({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText;
      out Obj): LongBool; safecall;
  end;

  { A factory making a new object of its class on every call. }
  TServiceClass = class of TOrvoObject;
  TFactory = class(TOrvoObject, IDIFactory)
  private
    FService: TServiceClass;
  public
    constructor Create(Service: TServiceClass);
    procedure CreateObject(out Obj: IInterface); safecall;
  end;

  { ---- The services: the database prints each statement; the new transaction's ID is 1 ---- }
  TScript = class(TOrvoObject, IDBScript)
    function ExecSQL(Pattern: TOrvoText; Args: PSQLArgs): Integer; safecall;
    function QueryValue(Batch: TOrvoText; Column: TOrvoText): TOrvoText; safecall;
    function QueryJSON(Pattern: TOrvoText; Args: PSQLArgs): TOrvoText; safecall;
  end;

  { The module's windows, driven through IFormView as a cashier would. }
  TFormHost = class(TOrvoObject, IFormHost)
    procedure ShowModal(const Form: IFormView); safecall;
    procedure ReportError(const Form: IFormView; Message: TOrvoText); safecall;
  end;

  { The report's road: an event, a menu item, an access check, a page. }
  TEvents = class(TOrvoObject, IEventManager)
    procedure Subscribe(EventName: TOrvoText; HandlerCode, HandlerData: Pointer); safecall;
  end;

  TMenus = class(TOrvoObject, IMainMenuManager)
    procedure AddMenuItem(Parent: TOrvoText; Caption: TOrvoText; OnClickCode, OnClickData: Pointer;
      Position: Integer); safecall;
  end;

  TAuthentication = class(TOrvoObject, IAuthentication)
    function CheckAccess(Code: TOrvoText; out UserName: TOrvoText; out UserId: Integer; Prompt: Integer;
      Options: Integer): LongBool; safecall;
  end;

  TViewer = class(TOrvoObject, IHTMLViewer)
    procedure ShowHTML(Page: TOrvoText); safecall;
  end;

  { The cashier's side of a payment: its change handler, a bound method of this object. }
  TTill = class(TOrvoObject)
    procedure OnChange(const PaymentMethod: IPaymentMethod); safecall;
  end;

var
  Container: TContainer;
  ContainerRef: IDIContainer;  { holds the container; Container is for the host's own use }
  OnMainForm: TEventHandler;   { bound methods the module hands over, kept }
  OnReports: TMenuClickEvent;
  Till: TTill;  { a bound method holds no reference: the till lives as long as the program }

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

{ What GetInstance, Resolve and ResolveNamed answer: the object as Iid, found or not. }
function TContainer.Lookup(Index: Integer; const Iid: TGUID; out Obj): LongBool;
var
  Made: IInterface;
begin
  Pointer(Obj) := nil;
  if Index < 0 then
    Made := nil
  else if FEntries[Index].Instance <> nil then
    Made := FEntries[Index].Instance
  else
    FEntries[Index].Factory.CreateObject(Made);
  Result := (Made <> nil) and Succeeded(Made.QueryInterface(Iid, Obj));
end;

procedure TContainer.Remove(Index: Integer);
begin
  if Index < 0 then
    Exit;
  FEntries[Index] := FEntries[High(FEntries)];
  SetLength(FEntries, Length(FEntries) - 1);
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

function TContainer.Count: Integer;
begin
  Result := Length(FEntries);
end;

procedure TContainer.RegisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID;
  const Obj: IInterface); safecall;
begin
  Add(Iid, '', Obj, nil);
end;

procedure TContainer.RegisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID;
  const Factory: IDIFactory); safecall;
begin
  Add(Iid, '', nil, Factory);
end;

procedure TContainer.RegisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText;
  const Factory: IDIFactory); safecall;
begin
  Add(Iid, OrvoTextString(Name), nil, Factory);  { the name is lent: keep a copy }
end;

procedure TContainer.UnregisterInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
begin
  Remove(Find(Iid, '', True));
end;

procedure TContainer.UnregisterFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID); safecall;
begin
  Remove(Find(Iid, '', False));
end;

procedure TContainer.UnregisterNamedFactory({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID;
  Name: TOrvoText); safecall;
begin
  Remove(Find(Iid, OrvoTextString(Name), False));
end;

function TContainer.GetInstance({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
begin
  Result := Lookup(Find(Iid, '', True), Iid, Obj);
end;

function TContainer.Resolve({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; out Obj): LongBool; safecall;
begin
  Result := Lookup(Find(Iid, '', False), Iid, Obj);
end;

function TContainer.ResolveNamed({$IFDEF FPC}constref{$ELSE}const{$ENDIF} Iid: TGUID; Name: TOrvoText;
  out Obj): LongBool; safecall;
begin
  Result := Lookup(Find(Iid, OrvoTextString(Name), False), Iid, Obj);
end;

constructor TFactory.Create(Service: TServiceClass);
begin
  inherited Create;
  FService := Service;
end;

procedure TFactory.CreateObject(out Obj: IInterface); safecall;
begin
  Obj := FService.Create;
end;

function TScript.ExecSQL(Pattern: TOrvoText; Args: PSQLArgs): Integer; safecall;
var
  Statement: AnsiString;
  Arguments: Integer;
begin
  Statement := OrvoTextString(Pattern);
  Arguments := 0;
  if Args <> nil then
    Arguments := Args^.Count;
  WriteLn('  database runs ', Copy(Statement, 1, Pos(' ', Statement + ' ') - 1), '... (', Arguments, ' arguments)');
  Result := 1;
end;

function TScript.QueryValue(Batch: TOrvoText; Column: TOrvoText): TOrvoText; safecall;
begin
  Result := OrvoTextOf('1');  { a new text: the module releases it }
end;

function TScript.QueryJSON(Pattern: TOrvoText; Args: PSQLArgs): TOrvoText; safecall;
begin
  Result := OrvoTextOf('[]');  { no rows }
end;

function IndexOf(const Form: IFormView; const Name: AnsiString): Integer;
var
  Text: TOrvoText;
begin
  Text := OrvoTextOf(Name);
  try
    Result := Form.IndexOfControl(Text);
  finally
    OrvoTextRelease(Text);  { lent for the call: ours to release }
  end;
end;

procedure TFormHost.ShowModal(const Form: IFormView); safecall;
var
  Caption: AnsiString;
  Reference: TOrvoText;
begin
  Caption := OrvoTextTake(Form.GetCaption);  { a new text, copied and released }
  WriteLn('  window "', Caption, '"');
  if Caption = 'Uber Details' then
  begin
    Reference := OrvoTextOf('UBER-1234');
    try
      Form.SetText(IndexOf(Form, 'txtReference'), Reference);
    finally
      OrvoTextRelease(Reference);
    end;
    Form.Click(IndexOf(Form, 'btnOKNew'));
  end
  else
    Form.Click(IndexOf(Form, 'btnToday'));
end;

procedure TFormHost.ReportError(const Form: IFormView; Message: TOrvoText); safecall;
begin
  WriteLn('  window reports: ', OrvoTextString(Message));
end;

procedure TEvents.Subscribe(EventName: TOrvoText; HandlerCode, HandlerData: Pointer); safecall;
begin
  if OrvoTextString(EventName) = 'Orvo.BackOffice.MainForm.Create' then
    OnMainForm := EventHandlerOf(HandlerCode, HandlerData);
end;

procedure TMenus.AddMenuItem(Parent: TOrvoText; Caption: TOrvoText; OnClickCode, OnClickData: Pointer;
  Position: Integer); safecall;
begin
  WriteLn('  menu "', OrvoTextString(Parent), '" gets "', OrvoTextString(Caption), '"');
  if OnClickCode <> nil then
    OnReports := MenuClickEventOf(OnClickCode, OnClickData);
end;

function TAuthentication.CheckAccess(Code: TOrvoText; out UserName: TOrvoText; out UserId: Integer;
  Prompt: Integer; Options: Integer): LongBool; safecall;
begin
  WriteLn('  access code ', OrvoTextString(Code), ' granted');
  UserName := OrvoTextOf('Manager');
  UserId := 1;
  Result := True;
end;

procedure TViewer.ShowHTML(Page: TOrvoText); safecall;
begin
  WriteLn('  viewer shows a page of ', OrvoTextLength(Page), ' bytes');  { lent: copy it to keep it }
end;

procedure TTill.OnChange(const PaymentMethod: IPaymentMethod); safecall;
begin
  WriteLn('  the till shows ', CurrToStrF(PaymentMethod.GetAmount, ffFixed, 2), ' due');
end;

{ ---- The steps, each in a routine of its own: the references Pascal makes on the way end with it ---- }
procedure RegisterServices;
begin
  Container.Add(IDBScript, '', nil, TFactory.Create(TScript));
  Container.Add(IAuthentication, '', nil, TFactory.Create(TAuthentication));
  Container.Add(IHTMLViewer, '', nil, TFactory.Create(TViewer));
  Container.Add(IFormHost, '', TFormHost.Create, nil);
  Container.Add(IEventManager, '', TEvents.Create, nil);
  Container.Add(IMainMenuManager, '', TMenus.Create, nil);
end;

procedure TakePayment;
var
  Name: TOrvoText;
  Payment: IPaymentMethod;
  Found, Paid: Boolean;
  Handler: TOrvoMethod;
begin
  WriteLn('payment: Uber, 85.00');
  Name := OrvoTextOf('Uber');
  try
    Found := ContainerRef.ResolveNamed(IPaymentMethod, Name, Payment);
  finally
    OrvoTextRelease(Name);
  end;
  if not Found then
    Exit;
  Handler := BindPaymentChangeEvent(Till.OnChange);
  Payment.SetOnChange(Handler.Code, Handler.Data);
  Payment.SetAmount(85);  { Currency: 85.0000 }
  Paid := Payment.DoPaymentPopup;
  if Paid then
    Payment.InsertSQL(7);  { the invoice the host saved }
  WriteLn('  paid: ', BoolToStr(Paid, 'yes', 'no'));
end;

procedure ShowReport;
var
  Event: TOrvoText;
begin
  WriteLn('report: the back office opens, the menu item is clicked');
  Event := OrvoTextOf('Orvo.BackOffice.MainForm.Create');
  try
    if Assigned(OnMainForm) then
      OnMainForm(Event, nil, nil);
  finally
    OrvoTextRelease(Event);
  end;
  if Assigned(OnReports) then
    OnReports(nil);
end;

var
  Path: AnsiString;
  Module: HMODULE;
  InitModule: TInitModule;
  FinalModule: TFinalModule;

begin
  if ParamCount <> 1 then
  begin
    WriteLn('usage: SampleHost <module folder>');
    Halt(2);
  end;
  Path := ExpandFileName(ParamStr(1)) + '\OrvoExtraPayments.ovm';
  Module := LoadLibraryExA(PAnsiChar(Path), 0, LOAD_WITH_ALTERED_SEARCH_PATH);
  InitModule := TInitModule(GetProcAddress(Module, 'InitModule'));
  FinalModule := TFinalModule(GetProcAddress(Module, 'FinalModule'));
  if (Module = 0) or not Assigned(InitModule) or not Assigned(FinalModule) then
  begin
    WriteLn('cannot load ', Path, ' (Windows error ', GetLastError, ')');
    Halt(3);
  end;
  WriteLn('loaded ', Path);
  Till := TTill.Create;
  Container := TContainer.Create;
  ContainerRef := Container;
  try
    RegisterServices;
    OleCheck(InitModule(ContainerRef));
    WriteLn('InitModule: ', Container.Count, ' registrations in the container');
    TakePayment;
    ShowReport;
    OleCheck(FinalModule());
  except
    on E: EOleException do  { a failed call of the module: its message and class }
    begin
      WriteLn('failed: ', E.Message, ' (', E.Source, ')');
      ExitCode := 1;
    end;
    on E: Exception do
    begin
      WriteLn('failed: ', E.Message, ' (', E.ClassName, ')');
      ExitCode := 1;
    end;
  end;
  { The handlers point into the module: forget them before it goes. }
  OnMainForm := nil;
  OnReports := nil;
  FreeLibrary(Module);
  WriteLn('unloaded, ', Container.Count, ' registrations left');
  ContainerRef := nil;
  Till.Free;
end.
