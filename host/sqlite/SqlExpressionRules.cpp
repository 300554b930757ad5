// Rules inside statements: keywords, operators, functions and the SELECT clause.
#include <algorithm>
#include <array>

#include "SqlRules.h"

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

// CAST( expression AS type ), for the target types both dialects convert to alike.
void Cast(const TToken& name, TTokens arguments, TSqlWriter& out) {
    struct TCastTarget {
        std::string_view tsql, sqlite;
    };
    static constexpr TCastTarget kTargets[] = {{"INT", "INTEGER"}, {"INTEGER", "INTEGER"}};

    const size_t as = FindTopLevelWord(arguments, {"AS"});
    if (as == 0 || as >= arguments.size()) FailAt(name, "CAST( ) without an expression AS a type");
    const TTokens type = arguments.subspan(as + 1);
    const auto target = std::find_if(std::begin(kTargets), std::end(kTargets), [&](const TCastTarget& t) {
        return type.size() == 1 && type[0].kind == TTokenKind::Word && SameWord(type[0].text, t.tsql);
    });
    if (target == std::end(kTargets)) {
        std::string spelled;
        for (const TToken& t : type) spelled += (spelled.empty() ? "" : " ") + Describe(t);
        FailAt(type.empty() ? arguments[as] : type[0], "CAST( ... AS " + spelled + " )");
    }
    out.Emit("CAST(");
    out.Expression(arguments.first(as));
    out.Emit("AS");
    out.Emit(target->sqlite);
    out.Emit(")");
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

constexpr std::array<TNamedRule<TFunctionRule>, 9> kFunctionRules{{
    {"GETDATE", &GetDate},
    {"SCOPE_IDENTITY", &ScopeIdentity},
    {"CAST", &Cast},
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
    if (symbol.Is("+")) FailAt(symbol, "operator + (T-SQL adds numbers and joins texts with it)");
    if (symbol.Is("^")) FailAt(symbol, "operator ^ (exclusive or)");
    if (symbol.Is(";")) FailAt(symbol, "statement separator inside a statement");
}

}  // namespace orvo::host::sql
