// The "Nedbank" payment method and its factory.
#pragma once
#include "payments/ExtraPaymentMethod.h"

namespace orvo {

inline constexpr TPaymentMethodNames kNedbankNames{"Nedbank", "TPaymentMethodNedbank", "implPaymentMethodNedbank"};
using TPaymentMethodNedbank = TNamedPaymentMethod<kNedbankNames>;
using TPaymentMethodNedbankfactory = TPaymentMethodFactory<TPaymentMethodNedbank>;

}  // namespace orvo
