// The host's numeric input popup, obtained with ResolveNamed(IID, "Currency").
#pragma once
#include "OrvoTypes.h"

struct IGenericInput : IInterface {
    static constexpr TGUID IID = ParseGuid("{EF1590EE-58D9-4F52-9D52-EDA0D3C8889A}");
    // Sets the prompt shown above the keypad.
    virtual void ORVO_STDCALL SetCaption(const AnsiString& caption) = 0;
    // Shows the popup with initial text; true with the typed text in entered when confirmed.
    virtual bool ORVO_STDCALL Execute(const AnsiString& initial, AnsiString& entered) = 0;
};
