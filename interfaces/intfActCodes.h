// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's access-code list, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IActCodes : IInterface {
    static constexpr TGUID IID = ParseGuid("{7336DF82-6458-4675-A561-03F09D1B3B6E}");
    // Registers code with its description; the two values are the host's (the module passes 1, 1).
    virtual HRESULT32 ORVO_STDCALL raw_AddActCode(OrvoAnsiString code, OrvoAnsiString description, int32_t a,
                                                  int32_t b) = 0;
    // Links code under linkCode in the host's access tree.
    virtual HRESULT32 ORVO_STDCALL raw_LinkActCode(OrvoAnsiString code, OrvoAnsiString linkCode) = 0;

    void AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) {
        orvo::CallOut().Check(raw_AddActCode(code.Raw(), description.Raw(), a, b));
    }
    void LinkActCode(const AnsiString& code, const AnsiString& linkCode) {
        orvo::CallOut().Check(raw_LinkActCode(code.Raw(), linkCode.Raw()));
    }
};
template <>
struct ComImpl<IActCodes> : IActCodes {
    virtual void AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) = 0;
    virtual void LinkActCode(const AnsiString& code, const AnsiString& linkCode) = 0;

    HRESULT32 ORVO_STDCALL raw_AddActCode(OrvoAnsiString code, OrvoAnsiString description, int32_t a, int32_t b) final {
        return orvo::ComBody([&] { AddActCode(TBorrowedText(code), TBorrowedText(description), a, b); });
    }
    HRESULT32 ORVO_STDCALL raw_LinkActCode(OrvoAnsiString code, OrvoAnsiString linkCode) final {
        return orvo::ComBody([&] { LinkActCode(TBorrowedText(code), TBorrowedText(linkCode)); });
    }
};
