// The translation rules: what each T-SQL construct becomes in SQLite. Statement rules are found
// by a statement's first word, clause rules by a word inside an expression (they take the rest
// of the clause), function rules by the name before "(", operator rules by the symbol between
// two operands. A word that no rule knows is a name unless T-SQL reserves it; a reserved word
// without a rule, like an unknown function, is refused. The functions named "orvo_..." are the
// database's own (TSqliteDatabase, SqlFunctions.h).
#pragma once
#include <string_view>

#include "host/sqlite/SqlTranslator.h"

namespace orvo::host::sql {

// Writes a whole statement; tokens start with its first word.
using TStatementRule = void (*)(TTokens statement, TSqlWriter& out);
// Writes a clause that runs to the end of tokens; tokens start with the rule's word.
using TClauseRule = void (*)(TTokens clause, TSqlWriter& out);
// Writes a call given its name and the tokens between its parentheses.
using TFunctionRule = void (*)(const TToken& name, TTokens arguments, TSqlWriter& out);

TStatementRule FindStatementRule(std::string_view firstWord);  // null when none
TClauseRule FindClauseRule(std::string_view word);
TFunctionRule FindFunctionRule(std::string_view name);

enum class TWordClass {
    Keyword,       // means the same in both dialects; written as it stands
    Untranslated,  // a T-SQL keyword no rule translates
    Name,          // a table, column or alias name
};
TWordClass ClassifyWord(std::string_view word);

// Raises for the operators T-SQL reads differently from SQLite, and for a + that lacks an operand.
void CheckOperator(const TToken& symbol);

// The function a binary +, -, & or | becomes, called with both operands; empty when SQLite
// writes the operator as T-SQL does.
std::string_view OperatorFunction(const TToken& symbol);

// Raises for a comparison of left with right (by =, <, ..., or BETWEEN with one of its bounds)
// that SQLite would answer otherwise than T-SQL.
void CheckComparison(TTokens left, TTokens right, const TToken& comparison);

}  // namespace orvo::host::sql
