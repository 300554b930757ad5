#include "tests/wine/MemoryScript.h"

#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

std::string Unquoted(const TSQLArg& arg) {
    std::string text(arg.Text, size_t(arg.Length));
    if (text.size() < 2 || text.front() != '\'' || text.back() != '\'') return text;
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\'') ++i;  // a doubled quote stands for one
    }
    return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

int32_t TMemoryScript::ExecSQL(const AnsiString& pattern, const TSQLArgs& args) {
    std::lock_guard lock(mutex_);
    const std::string statement = pattern.str();
    statements_.push_back("ExecSQL " + statement + " | " + host::RenderArgs(args));
    const auto kind = [&](int i, TSQLArgKind expected) { return args.Count > i && args.Items[i].Kind == expected; };
    if (statement.find("INTO [ExtraPaymentLog]") != std::string::npos && kind(1, TSQLArgKind::Text)) {
        logMessages_.push_back(Unquoted(args.Items[1]));
    } else if (StartsWith(statement, "UPDATE [ExtraPaymentTransactions]") &&
               statement.find("[ReferenceNumber]") != std::string::npos && kind(0, TSQLArgKind::Float) &&
               kind(1, TSQLArgKind::Text) && kind(2, TSQLArgKind::Integer)) {
        for (TTransactionRow& row : transactions_)
            if (row.id == args.Items[2].Integer) {
                row.amount = args.Items[0].Float;
                row.reference = Unquoted(args.Items[1]);
                return 1;
            }
        return 0;
    }
    return 1;
}

AnsiString TMemoryScript::QueryValue(const AnsiString& batch, const AnsiString&) {
    std::lock_guard lock(mutex_);
    const std::string text = batch.str();
    statements_.push_back("QueryValue " + text);
    const std::string_view opening = "VALUES ( GETDATE(), '";
    const size_t start = text.find(opening);
    const size_t end = text.find("' );", start);
    if (!StartsWith(text, "INSERT INTO [ExtraPaymentTransactions]") || start == std::string::npos ||
        end == std::string::npos)
        return {};
    TTransactionRow row;
    row.id = int32_t(transactions_.size()) + 1;
    row.paymentMethod = text.substr(start + opening.size(), end - start - opening.size());
    transactions_.push_back(row);
    return AnsiString(std::to_string(row.id));
}

AnsiString TMemoryScript::QueryJSON(const AnsiString& pattern, const TSQLArgs& args) {
    std::lock_guard lock(mutex_);
    statements_.push_back("QueryJSON " + pattern.str() + " | " + host::RenderArgs(args));
    if (answers_.empty()) return AnsiString("[]");
    AnsiString answer(answers_.front());
    answers_.pop_front();
    return answer;
}

std::vector<TTransactionRow> TMemoryScript::Transactions() const {
    std::lock_guard lock(mutex_);
    return transactions_;
}

std::optional<TTransactionRow> TMemoryScript::Transaction(int32_t id) const {
    std::lock_guard lock(mutex_);
    for (const TTransactionRow& row : transactions_)
        if (row.id == id) return row;
    return std::nullopt;
}

std::vector<std::string> TMemoryScript::LogMessages() const {
    std::lock_guard lock(mutex_);
    return logMessages_;
}

std::vector<std::string> TMemoryScript::Statements() const {
    std::lock_guard lock(mutex_);
    return statements_;
}

void TMemoryScript::SetReportRows(std::string totals, std::string details) {
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(totals));
    answers_.push_back(std::move(details));
}

}  // namespace orvo::test
