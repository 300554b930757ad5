// The "Mr D" payment method and its factory.
#pragma once
#include "payments/ExtraPaymentMethod.h"

namespace orvo {

inline constexpr TPaymentMethodNames kMrDNames{"Mr D", "TPaymentMethodMrD", "implPaymentMethodMrD"};
using TPaymentMethodMrD = TNamedPaymentMethod<kMrDNames>;
using TPaymentMethodMrDfactory = TPaymentMethodFactory<TPaymentMethodMrD>;

}  // namespace orvo
