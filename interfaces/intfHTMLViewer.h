// The host's HTML viewer, obtained with Resolve.
#pragma once
#include "OrvoTypes.h"

struct IHTMLViewer : IInterface {
    static constexpr TGUID IID = ParseGuid("{81D81A77-941E-4514-8CA5-05169CDC91BB}");
    // Shows the page; the viewer keeps its own copy for as long as it shows it.
    virtual void ORVO_STDCALL ShowHTML(const AnsiString& page) = 0;
};
