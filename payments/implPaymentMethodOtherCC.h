// The "Other CC" payment method and its factory.
#pragma once
#include "payments/ExtraPaymentMethod.h"

namespace orvo {

inline constexpr TPaymentMethodNames kOtherCCNames{"Other CC", "TPaymentMethodOtherCC", "implPaymentMethodOtherCC"};
using TPaymentMethodOtherCC = TNamedPaymentMethod<kOtherCCNames>;
using TPaymentMethodOtherCCfactory = TPaymentMethodFactory<TPaymentMethodOtherCC>;

}  // namespace orvo
