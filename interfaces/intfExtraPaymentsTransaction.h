// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The transaction record service: one row of ExtraPaymentTransactions per payment.
#pragma once
#include "OrvoTypes.h"

struct IExtraPaymentsTransaction : IInterface {
    static constexpr TGUID IID = ParseGuid("{9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}");
    // Inserts a row for the method; *id: its new ID, or -1 on any failure (never fails itself).
    virtual HRESULT32 ORVO_STDCALL raw_AddTransaction(OrvoAnsiString paymentMethod, int32_t* id) = 0;
    // Sets the row's amount (rands, gratuity included) and reference; an amount that is no
    // number (NaN, infinite) is refused before any statement; errors reach the caller.
    virtual HRESULT32 ORVO_STDCALL raw_UpdateTransaction(int32_t transactionId, OrvoAnsiString reference,
                                                         double amount) = 0;
    // Ties the row to the invoice; errors reach the caller.
    virtual HRESULT32 ORVO_STDCALL raw_SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) = 0;

    int32_t AddTransaction(const AnsiString& paymentMethod) {
        int32_t id = -1;
        orvo::CallOut().Check(raw_AddTransaction(paymentMethod.Raw(), &id));
        return id;
    }
    void UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) {
        orvo::CallOut().Check(raw_UpdateTransaction(transactionId, reference.Raw(), amount));
    }
    void SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) {
        orvo::CallOut().Check(raw_SetInvoiceNum(transactionId, invoiceNum));
    }
};
template <>
struct ComImpl<IExtraPaymentsTransaction> : IExtraPaymentsTransaction {
    virtual int32_t AddTransaction(const AnsiString& paymentMethod) = 0;
    virtual void UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) = 0;
    virtual void SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) = 0;

    HRESULT32 ORVO_STDCALL raw_AddTransaction(OrvoAnsiString paymentMethod, int32_t* id) final {
        return orvo::ComBody(id, [&] { *id = AddTransaction(TBorrowedText(paymentMethod)); });
    }
    HRESULT32 ORVO_STDCALL raw_UpdateTransaction(int32_t transactionId, OrvoAnsiString reference, double amount) final {
        return orvo::ComBody([&] { UpdateTransaction(transactionId, TBorrowedText(reference), amount); });
    }
    HRESULT32 ORVO_STDCALL raw_SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) final {
        return orvo::ComBody([&] { SetInvoiceNum(transactionId, invoiceNum); });
    }
};
