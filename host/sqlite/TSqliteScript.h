// The host's script service on the reference host's SQLite database: a new script object for
// every Resolve, all of them on the one shared database.
#pragma once
#include <memory>

#include "host/sqlite/TSqliteDatabase.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfDI.h"

namespace orvo::host {

class TSqliteScript : public TInterfacedObject<IDBScript> {
public:
    explicit TSqliteScript(std::shared_ptr<TSqliteDatabase> database) : database_(std::move(database)) {}

    // Returns the number of rows the batch inserted, updated or deleted.
    int32_t ExecSQL(const AnsiString& pattern, const TSQLArgs& args) override;
    // The named column of the first row of the batch's last result; empty text when that result
    // has no row. Raises when the batch returns no rows at all or no such column.
    AnsiString QueryValue(const AnsiString& batch, const AnsiString& column) override;
    // The batch's last result as a JSON array of row objects ("[]" with no row).
    AnsiString QueryJSON(const AnsiString& pattern, const TSQLArgs& args) override;

private:
    std::shared_ptr<TSqliteDatabase> database_;
};

// Registered for IDBScript in the host's container.
class TSqliteScriptFactory : public TInterfacedObject<IDIFactory> {
public:
    explicit TSqliteScriptFactory(std::shared_ptr<TSqliteDatabase> database) : database_(std::move(database)) {}
    ComPtr<IInterface> CreateObject() override;

private:
    std::shared_ptr<TSqliteDatabase> database_;
};

}  // namespace orvo::host
