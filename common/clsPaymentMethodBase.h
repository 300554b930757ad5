// The state and behaviour every payment method shares: amount, gratuity, the host's change
// handler, the configuration list and the host's description, with setters that notify the
// host only when a value really changes.
#pragma once
#include "common/clsStringConfigList.h"
#include "interfaces/intfPaymentMethod.h"

namespace orvo {

class TPaymentMethodBase : public TInterfacedObject<IPaymentMethod> {
public:
    // Creates the configuration list. Construction of a concrete method then runs its Clear,
    // so the concrete reset is part of construction (see the payment method classes).
    TPaymentMethodBase();

    void SetAmount(Currency value) override;
    void SetOnChange(TPaymentChangeEvent handler) override;
    void SetGratuity(Currency value) override;
    Currency GetAmount() override;
    TPaymentChangeEvent GetOnChange() override;
    Currency GetGratuity() override;
    ComPtr<IStringConfigList> GetConfig() override;
    void SetDescription(const AnsiString& value) override;
    // The reset: amount and gratuity to 0 without notifying, the configuration list emptied.
    // Payment methods extend it and call the base first.
    void Clear() override;

protected:
    // The change notification; called once after each real change of amount or gratuity.
    virtual void DoChange() = 0;

    ComPtr<IStringConfigList> Config;
    Currency Amount = 0;
    TPaymentChangeEvent OnChange;
    Currency Gratuity = 0;
    AnsiString Description;
};

}  // namespace orvo
