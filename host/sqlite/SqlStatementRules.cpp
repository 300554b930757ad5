// Rules for whole statements: the data statements and the guarded CREATE TABLE of the module's
// schema scripts.
#include <algorithm>
#include <array>
#include <charconv>

#include "host/sqlite/SqlRules.h"

namespace orvo::host::sql {
namespace {

// A table or column name: bracketed, quoted, or a bare word that is not a keyword.
const TToken& ExpectName(TTokenCursor& in, std::string_view what) {
    if (in.AtEnd()) in.Fail("expected " + std::string(what) + " but the statement ends");
    const TToken& token = in.Peek();
    const bool bareName = token.kind == TTokenKind::Word && token.text.front() != '@' && token.text.front() != '#' &&
                          ClassifyWord(token.text) == TWordClass::Name;
    if (token.kind != TTokenKind::Name && !bareName)
        in.Fail("expected " + std::string(what) + " but found " + Describe(token));
    return in.Next();
}

void Select(TTokens statement, TSqlWriter& out) { out.Expression(statement); }

// T-SQL may leave out INTO.
void Insert(TTokens statement, TSqlWriter& out) {
    TTokenCursor in(statement);
    in.Next();
    in.Accept("INTO");
    out.Emit("INSERT INTO");
    out.Expression(in.Rest());
}

// T-SQL's UPDATE ... FROM joins other tables; SQLite reads it otherwise.
void Update(TTokens statement, TSqlWriter& out) {
    const TTokens rest = statement.subspan(1);
    if (const size_t from = FindTopLevelWord(rest, {"FROM"}); from < rest.size()) FailAt(rest[from], "UPDATE ... FROM");
    out.Emit("UPDATE");
    out.Expression(rest);
}

// T-SQL may leave out FROM, and may join with a second FROM.
void Delete(TTokens statement, TSqlWriter& out) {
    TTokenCursor in(statement);
    in.Next();
    in.Accept("FROM");
    const TTokens rest = in.Rest();
    if (const size_t from = FindTopLevelWord(rest, {"FROM"}); from < rest.size())
        FailAt(rest[from], "DELETE ... FROM ... FROM");
    out.Emit("DELETE FROM");
    out.Expression(rest);
}

// How a T-SQL column type is stored, and what it refuses as SQL Server does.
enum class TStorage { Integer, Real, DateTime, Text };
struct TColumnType {
    std::string_view name;
    TStorage storage;
    bool sized;  // VARCHAR(n)
};
constexpr TColumnType kColumnTypes[] = {
    {"INT", TStorage::Integer, false}, {"INTEGER", TStorage::Integer, false},   {"FLOAT", TStorage::Real, false},
    {"MONEY", TStorage::Real, false},  {"DATETIME", TStorage::DateTime, false}, {"VARCHAR", TStorage::Text, true},
};

struct TColumn {
    const TToken* name = nullptr;
    const TColumnType* type = nullptr;
    std::string typeSpelled;  // "VARCHAR(200)", for messages
    int length = 0;
    bool notNull = false, null = false, identity = false, primaryKey = false;
};

int ExpectLength(TTokenCursor& in) {
    if (!in.AtEnd() && in.Peek().Is("MAX")) in.Fail("VARCHAR(MAX)");
    const TToken& number = in.ExpectKind(TTokenKind::Number, "a length");
    int length = 0;
    const auto [end, error] = std::from_chars(number.text.data(), number.text.data() + number.text.size(), length);
    if (error != std::errc() || end != number.text.data() + number.text.size() || length < 1 || length > 8000)
        FailAt(number, "VARCHAR length " + number.text);
    return length;
}

// IDENTITY(1,1): SQLite's AUTOINCREMENT counts from 1 by 1 and never reuses a number.
void ExpectIdentity(TTokenCursor& in) {
    in.Expect("(");
    const TToken& seed = in.ExpectKind(TTokenKind::Number, "an identity seed");
    in.Expect(",");
    const TToken& step = in.ExpectKind(TTokenKind::Number, "an identity increment");
    in.Expect(")");
    if (seed.text != "1" || step.text != "1") FailAt(seed, "IDENTITY(" + seed.text + "," + step.text + ")");
}

TColumn ReadColumn(TTokens definition) {
    TTokenCursor in(definition);
    TColumn column;
    if (definition[0].kind == TTokenKind::Word && ClassifyWord(definition[0].text) != TWordClass::Name)
        FailAt(definition[0], "table constraint " + Describe(definition[0]));
    column.name = &ExpectName(in, "a column name");
    const TToken& type = in.ExpectKind(TTokenKind::Word, "a column type");
    const auto found = std::find_if(std::begin(kColumnTypes), std::end(kColumnTypes),
                                    [&](const TColumnType& t) { return SameWord(t.name, type.text); });
    if (found == std::end(kColumnTypes)) FailAt(type, "column type " + Describe(type));
    column.type = found;
    column.typeSpelled = Upper(type.text);
    if (found->sized) {
        in.Expect("(");
        column.length = ExpectLength(in);
        in.Expect(")");
        column.typeSpelled += "(" + std::to_string(column.length) + ")";
    }
    while (!in.AtEnd()) {
        if (in.Accept("NULL")) {
            column.null = true;
        } else if (in.Accept("NOT")) {
            in.Expect("NULL");
            column.notNull = true;
        } else if (in.Accept("PRIMARY")) {
            in.Expect("KEY");
            column.primaryKey = true;
        } else if (in.Accept("IDENTITY")) {
            ExpectIdentity(in);
            column.identity = true;
        } else {
            in.Fail("column option " + Describe(in.Peek()));
        }
    }
    if (column.null && (column.notNull || column.primaryKey)) FailAt(*column.name, "NULL column that is NOT NULL");
    if (column.identity && (found->storage != TStorage::Integer || !column.primaryKey))
        FailAt(*column.name, "IDENTITY column that is not an INT PRIMARY KEY");
    return column;
}

// The condition a stored value must meet, as SQL Server's column type would insist; empty
// for an integer primary key, which SQLite itself keeps to integers.
std::string ValueCheck(const TColumn& column) {
    const std::string name = QuoteName(column.name->text);
    switch (column.type->storage) {
        case TStorage::Integer:
            return column.primaryKey ? std::string() : "typeof(" + name + ") IN ('integer', 'null')";
        case TStorage::Real:
            return "typeof(" + name + ") IN ('real', 'integer', 'null')";
        case TStorage::DateTime:
            return name + " IS NULL OR julianday(" + name + ") IS NOT NULL";
        case TStorage::Text:
            return "length(CAST(" + name + " AS BLOB)) <= " + std::to_string(column.length);
    }
    return {};
}

// The refusal's message is the constraint's name, so SQLite's error carries it.
std::string ValueCheckMessage(std::string_view table, const TColumn& column) {
    const std::string where = "table '" + std::string(table) + "', column '" + column.name->text + "'";
    if (column.type->storage == TStorage::Text)
        return "String or binary data would be truncated in " + where + " (" + column.typeSpelled + ")";
    return "Conversion failed storing a value that is not " + column.typeSpelled + " in " + where;
}

void WriteColumn(std::string_view table, const TColumn& column, TSqlWriter& out) {
    static constexpr std::string_view kStorageTypes[] = {"INTEGER", "REAL", "TEXT", "TEXT COLLATE NOCASE"};
    out.EmitName(column.name->text);
    out.Emit(kStorageTypes[static_cast<int>(column.type->storage)]);
    if (column.primaryKey) {
        out.Emit(column.identity ? "NOT NULL PRIMARY KEY AUTOINCREMENT" : "NOT NULL PRIMARY KEY");
    } else if (column.notNull) {
        out.Emit("NOT NULL");
    } else if (column.null) {
        out.Emit("NULL");
    }
    if (const std::string check = ValueCheck(column); !check.empty()) {
        out.Emit("CONSTRAINT");
        out.EmitName(ValueCheckMessage(table, column));
        out.Emit("CHECK (" + check + ")");
    }
}

// CREATE TABLE name ( columns ), the name already due in; guard is the OBJECT_ID name when the
// statement was guarded, and the table is then created only when absent.
void CreateTable(TTokenCursor& in, TSqlWriter& out, const TToken* guard) {
    const TToken& table = ExpectName(in, "a table name");
    if (guard && !SameWord(guard->text, table.text))
        FailAt(*guard, "OBJECT_ID( " + Describe(*guard) + " ) guarding CREATE TABLE " + Describe(table));
    in.Expect("(");
    const std::vector<TTokens> definitions = SplitAtCommas(in.UpToClosingParenthesis());
    if (!in.AtEnd()) in.Fail("text after CREATE TABLE ( ... )");
    if (definitions.empty()) FailAt(table, "CREATE TABLE without columns");
    std::vector<TColumn> columns;
    for (TTokens definition : definitions) {
        if (definition.empty()) FailAt(table, "empty column definition in CREATE TABLE " + Describe(table));
        columns.push_back(ReadColumn(definition));
    }
    out.Emit(guard ? "CREATE TABLE IF NOT EXISTS" : "CREATE TABLE");
    out.EmitName(table.text);
    out.Emit("(");
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i) out.Emit(",");
        WriteColumn(table.text, columns[i], out);
    }
    out.Emit(")");
}

void Create(TTokens statement, TSqlWriter& out) {
    TTokenCursor in(statement);
    in.Next();
    if (!in.Accept("TABLE")) in.Fail("CREATE " + (in.AtEnd() ? std::string() : Describe(in.Peek())));
    CreateTable(in, out, nullptr);
}

// IF ( OBJECT_ID( 'name', 'U' ) IS NULL ) CREATE TABLE [name] ( ... ): the only IF the
// module's scripts use.
void If(TTokens statement, TSqlWriter& out) {
    TTokenCursor in(statement);
    in.Next();
    const bool parenthesised = in.Accept("(");
    if (in.AtEnd() || !in.Peek().Is("OBJECT_ID"))
        in.Fail("IF other than IF ( OBJECT_ID( 'table', 'U' ) IS NULL ) CREATE TABLE");
    in.Next();
    in.Expect("(");
    const TToken& guarded = in.ExpectKind(TTokenKind::Text, "a table name");
    in.Expect(",");
    const TToken& kind = in.ExpectKind(TTokenKind::Text, "an object type");
    if (!SameWord(kind.text, "U")) FailAt(kind, "OBJECT_ID( ..., " + Describe(kind) + " ) (only user tables, 'U')");
    in.Expect(")");
    in.Expect("IS");
    in.Expect("NULL");
    if (parenthesised) in.Expect(")");
    in.Expect("CREATE");
    in.Expect("TABLE");
    CreateTable(in, out, &guarded);
}

struct TStatementEntry {
    std::string_view word;
    TStatementRule rule;
};
constexpr std::array<TStatementEntry, 6> kStatementRules{{
    {"SELECT", &Select},
    {"INSERT", &Insert},
    {"UPDATE", &Update},
    {"DELETE", &Delete},
    {"CREATE", &Create},
    {"IF", &If},
}};

}  // namespace

TStatementRule FindStatementRule(std::string_view firstWord) {
    for (const TStatementEntry& entry : kStatementRules)
        if (SameWord(entry.word, firstWord)) return entry.rule;
    return nullptr;
}

}  // namespace orvo::host::sql
