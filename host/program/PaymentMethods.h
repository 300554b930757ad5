// What the host checks of a payment before the module's window opens: the method's name and the
// reference's length.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace orvo::host {

inline constexpr std::array<std::string_view, 5> kPaymentMethods = {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"};
inline constexpr const char* kPaymentMethodList = "one of Uber, \"Mr D\", ABSA, Nedbank, \"Other CC\"";

inline bool IsPaymentMethod(std::string_view name) {
    for (std::string_view method : kPaymentMethods)
        if (method == name) return true;
    return false;
}

// The module's schema keeps a reference in VARCHAR(200).
inline constexpr size_t kReferenceLength = 200;

}  // namespace orvo::host
