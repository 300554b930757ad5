// The interface the host drives every payment method through.
#pragma once
#include "OrvoTypes.h"

struct IStringConfigList;
struct IPaymentMethod;

// The host's change handler: called with the payment method's own reference after a change.
using TPaymentChangeEvent = TMethod<void(IPaymentMethod* paymentMethod)>;
// Adds one cash-up row. Note: invoice first, shift second (AddCashupEntry takes the shift first).
using TAddCashupEntryEvent = TMethod<void(int32_t invoice, int32_t shift, const AnsiString& name,
                                          const AnsiString& parentName, int32_t a, double value, int32_t b, int32_t c)>;
// Removes one cash-up row.
using TRemoveCashupEntryEvent = TMethod<void(int32_t invoice, int32_t shift, const AnsiString& name)>;
// Checking the sizes also instantiates the types before the interface names them, which the
// 32-bit stdcall name decoration needs to count their bytes alike in every unit.
ORVO_ASSERT_LAYOUT(TPaymentChangeEvent, 8, 16, 4, 8);
ORVO_ASSERT_LAYOUT(TAddCashupEntryEvent, 8, 16, 4, 8);
ORVO_ASSERT_LAYOUT(TRemoveCashupEntryEvent, 8, 16, 4, 8);

struct IPaymentMethod : IInterface {
    static constexpr TGUID IID = ParseGuid("{B99696A6-EA20-4DD7-8E91-13B5762D314D}");
    // Sets the amount to settle (gratuity excluded); notifies once when it changes.
    virtual void ORVO_STDCALL SetAmount(Currency value) = 0;
    // Stores the change handler; an unset handler notifies nobody.
    virtual void ORVO_STDCALL SetOnChange(TPaymentChangeEvent handler) = 0;
    // Sets the gratuity; notifies once when it changes.
    virtual void ORVO_STDCALL SetGratuity(Currency value) = 0;
    virtual Currency ORVO_STDCALL GetAmount() = 0;
    virtual TPaymentChangeEvent ORVO_STDCALL GetOnChange() = 0;
    virtual Currency ORVO_STDCALL GetGratuity() = 0;
    // A new reference to the method's own configuration list (the same list on every call).
    virtual IStringConfigList* ORVO_STDCALL GetConfig() = 0;
    virtual void ORVO_STDCALL SetDescription(const AnsiString& value) = 0;
    // The display name, e.g. "Uber"; the three return the same text.
    virtual AnsiString ORVO_STDCALL GetName() = 0;
    virtual AnsiString ORVO_STDCALL GetCaption() = 0;
    virtual AnsiString ORVO_STDCALL GetPaymentType() = 0;
    // Opens the payment details window; true when the payment is confirmed and recorded.
    virtual bool ORVO_STDCALL DoPaymentPopup() = 0;
    // Returns the object to its starting state without notifying.
    virtual void ORVO_STDCALL Clear() = 0;
    // Adds the cash-up rows through addEntry; errors reach the host.
    virtual void ORVO_STDCALL AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) = 0;
    // Removes the cash-up rows through removeEntry and the database; errors reach the host.
    virtual void ORVO_STDCALL RemoveCashupEntry(int32_t shift, int32_t invoice,
                                                TRemoveCashupEntryEvent removeEntry) = 0;
    // Ties the payment's transaction row to the saved invoice; errors reach the host.
    virtual void ORVO_STDCALL InsertSQL(int32_t invoiceNum) = 0;
    // Hooks of the host's declaration; they do nothing here.
    virtual void ORVO_STDCALL HostHookA(void* a, void* b) = 0;
    virtual void ORVO_STDCALL HostHookB(void* a, void* b) = 0;
    virtual void ORVO_STDCALL HostHookC(void* a, void* b) = 0;
};
