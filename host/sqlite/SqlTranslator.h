// Translates the T-SQL the module sends into SQLite statements: the batch is split into
// statements at ";", each statement is handed to the rule for its first word, and the rules
// write SQLite text through TSqlWriter. The rules themselves are in SqlRules.h; adding a
// construct means adding a rule there, not changing this engine.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/sqlite/SqlTokenizer.h"

namespace orvo::host::sql {

using TTokens = std::span<const TToken>;

// The SQLite text of every statement of the batch, in order; or EDatabaseError naming the first
// construct it cannot translate, so that nothing of such a batch runs.
std::vector<std::string> TranslateBatch(std::string_view tsql);

// Reads the tokens of a statement or clause from left to right.
class TTokenCursor {
public:
    explicit TTokenCursor(TTokens tokens) : tokens_(tokens) {}

    bool AtEnd() const { return pos_ >= tokens_.size(); }
    const TToken& Peek() const;  // raises at the end
    const TToken& Next();        // raises at the end
    // Takes the next token when it is spelled so.
    bool Accept(std::string_view spelling);
    const TToken& Expect(std::string_view spelling);
    const TToken& ExpectKind(TTokenKind kind, std::string_view what);
    // With the opening parenthesis just taken: the tokens up to its closing one, which is taken too.
    TTokens UpToClosingParenthesis();
    TTokens Rest();
    [[noreturn]] void Fail(std::string_view what) const;  // at the next token, or at the end

private:
    TTokens tokens_;
    size_t pos_ = 0;
};

// Index of the parenthesis that closes the one at tokens[open]; raises when it is missing.
size_t ClosingParenthesis(TTokens tokens, size_t open);
// Index of the first word spelled as one of words outside parentheses, or tokens.size().
size_t FindTopLevelWord(TTokens tokens, std::initializer_list<std::string_view> words);
// Splits at the commas outside parentheses; no parts for no tokens.
std::vector<TTokens> SplitAtCommas(TTokens tokens);
// SQLite spellings of a quoted identifier and of a text literal.
std::string QuoteName(std::string_view name);
std::string QuoteText(std::string_view text);
// How a token is named in messages: GETDATE, [ID], 'U', 12, ;
std::string Describe(const TToken& token);
// How tokens are named in messages: the tokens described, one blank between them.
std::string Describe(TTokens tokens);
[[noreturn]] void FailAt(const TToken& token, std::string_view what);

// Builds the SQLite text of one statement.
class TSqlWriter {
public:
    // A keyword, symbol or ready SQLite fragment; blanks are put between fragments where needed.
    void Emit(std::string_view text);
    void EmitName(std::string_view name);  // as a quoted identifier
    void EmitText(std::string_view text);  // as a quoted text literal (bytes cast to text when it holds a NUL)
    // Translates an expression or clause: names quoted, texts and numbers kept, keywords checked,
    // function calls and sub-selects through their rules, parentheses and CASE walked into,
    // operands joined by +, -, & or | written as the operator rules say, comparisons checked.
    void Expression(TTokens tokens);
    const std::string& Text() const { return out_; }

private:
    void Run(TTokens run);                      // operands joined by +, -, & or |
    void Operand(TTokens operand);              // signs, atoms and the *, / or % between them
    size_t Word(TTokens tokens, size_t index);  // returns the index of the last token used
    std::string out_;
};

}  // namespace orvo::host::sql
