// Rules inside statements: keywords, operators, functions and the SELECT clause.
#include <algorithm>
#include <array>
#include <optional>

#include "host/sqlite/SqlDateTime.h"
#include "host/sqlite/SqlRules.h"

namespace orvo::host::sql {
namespace {

// Words that mean the same in T-SQL and SQLite.
constexpr std::string_view kSharedKeywords =
    " ALL AND AS ASC BETWEEN BY CASE CROSS DESC DISTINCT ELSE END ESCAPE EXCEPT EXISTS FROM GROUP HAVING "
    " IN INNER INTERSECT INTO IS JOIN LEFT LIKE NOT NULL ON OR ORDER OUTER SET THEN UNION VALUES WHEN "
    " WHERE ";

// T-SQL's reserved words, and a few unreserved T-SQL-only ones, that no rule translates yet.
// Bare, they cannot be names in T-SQL either.
constexpr std::string_view kTSqlKeywords =
    " ADD ALTER ANY AUTHORIZATION BACKUP BEGIN BREAK BROWSE BULK CASCADE CHECK CHECKPOINT CLOSE CLUSTERED "
    " COALESCE COLLATE COLUMN COMMIT COMPUTE CONSTRAINT CONTAINS CONTAINSTABLE CONTINUE CONVERT CREATE "
    " CURRENT CURRENT_DATE CURRENT_TIME CURRENT_TIMESTAMP CURRENT_USER CURSOR DATABASE DBCC DEALLOCATE "
    " DECLARE DEFAULT DELETE DENY DISK DISTRIBUTED DOUBLE DROP DUMP ERRLVL EXEC EXECUTE EXIT EXTERNAL "
    " FETCH FILE FILLFACTOR FOR FOREIGN FREETEXT FREETEXTTABLE FULL FUNCTION GO GOTO GRANT HOLDLOCK "
    " IDENTITY IDENTITY_INSERT IDENTITYCOL IF INDEX INSERT KEY KILL LINENO LOAD MERGE NATIONAL NOCHECK "
    " NOLOCK NONCLUSTERED NULLIF OF OFF OFFSET OFFSETS OPEN OPENDATASOURCE OPENQUERY OPENROWSET OPENXML "
    " OPTION OUTPUT OVER PERCENT PIVOT PLAN PRECISION PRIMARY PRINT PROC PROCEDURE PUBLIC RAISERROR READ "
    " READTEXT RECONFIGURE REFERENCES REPLICATION RESTORE RESTRICT RETURN REVERT REVOKE RIGHT ROLLBACK "
    " ROWCOUNT ROWGUIDCOL RULE SAVE SCHEMA SECURITYAUDIT SELECT SESSION_USER SETUSER SHUTDOWN SOME "
    " STATISTICS SYSTEM_USER TABLE TABLESAMPLE TEXTSIZE TO TOP TRAN TRANSACTION TRIGGER TRUNCATE TRY_CAST "
    " TRY_CONVERT TSEQUAL UNIQUE UNPIVOT UPDATE UPDATETEXT USE USER VARYING VIEW WAITFOR WHILE WITH WITHIN "
    " WRITETEXT ";

// Whether the blank-separated list holds the word, in any case.
bool Contains(std::string_view list, std::string_view word) {
    return !word.empty() && list.find(" " + Upper(word) + " ") != std::string_view::npos;
}

void RequireArgumentCount(const TToken& name, const std::vector<TTokens>& arguments, size_t count) {
    if (arguments.size() != count ||
        std::any_of(arguments.begin(), arguments.end(), [](TTokens a) { return a.empty(); })) {
        FailAt(name, Upper(name.text) + "( ) with other than " + std::to_string(count) + " argument(s)");
    }
}

// Writes name( arguments ) with the arguments translated, after checking their number.
void Call(std::string_view sqliteName, const TToken& name, TTokens arguments, size_t count, TSqlWriter& out) {
    const std::vector<TTokens> parts = SplitAtCommas(arguments);
    RequireArgumentCount(name, parts, count);
    out.Emit(std::string(sqliteName) + "(");
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out.Emit(",");
        out.Expression(parts[i]);
    }
    out.Emit(")");
}

// The statement's start time from the database's clock (see TSqliteDatabase).
void GetDate(const TToken& name, TTokens arguments, TSqlWriter& out) { Call("orvo_getdate", name, arguments, 0, out); }

// The identity that the last insert of this batch produced, NULL when there was none. An insert
// into a table without an identity counts too, unlike on SQL Server; no batch of the module
// mixes the two.
void ScopeIdentity(const TToken& name, TTokens arguments, TSqlWriter& out) {
    Call("orvo_scope_identity", name, arguments, 0, out);
}

void IsNull(const TToken& name, TTokens arguments, TSqlWriter& out) { Call("IFNULL", name, arguments, 2, out); }
void RTrim(const TToken& name, TTokens arguments, TSqlWriter& out) { Call("RTRIM", name, arguments, 1, out); }

// COUNT, SUM, MIN and MAX of one argument are the same aggregates in both dialects.
void Aggregate(const TToken& name, TTokens arguments, TSqlWriter& out) {
    Call(Upper(name.text), name, arguments, 1, out);
}

// The expression of CAST( expression AS type ) when tokens are exactly that, for a type
// written in one word; nothing otherwise.
std::optional<TTokens> CastOperand(TTokens tokens, std::string_view type) {
    if (tokens.size() < 4 || !tokens[0].Is("CAST") || !tokens[1].Is("(") ||
        ClosingParenthesis(tokens, 1) != tokens.size() - 1)
        return std::nullopt;
    const TTokens arguments = tokens.subspan(2, tokens.size() - 3);
    const size_t as = FindTopLevelWord(arguments, {"AS"});
    if (as == 0 || as + 2 != arguments.size() || !arguments[as + 1].Is(type)) return std::nullopt;
    return arguments.first(as);
}

// CAST( expression AS type ): to INT as SQLite casts; to money and DATE through the database's
// functions, as SQLite has neither type.
void Cast(const TToken& name, TTokens arguments, TSqlWriter& out) {
    struct TCastTarget {
        std::string_view tsql, sqliteType, function;
    };
    static constexpr TCastTarget kTargets[] = {
        {"INT", "INTEGER", ""}, {"INTEGER", "INTEGER", ""}, {"MONEY", "", "orvo_money"}, {"DATE", "", "orvo_date"}};

    const size_t as = FindTopLevelWord(arguments, {"AS"});
    if (as == 0 || as >= arguments.size()) FailAt(name, "CAST( ) without an expression AS a type");
    const TTokens type = arguments.subspan(as + 1);
    const auto target = std::find_if(std::begin(kTargets), std::end(kTargets), [&](const TCastTarget& t) {
        return type.size() == 1 && type[0].kind == TTokenKind::Word && SameWord(type[0].text, t.tsql);
    });
    if (target == std::end(kTargets))
        FailAt(type.empty() ? arguments[as] : type[0], "CAST( ... AS " + Describe(type) + " )");
    if (!target->function.empty()) {
        out.Emit(std::string(target->function) + "(");
        out.Expression(arguments.first(as));
        out.Emit(")");
        return;
    }
    out.Emit("CAST(");
    out.Expression(arguments.first(as));
    out.Emit("AS");
    out.Emit(target->sqliteType);
    out.Emit(")");
}

// CONVERT( VARCHAR, x, style ) for the styles the module writes with: 0 of money, 111 and 114
// of a date and time. Style 0 means other things for other types, so its operand must be seen
// to be money.
void Convert(const TToken& name, TTokens arguments, TSqlWriter& out) {
    const std::vector<TTokens> parts = SplitAtCommas(arguments);
    RequireArgumentCount(name, parts, 3);
    if (parts[0].size() != 1 || !parts[0][0].Is("VARCHAR"))
        FailAt(parts[0][0], "CONVERT( " + Describe(parts[0]) + ", ... ) (only to VARCHAR)");
    const TTokens style = parts[2];
    const std::string_view styleNumber =
        style.size() == 1 && style[0].kind == TTokenKind::Number ? std::string_view(style[0].text) : "";
    if (styleNumber == "0") {
        const std::optional<TTokens> money = CastOperand(parts[1], "MONEY");
        if (!money) FailAt(parts[1][0], "CONVERT( VARCHAR, x, 0 ) of other than CAST( ... AS money )");
        out.Emit("orvo_money_text(");
        out.Expression(*money);
        out.Emit(")");
    } else if (styleNumber == "111" || styleNumber == "114") {
        out.Emit("orvo_datetime_text(");
        out.Expression(parts[1]);
        out.Emit(",");
        out.Emit(styleNumber);
        out.Emit(")");
    } else {
        FailAt(style[0], "CONVERT( VARCHAR, ..., " + Describe(style) + " ) (only styles 0, 111 and 114)");
    }
}

// T-SQL's "alias = expression" select item becomes "expression AS alias".
void SelectItem(TTokens item, TSqlWriter& out) {
    const bool aliasFirst =
        item.size() >= 3 && item[1].Is("=") &&
        (item[0].kind == TTokenKind::Name || (item[0].kind == TTokenKind::Word && item[0].text.front() != '@' &&
                                              ClassifyWord(item[0].text) == TWordClass::Name));
    if (aliasFirst) {
        out.Expression(item.subspan(2));
        out.Emit("AS");
        out.EmitName(item[0].text);
    } else {
        out.Expression(item);
    }
}

// SELECT [DISTINCT | ALL] items [FROM ...]: the items one by one, then the rest of the clause.
void Select(TTokens clause, TSqlWriter& out) {
    out.Emit("SELECT");
    TTokens rest = clause.subspan(1);
    if (!rest.empty() && (rest[0].Is("DISTINCT") || rest[0].Is("ALL"))) {
        out.Emit(Upper(rest[0].text));
        rest = rest.subspan(1);
    }
    const size_t listEnd =
        FindTopLevelWord(rest, {"INTO", "FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "EXCEPT", "INTERSECT"});
    if (listEnd < rest.size() && rest[listEnd].Is("INTO")) FailAt(rest[listEnd], "SELECT ... INTO");
    const std::vector<TTokens> items = SplitAtCommas(rest.first(listEnd));
    if (items.empty()) FailAt(clause[0], "SELECT without select items");
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].empty()) FailAt(clause[0], "SELECT with an empty select item");
        if (i) out.Emit(",");
        SelectItem(items[i], out);
    }
    out.Expression(rest.subspan(listEnd));
}

template <class Rule>
struct TNamedRule {
    std::string_view name;
    Rule rule;
};

template <class Rule, size_t N>
Rule Find(const std::array<TNamedRule<Rule>, N>& rules, std::string_view name) {
    for (const auto& entry : rules)
        if (SameWord(entry.name, name)) return entry.rule;
    return nullptr;
}

constexpr std::array<TNamedRule<TFunctionRule>, 10> kFunctionRules{{
    {"GETDATE", &GetDate},
    {"SCOPE_IDENTITY", &ScopeIdentity},
    {"CAST", &Cast},
    {"CONVERT", &Convert},
    {"ISNULL", &IsNull},
    {"RTRIM", &RTrim},
    {"COUNT", &Aggregate},
    {"SUM", &Aggregate},
    {"MIN", &Aggregate},
    {"MAX", &Aggregate},
}};

constexpr std::array<TNamedRule<TClauseRule>, 1> kClauseRules{{
    {"SELECT", &Select},
}};

}  // namespace

TClauseRule FindClauseRule(std::string_view word) { return Find(kClauseRules, word); }
TFunctionRule FindFunctionRule(std::string_view name) { return Find(kFunctionRules, name); }

TWordClass ClassifyWord(std::string_view word) {
    if (Contains(kSharedKeywords, word)) return TWordClass::Keyword;
    if (Contains(kTSqlKeywords, word)) return TWordClass::Untranslated;
    return TWordClass::Name;
}

void CheckOperator(const TToken& symbol) {
    if (symbol.Is("+")) FailAt(symbol, "operator + without an operand on each side");
    if (symbol.Is("^")) FailAt(symbol, "operator ^ (exclusive or)");
    if (symbol.Is(";")) FailAt(symbol, "statement separator inside a statement");
}

// T-SQL's + adds numbers and joins texts, and only the values tell which: the database decides.
std::string_view OperatorFunction(const TToken& symbol) { return symbol.Is("+") ? "orvo_add" : ""; }

// A DATE is held as its "yyyy-mm-dd" text and compared as text, which gives T-SQL's answer only
// against another DATE or a text of that very form.
void CheckComparison(TTokens left, TTokens right, const TToken& comparison) {
    const bool leftDate = CastOperand(left, "DATE").has_value();
    if (leftDate == CastOperand(right, "DATE").has_value()) return;
    const TTokens other = leftDate ? right : left;
    if (other.size() == 1 && other[0].kind == TTokenKind::Text && ParseDbDate(other[0].text)) return;
    FailAt(other.empty() ? comparison : other[0], "DATE compared with " +
                                                      (other.empty() ? std::string("nothing") : Describe(other)) +
                                                      " (only with a DATE or 'yyyy-mm-dd' text)");
}

}  // namespace orvo::host::sql
