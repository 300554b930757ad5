// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's main menu, a shared service obtained with GetInstance.
#pragma once
#include "OrvoTypes.h"

// Menu click handler: the host passes the menu item as sender; the module reads nothing of it.
using TMenuClickEvent = TMethod<void(void* sender)>;
ORVO_ASSERT_LAYOUT(TMenuClickEvent, 8, 16, 4, 8);  // also instantiates it before the interface names it

struct IMainMenuManager : IInterface {
    static constexpr TGUID IID = ParseGuid("{18EFA31B-CB57-4086-9B08-DFB4F40E69CE}");
    // Appends an item to the menu named parent at position (-1: at the end). Caption "-" with
    // no handler is a separator. The host keeps the handler as long as the item exists.
    virtual HRESULT32 ORVO_STDCALL raw_AddMenuItem(OrvoAnsiString parent, OrvoAnsiString caption,
                                                   TMenuClickEvent onClick, int32_t position) = 0;

    void AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick, int32_t position) {
        orvo::CallOut().Check(raw_AddMenuItem(parent.Raw(), caption.Raw(), onClick, position));
    }
};
template <>
struct ComImpl<IMainMenuManager> : IMainMenuManager {
    virtual void AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                             int32_t position) = 0;

    HRESULT32 ORVO_STDCALL raw_AddMenuItem(OrvoAnsiString parent, OrvoAnsiString caption, TMenuClickEvent onClick,
                                           int32_t position) final {
        return orvo::ComBody([&] { AddMenuItem(TBorrowedText(parent), TBorrowedText(caption), onClick, position); });
    }
};
