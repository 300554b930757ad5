// The behaviour all five extra payment methods share. A method differs from the others only in
// its names, so each concrete class hands its names to this one.
#pragma once
#include "common/clsPaymentMethodBase.h"
#include "interfaces/intfDI.h"

namespace orvo {

struct TPaymentMethodNames {
    const char* displayName;  // "Uber": what the three name operations return and the host registers
    const char* className;    // "TPaymentMethodUber", in log patterns
    const char* unitName;     // "implPaymentMethodUber", in assertion messages
};

class TExtraPaymentMethod : public TPaymentMethodBase {
public:
    AnsiString GetName() override { return displayName_; }
    AnsiString GetCaption() override { return displayName_; }
    AnsiString GetPaymentType() override { return displayName_; }
    bool DoPaymentPopup() override;
    void Clear() override;
    void AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) override;
    void RemoveCashupEntry(int32_t shift, int32_t invoice, TRemoveCashupEntryEvent removeEntry) override;
    void InsertSQL(int32_t invoiceNum) override;

    // "PAYMENT:" followed by the display name.
    const std::string& CashupName() const { return cashupName_; }

protected:
    explicit TExtraPaymentMethod(const TPaymentMethodNames& names);
    void DoChange() override;

    // Writes one row to ExtraPaymentLog; returns what the script service returns.
    int32_t LogToDB(std::string_view entryClass, std::string_view message);
    // The "New Transaction" row and log line for TransactionID.
    void LogNewTransaction();

    bool Processed = false;
    int32_t TransactionID = -1;
    int32_t InvoiceNum = -1;
    AnsiString Reference;

private:
    const TPaymentMethodNames names_;
    const AnsiString displayName_;
    const std::string cashupName_;
};

// A payment method known by its names alone.
template <const TPaymentMethodNames& Names>
class TNamedPaymentMethod final : public TExtraPaymentMethod {
public:
    TNamedPaymentMethod() : TExtraPaymentMethod(Names) {}
};

// The factory of a payment method: a new object on every call.
template <class TMethod>
class TPaymentMethodFactory : public TInterfacedObject<IDIFactory> {
public:
    ComPtr<IInterface> CreateObject() override { return MakeBaseObject<TMethod>(); }
};

}  // namespace orvo
