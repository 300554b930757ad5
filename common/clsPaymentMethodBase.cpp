#include "common/clsPaymentMethodBase.h"

namespace orvo {

TPaymentMethodBase::TPaymentMethodBase() : Config(CreateStringConfigList()) {}

void TPaymentMethodBase::SetAmount(Currency value) {
    if (value == Amount) return;
    Amount = value;
    DoChange();
}

void TPaymentMethodBase::SetOnChange(TPaymentChangeEvent handler) { OnChange = handler; }

void TPaymentMethodBase::SetGratuity(Currency value) {
    if (value == Gratuity) return;
    Gratuity = value;
    DoChange();
}

Currency TPaymentMethodBase::GetAmount() { return Amount; }

TPaymentChangeEvent TPaymentMethodBase::GetOnChange() { return OnChange; }

Currency TPaymentMethodBase::GetGratuity() { return Gratuity; }

ComPtr<IStringConfigList> TPaymentMethodBase::GetConfig() { return Config; }

void TPaymentMethodBase::SetDescription(const AnsiString& value) { Description = value; }

void TPaymentMethodBase::Clear() {
    Amount = 0;
    Gratuity = 0;
    Config->Clear();
}

}  // namespace orvo
