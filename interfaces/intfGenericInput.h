// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's numeric input popup, obtained with ResolveNamed(IID, "Currency").
#pragma once
#include "OrvoTypes.h"

struct IGenericInput : IInterface {
    static constexpr TGUID IID = ParseGuid("{EF1590EE-58D9-4F52-9D52-EDA0D3C8889A}");
    // Sets the prompt shown above the keypad.
    virtual HRESULT32 ORVO_STDCALL raw_SetCaption(OrvoAnsiString caption) = 0;
    // Shows the popup with initial text; *confirmed true with the typed text, a new text, in
    // *entered (which the caller passes empty); false leaves *entered empty.
    virtual HRESULT32 ORVO_STDCALL raw_Execute(OrvoAnsiString initial, OrvoAnsiString* entered,
                                               OrvoBool* confirmed) = 0;

    void SetCaption(const AnsiString& caption) { orvo::CallOut().Check(raw_SetCaption(caption.Raw())); }
    bool Execute(const AnsiString& initial, AnsiString& entered) {
        AnsiString enteredValue;
        OrvoBool confirmed = 0;
        orvo::CallOut().Check(raw_Execute(initial.Raw(), enteredValue.ReleaseAndGetAddressOf(), &confirmed));
        if (confirmed) entered = enteredValue;
        return confirmed != 0;
    }
};
template <>
struct ComImpl<IGenericInput> : IGenericInput {
    virtual void SetCaption(const AnsiString& caption) = 0;
    virtual bool Execute(const AnsiString& initial, AnsiString& entered) = 0;

    HRESULT32 ORVO_STDCALL raw_SetCaption(OrvoAnsiString caption) final {
        return orvo::ComBody([&] { SetCaption(TBorrowedText(caption)); });
    }
    HRESULT32 ORVO_STDCALL raw_Execute(OrvoAnsiString initial, OrvoAnsiString* entered, OrvoBool* confirmed) final {
        return orvo::ComBody(entered, confirmed, [&] {
            AnsiString enteredValue;
            const auto answer = Execute(TBorrowedText(initial), enteredValue);
            orvo::PutText(entered, answer ? enteredValue : AnsiString());
            *confirmed = answer;
        });
    }
};
