{ Must not compile: what the contract's texts (TOrvoText) refuse, each on its line: a string
  literal, a PAnsiChar, a PAnsiChar(S) cast, and a text for an out PAnsiChar. }
program PascalTextLiteral;
{$MODE DELPHI}
uses OrvoContract;
procedure Give(out Chars: PAnsiChar);
begin Chars := nil; end;
var
  Payment: IPaymentMethod;
  Chars: PAnsiChar;
  S: AnsiString;
  Text: TOrvoText;
begin
  Payment.SetDescription('Currency');
  Payment.SetDescription(Chars);
  Payment.SetDescription(PAnsiChar(S));
  Give(Text);
end.
