// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's access check, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IAuthentication : IInterface {
    static constexpr TGUID IID = ParseGuid("{9C707C66-FD71-4E82-AF41-2F51767A7D87}");
    // *granted true when the current user may proceed with code. The out values (a new text the
    // caller releases, an integer) and the two trailing arguments are the host's; the module
    // passes 1 and 0 and reads neither out value.
    virtual HRESULT32 ORVO_STDCALL raw_CheckAccess(OrvoAnsiString code, OrvoAnsiString* userName, int32_t* userId,
                                                   int32_t prompt, int32_t options, OrvoBool* granted) = 0;

    bool CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt, int32_t options) {
        OrvoBool granted = 0;
        orvo::CallOut().Check(raw_CheckAccess(code.Raw(), userName.ReleaseAndGetAddressOf(), &userId, prompt, options,
                                              &granted));
        return granted != 0;
    }
};
template <>
struct ComImpl<IAuthentication> : IAuthentication {
    virtual bool CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                             int32_t options) = 0;

    HRESULT32 ORVO_STDCALL raw_CheckAccess(OrvoAnsiString code, OrvoAnsiString* userName, int32_t* userId,
                                           int32_t prompt, int32_t options, OrvoBool* granted) final {
        return orvo::ComBody(userName, userId, granted, [&] {
            AnsiString userNameValue;
            int32_t userIdValue = 0;
            const auto answer = CheckAccess(TBorrowedText(code), userNameValue, userIdValue, prompt, options);
            orvo::PutText(userName, userNameValue);
            *userId = userIdValue;
            *granted = answer;
        });
    }
};
