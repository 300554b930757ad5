// The "ABSA" payment method and its factory.
#pragma once
#include "payments/ExtraPaymentMethod.h"

namespace orvo {

inline constexpr TPaymentMethodNames kABSANames{"ABSA", "TPaymentMethodABSA", "implPaymentMethodABSA"};
using TPaymentMethodABSA = TNamedPaymentMethod<kABSANames>;
using TPaymentMethodABSAfactory = TPaymentMethodFactory<TPaymentMethodABSA>;

}  // namespace orvo
