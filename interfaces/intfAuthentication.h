// The host's access check, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IAuthentication : IInterface {
    static constexpr TGUID IID = ParseGuid("{9C707C66-FD71-4E82-AF41-2F51767A7D87}");
    // True when the current user may proceed with code. The out values and the two trailing
    // arguments are the host's; the module passes 1 and 0 and reads neither out value.
    virtual bool ORVO_STDCALL CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                                          int32_t options) = 0;
};
