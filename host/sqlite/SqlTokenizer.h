// Splits T-SQL text into tokens for the translator. Comments and white space are dropped;
// quoted names and texts arrive with their quotes removed and their escapes resolved.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvo::host::sql {

enum class TTokenKind {
    Word,    // keyword, bare name, function name, @variable or #table as written
    Name,    // [bracketed] or "quoted" name
    Text,    // 'text' literal
    Number,  // 12, 1.5, 2e3
    Symbol,  // ( ) , . ; = <> <= >= != < > + - * / % & | ^ ~
};

struct TToken {
    TTokenKind kind;
    std::string text;
    size_t offset;  // of the token's first character in the batch

    // A symbol spelled exactly so, or a word spelled so in any case.
    bool Is(std::string_view spelling) const;
};

// Raises EDatabaseError naming the construct for what T-SQL writes in a way the translator
// does not take: unterminated texts, names and comments, N'' texts, 0x literals, stray
// characters.
std::vector<TToken> Tokenize(std::string_view sql);

// ASCII upper case, for looking words up.
std::string Upper(std::string_view word);
bool SameWord(std::string_view a, std::string_view b);

}  // namespace orvo::host::sql
