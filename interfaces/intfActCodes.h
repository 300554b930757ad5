// The host's access-code list, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IActCodes : IInterface {
    static constexpr TGUID IID = ParseGuid("{7336DF82-6458-4675-A561-03F09D1B3B6E}");
    // Registers code with its description; the two values are the host's (the module passes 1, 1).
    virtual void ORVO_STDCALL AddActCode(const AnsiString& code, const AnsiString& description, int32_t a,
                                         int32_t b) = 0;
    // Links code under linkCode in the host's access tree.
    virtual void ORVO_STDCALL LinkActCode(const AnsiString& code, const AnsiString& linkCode) = 0;
};
