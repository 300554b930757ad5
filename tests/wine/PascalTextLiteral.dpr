{ Must not compile: a string literal where the contract wants a text (TOrvoText). }
program PascalTextLiteral;
{$MODE DELPHI}
uses OrvoContract;
var
  Payment: IPaymentMethod;
begin
  Payment.SetDescription('Currency');
end.
