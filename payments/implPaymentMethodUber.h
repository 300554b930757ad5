// The "Uber" payment method and its factory.
#pragma once
#include "payments/ExtraPaymentMethod.h"

namespace orvo {

inline constexpr TPaymentMethodNames kUberNames{"Uber", "TPaymentMethodUber", "implPaymentMethodUber"};
using TPaymentMethodUber = TNamedPaymentMethod<kUberNames>;
using TPaymentMethodUberfactory = TPaymentMethodFactory<TPaymentMethodUber>;

}  // namespace orvo
