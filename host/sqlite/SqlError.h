// The error the reference host's database service raises: a statement it cannot translate, a
// pattern that does not fit its arguments, or a statement the database refused.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"

namespace orvo::host {

class EDatabaseError : public EOrvoError {
public:
    explicit EDatabaseError(std::string message) : EOrvoError(std::move(message), "EDatabaseError") {}
};

// "Cannot translate T-SQL: <what> (at character N)", N counting from 1 in the batch.
[[noreturn]] inline void ThrowUntranslated(std::string_view what, size_t offset) {
    throw EDatabaseError("Cannot translate T-SQL: " + std::string(what) + " (at character " +
                         std::to_string(offset + 1) + ")");
}

}  // namespace orvo::host
