#include "host/sqlite/TSqliteScript.h"

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlPattern.h"

namespace orvo::host {
namespace {

const TSqlResult& RowsOf(const TBatchResult& batch) {
    if (!batch.lastResult) throw EDatabaseError("The batch returned no rows to read");
    return *batch.lastResult;
}

}  // namespace

int32_t TSqliteScript::ExecSQL(const AnsiString& pattern, const TSQLArgs& args) {
    return int32_t(database_->Run(FillSQLPattern(pattern.view(), args)).changes);
}

AnsiString TSqliteScript::QueryValue(const AnsiString& batch, const AnsiString& column) {
    const TBatchResult result = database_->Run(batch.view());
    const TSqlResult& rows = RowsOf(result);
    const int index = rows.ColumnIndex(column.view());
    if (index < 0) throw EDatabaseError("The batch's result has no column " + column.str());
    if (rows.rows.empty()) return {};
    return AnsiString(ValueText(rows.rows.front()[size_t(index)]));
}

AnsiString TSqliteScript::QueryJSON(const AnsiString& pattern, const TSQLArgs& args) {
    const TBatchResult result = database_->Run(FillSQLPattern(pattern.view(), args));
    return AnsiString(ResultJSON(RowsOf(result)));
}

ComPtr<IInterface> TSqliteScriptFactory::CreateObject() { return MakeBaseObject<TSqliteScript>(database_); }

}  // namespace orvo::host
