// The translation rules: what each T-SQL construct becomes in SQLite. Statement rules are found
// by a statement's first word, clause rules by a word inside an expression (they take the rest
// of the clause), function rules by the name before "(". A word that no rule knows is a name
// unless T-SQL reserves it; a reserved word without a rule, like an unknown function, is refused.
#pragma once
#include <string_view>

#include "SqlTranslator.h"

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

// Raises for the operators T-SQL reads differently from SQLite.
void CheckOperator(const TToken& symbol);

}  // namespace orvo::host::sql
