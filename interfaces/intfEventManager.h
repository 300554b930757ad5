// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's event manager, a shared service obtained with GetInstance.
#pragma once
#include "OrvoTypes.h"

// Event handler: the event's name (borrowed) and two further arguments of the host's.
using TEventHandler = TMethod<void(OrvoAnsiString eventName, void* sender, void* extra)>;
ORVO_ASSERT_LAYOUT(TEventHandler, 8, 16, 4, 8);  // also instantiates it before the interface names it

struct IEventManager : IInterface {
    static constexpr TGUID IID = ParseGuid("{809967B8-EF11-4305-903C-F7C01676EA2D}");
    // The handler runs at every raise of eventName; the host keeps it and offers no unsubscribe.
    virtual HRESULT32 ORVO_STDCALL raw_Subscribe(OrvoAnsiString eventName, TEventHandler handler) = 0;

    void Subscribe(const AnsiString& eventName, TEventHandler handler) {
        orvo::CallOut().Check(raw_Subscribe(eventName.Raw(), handler));
    }
};
template <>
struct ComImpl<IEventManager> : IEventManager {
    virtual void Subscribe(const AnsiString& eventName, TEventHandler handler) = 0;

    HRESULT32 ORVO_STDCALL raw_Subscribe(OrvoAnsiString eventName, TEventHandler handler) final {
        return orvo::ComBody([&] { Subscribe(TBorrowedText(eventName), handler); });
    }
};
