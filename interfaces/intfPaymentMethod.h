// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The interface the host drives every payment method through.
#pragma once
#include "OrvoTypes.h"
#include "intfStringConfigList.h"

struct IPaymentMethod;

// The host's change handler: called with the payment method's own reference after a change.
using TPaymentChangeEvent = TMethod<void(IPaymentMethod* paymentMethod)>;
ORVO_ASSERT_LAYOUT(TPaymentChangeEvent, 8, 16, 4, 8);  // also instantiates it before the interface names it

// Adds one cash-up row; the texts are borrowed. Note: invoice first, shift second
// (AddCashupEntry takes the shift first).
using TAddCashupEntryEvent = TMethod<void(int32_t invoice, int32_t shift, OrvoAnsiString name,
                                          OrvoAnsiString parentName, int32_t a, double value, int32_t b, int32_t c)>;
ORVO_ASSERT_LAYOUT(TAddCashupEntryEvent, 8, 16, 4, 8);  // also instantiates it before the interface names it

// Removes one cash-up row.
using TRemoveCashupEntryEvent = TMethod<void(int32_t invoice, int32_t shift, OrvoAnsiString name)>;
ORVO_ASSERT_LAYOUT(TRemoveCashupEntryEvent, 8, 16, 4, 8);  // also instantiates it before the interface names it

struct IPaymentMethod : IInterface {
    static constexpr TGUID IID = ParseGuid("{B99696A6-EA20-4DD7-8E91-13B5762D314D}");
    // Sets the amount to settle (gratuity excluded); notifies once when it changes.
    virtual HRESULT32 ORVO_STDCALL raw_SetAmount(Currency value) = 0;
    // Stores the change handler; an unset handler notifies nobody.
    virtual HRESULT32 ORVO_STDCALL raw_SetOnChange(TPaymentChangeEvent handler) = 0;
    // Sets the gratuity; notifies once when it changes.
    virtual HRESULT32 ORVO_STDCALL raw_SetGratuity(Currency value) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetAmount(Currency* value) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetOnChange(TPaymentChangeEvent* handler) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetGratuity(Currency* value) = 0;
    // A new reference to the method's own configuration list (the same list on every call).
    virtual HRESULT32 ORVO_STDCALL raw_GetConfig(IStringConfigList** config) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_SetDescription(OrvoAnsiString value) = 0;
    // The display name, e.g. "Uber", a new text; the three return the same text.
    virtual HRESULT32 ORVO_STDCALL raw_GetName(OrvoAnsiString* name) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetCaption(OrvoAnsiString* caption) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_GetPaymentType(OrvoAnsiString* paymentType) = 0;
    // Opens the payment details window; *paid true when the payment is confirmed and recorded.
    virtual HRESULT32 ORVO_STDCALL raw_DoPaymentPopup(OrvoBool* paid) = 0;
    // Returns the object to its starting state without notifying.
    virtual HRESULT32 ORVO_STDCALL raw_Clear() = 0;
    // Adds the cash-up rows through addEntry; errors reach the host.
    virtual HRESULT32 ORVO_STDCALL raw_AddCashupEntry(int32_t shift, int32_t invoice,
                                                      TAddCashupEntryEvent addEntry) = 0;
    // Removes the cash-up rows through removeEntry and the database; errors reach the host.
    virtual HRESULT32 ORVO_STDCALL raw_RemoveCashupEntry(int32_t shift, int32_t invoice,
                                                         TRemoveCashupEntryEvent removeEntry) = 0;
    // Ties the payment's transaction row to the saved invoice; errors reach the host.
    virtual HRESULT32 ORVO_STDCALL raw_InsertSQL(int32_t invoiceNum) = 0;
    // Hooks of the host's declaration; they do nothing here.
    virtual HRESULT32 ORVO_STDCALL raw_HostHookA(void* a, void* b) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_HostHookB(void* a, void* b) = 0;
    virtual HRESULT32 ORVO_STDCALL raw_HostHookC(void* a, void* b) = 0;

    void SetAmount(Currency value) { orvo::CallOut().Check(raw_SetAmount(value)); }
    void SetOnChange(TPaymentChangeEvent handler) { orvo::CallOut().Check(raw_SetOnChange(handler)); }
    void SetGratuity(Currency value) { orvo::CallOut().Check(raw_SetGratuity(value)); }
    Currency GetAmount() {
        Currency value = 0;
        orvo::CallOut().Check(raw_GetAmount(&value));
        return value;
    }
    TPaymentChangeEvent GetOnChange() {
        TPaymentChangeEvent handler;
        orvo::CallOut().Check(raw_GetOnChange(&handler));
        return handler;
    }
    Currency GetGratuity() {
        Currency value = 0;
        orvo::CallOut().Check(raw_GetGratuity(&value));
        return value;
    }
    ComPtr<IStringConfigList> GetConfig() {
        ComPtr<IStringConfigList> config;
        orvo::CallOut().Check(raw_GetConfig(config.ReleaseAndGetAddressOf()));
        return config;
    }
    void SetDescription(const AnsiString& value) { orvo::CallOut().Check(raw_SetDescription(value.Raw())); }
    AnsiString GetName() {
        AnsiString name;
        orvo::CallOut().Check(raw_GetName(name.ReleaseAndGetAddressOf()));
        return name;
    }
    AnsiString GetCaption() {
        AnsiString caption;
        orvo::CallOut().Check(raw_GetCaption(caption.ReleaseAndGetAddressOf()));
        return caption;
    }
    AnsiString GetPaymentType() {
        AnsiString paymentType;
        orvo::CallOut().Check(raw_GetPaymentType(paymentType.ReleaseAndGetAddressOf()));
        return paymentType;
    }
    bool DoPaymentPopup() {
        OrvoBool paid = 0;
        orvo::CallOut().Check(raw_DoPaymentPopup(&paid));
        return paid != 0;
    }
    void Clear() { orvo::CallOut().Check(raw_Clear()); }
    void AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) {
        orvo::CallOut().Check(raw_AddCashupEntry(shift, invoice, addEntry));
    }
    void RemoveCashupEntry(int32_t shift, int32_t invoice, TRemoveCashupEntryEvent removeEntry) {
        orvo::CallOut().Check(raw_RemoveCashupEntry(shift, invoice, removeEntry));
    }
    void InsertSQL(int32_t invoiceNum) { orvo::CallOut().Check(raw_InsertSQL(invoiceNum)); }
};
template <>
struct ComImpl<IPaymentMethod> : IPaymentMethod {
    virtual void SetAmount(Currency value) = 0;
    virtual void SetOnChange(TPaymentChangeEvent handler) = 0;
    virtual void SetGratuity(Currency value) = 0;
    virtual Currency GetAmount() = 0;
    virtual TPaymentChangeEvent GetOnChange() = 0;
    virtual Currency GetGratuity() = 0;
    virtual ComPtr<IStringConfigList> GetConfig() = 0;
    virtual void SetDescription(const AnsiString& value) = 0;
    virtual AnsiString GetName() = 0;
    virtual AnsiString GetCaption() = 0;
    virtual AnsiString GetPaymentType() = 0;
    virtual bool DoPaymentPopup() = 0;
    virtual void Clear() = 0;
    virtual void AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) = 0;
    virtual void RemoveCashupEntry(int32_t shift, int32_t invoice, TRemoveCashupEntryEvent removeEntry) = 0;
    virtual void InsertSQL(int32_t invoiceNum) = 0;

    HRESULT32 ORVO_STDCALL raw_SetAmount(Currency value) final { return orvo::ComBody([&] { SetAmount(value); }); }
    HRESULT32 ORVO_STDCALL raw_SetOnChange(TPaymentChangeEvent handler) final {
        return orvo::ComBody([&] { SetOnChange(handler); });
    }
    HRESULT32 ORVO_STDCALL raw_SetGratuity(Currency value) final { return orvo::ComBody([&] { SetGratuity(value); }); }
    HRESULT32 ORVO_STDCALL raw_GetAmount(Currency* value) final {
        return orvo::ComBody(value, [&] { *value = GetAmount(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetOnChange(TPaymentChangeEvent* handler) final {
        return orvo::ComBody(handler, [&] { *handler = GetOnChange(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetGratuity(Currency* value) final {
        return orvo::ComBody(value, [&] { *value = GetGratuity(); });
    }
    HRESULT32 ORVO_STDCALL raw_GetConfig(IStringConfigList** config) final {
        return orvo::ComBody(config, [&] { orvo::PutObject(config, GetConfig()); });
    }
    HRESULT32 ORVO_STDCALL raw_SetDescription(OrvoAnsiString value) final {
        return orvo::ComBody([&] { SetDescription(TBorrowedText(value)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetName(OrvoAnsiString* name) final {
        return orvo::ComBody(name, [&] { orvo::PutText(name, GetName()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetCaption(OrvoAnsiString* caption) final {
        return orvo::ComBody(caption, [&] { orvo::PutText(caption, GetCaption()); });
    }
    HRESULT32 ORVO_STDCALL raw_GetPaymentType(OrvoAnsiString* paymentType) final {
        return orvo::ComBody(paymentType, [&] { orvo::PutText(paymentType, GetPaymentType()); });
    }
    HRESULT32 ORVO_STDCALL raw_DoPaymentPopup(OrvoBool* paid) final {
        return orvo::ComBody(paid, [&] { *paid = DoPaymentPopup(); });
    }
    HRESULT32 ORVO_STDCALL raw_Clear() final { return orvo::ComBody([&] { Clear(); }); }
    HRESULT32 ORVO_STDCALL raw_AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) final {
        return orvo::ComBody([&] { AddCashupEntry(shift, invoice, addEntry); });
    }
    HRESULT32 ORVO_STDCALL raw_RemoveCashupEntry(int32_t shift, int32_t invoice,
                                                 TRemoveCashupEntryEvent removeEntry) final {
        return orvo::ComBody([&] { RemoveCashupEntry(shift, invoice, removeEntry); });
    }
    HRESULT32 ORVO_STDCALL raw_InsertSQL(int32_t invoiceNum) final {
        return orvo::ComBody([&] { InsertSQL(invoiceNum); });
    }
    HRESULT32 ORVO_STDCALL raw_HostHookA(void*, void*) final { return ORVO_S_OK; }
    HRESULT32 ORVO_STDCALL raw_HostHookB(void*, void*) final { return ORVO_S_OK; }
    HRESULT32 ORVO_STDCALL raw_HostHookC(void*, void*) final { return ORVO_S_OK; }
};
