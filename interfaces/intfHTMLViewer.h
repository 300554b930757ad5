// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's HTML viewer, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IHTMLViewer : IInterface {
    static constexpr TGUID IID = ParseGuid("{81D81A77-941E-4514-8CA5-05169CDC91BB}");
    // Shows the page (borrowed); the viewer keeps its own reference or copy while it shows it.
    virtual HRESULT32 ORVO_STDCALL raw_ShowHTML(OrvoAnsiString page) = 0;

    void ShowHTML(const AnsiString& page) { orvo::CallOut().Check(raw_ShowHTML(page.Raw())); }
};
template <>
struct ComImpl<IHTMLViewer> : IHTMLViewer {
    virtual void ShowHTML(const AnsiString& page) = 0;

    HRESULT32 ORVO_STDCALL raw_ShowHTML(OrvoAnsiString page) final {
        return orvo::ComBody([&] { ShowHTML(TBorrowedText(page)); });
    }
};
