// The transaction record service: one row of ExtraPaymentTransactions per payment.
#pragma once
#include "OrvoTypes.h"

struct IExtraPaymentsTransaction : IInterface {
    static constexpr TGUID IID = ParseGuid("{9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}");
    // Inserts a row for the method; returns its new ID, or -1 on any failure (never raises).
    virtual int32_t ORVO_STDCALL AddTransaction(const AnsiString& paymentMethod) = 0;
    // Sets the row's amount (rands, gratuity included) and reference; errors reach the caller.
    virtual void ORVO_STDCALL UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) = 0;
    // Ties the row to the invoice; errors reach the caller.
    virtual void ORVO_STDCALL SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) = 0;
};
