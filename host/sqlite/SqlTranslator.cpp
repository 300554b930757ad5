#include "SqlTranslator.h"

#include "SqlError.h"
#include "SqlRules.h"

namespace orvo::host::sql {
namespace {

std::string Quoted(std::string_view text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        if (c == quote) out += quote;
        out += c;
    }
    out += quote;
    return out;
}

std::string TranslateStatement(TTokens tokens) {
    const TToken& first = tokens.front();
    const TStatementRule rule = first.kind == TTokenKind::Word ? FindStatementRule(first.text) : nullptr;
    if (!rule) FailAt(first, "statement " + Describe(first));
    TSqlWriter out;
    rule(tokens, out);
    return out.Text();
}

}  // namespace

std::vector<std::string> TranslateBatch(std::string_view tsql) {
    const std::vector<TToken> tokens = Tokenize(tsql);
    const TTokens all(tokens);
    std::vector<std::string> statements;
    size_t begin = 0;
    for (size_t i = 0; i <= all.size(); ++i) {
        if (i < all.size() && !all[i].Is(";")) continue;
        if (i > begin) statements.push_back(TranslateStatement(all.subspan(begin, i - begin)));
        begin = i + 1;
    }
    return statements;
}

std::string QuoteName(std::string_view name) { return Quoted(name, '"'); }
std::string QuoteText(std::string_view text) { return Quoted(text, '\''); }

std::string Describe(const TToken& token) {
    switch (token.kind) {
        case TTokenKind::Name:
            return "[" + token.text + "]";
        case TTokenKind::Text:
            return QuoteText(token.text);
        case TTokenKind::Word:
            return Upper(token.text);
        case TTokenKind::Number:
        case TTokenKind::Symbol:
            break;
    }
    return token.text;
}

void FailAt(const TToken& token, std::string_view what) { ThrowUntranslated(what, token.offset); }

const TToken& TTokenCursor::Peek() const {
    if (AtEnd()) Fail("statement ends early");
    return tokens_[pos_];
}

const TToken& TTokenCursor::Next() {
    const TToken& token = Peek();
    ++pos_;
    return token;
}

bool TTokenCursor::Accept(std::string_view spelling) {
    if (AtEnd() || !tokens_[pos_].Is(spelling)) return false;
    ++pos_;
    return true;
}

const TToken& TTokenCursor::Expect(std::string_view spelling) {
    if (AtEnd()) Fail("expected " + std::string(spelling) + " but the statement ends");
    if (!Peek().Is(spelling)) Fail("expected " + std::string(spelling) + " but found " + Describe(Peek()));
    return Next();
}

const TToken& TTokenCursor::ExpectKind(TTokenKind kind, std::string_view what) {
    if (AtEnd()) Fail("expected " + std::string(what) + " but the statement ends");
    if (Peek().kind != kind) Fail("expected " + std::string(what) + " but found " + Describe(Peek()));
    return Next();
}

TTokens TTokenCursor::UpToClosingParenthesis() {
    const size_t open = pos_ - 1;
    const size_t close = ClosingParenthesis(tokens_, open);
    pos_ = close + 1;
    return tokens_.subspan(open + 1, close - open - 1);
}

TTokens TTokenCursor::Rest() {
    TTokens rest = tokens_.subspan(pos_);
    pos_ = tokens_.size();
    return rest;
}

void TTokenCursor::Fail(std::string_view what) const {
    if (!AtEnd()) FailAt(tokens_[pos_], what);
    ThrowUntranslated(what, tokens_.empty() ? 0 : tokens_.back().offset);
}

size_t ClosingParenthesis(TTokens tokens, size_t open) {
    int depth = 0;
    for (size_t i = open; i < tokens.size(); ++i) {
        if (tokens[i].Is("(")) ++depth;
        if (tokens[i].Is(")") && --depth == 0) return i;
    }
    FailAt(tokens[open], "parenthesis that is never closed");
}

size_t FindTopLevelWord(TTokens tokens, std::initializer_list<std::string_view> words) {
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].Is("(")) ++depth;
        if (tokens[i].Is(")")) --depth;
        if (depth != 0 || tokens[i].kind != TTokenKind::Word) continue;
        for (std::string_view word : words)
            if (tokens[i].Is(word)) return i;
    }
    return tokens.size();
}

std::vector<TTokens> SplitAtCommas(TTokens tokens) {
    std::vector<TTokens> parts;
    if (tokens.empty()) return parts;
    int depth = 0;
    size_t begin = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].Is("(")) ++depth;
        if (tokens[i].Is(")")) --depth;
        if (depth == 0 && tokens[i].Is(",")) {
            parts.push_back(tokens.subspan(begin, i - begin));
            begin = i + 1;
        }
    }
    parts.push_back(tokens.subspan(begin));
    return parts;
}

void TSqlWriter::Emit(std::string_view text) {
    if (text.empty()) return;
    if (!out_.empty()) {
        const char last = out_.back(), first = text.front();
        const bool glued = last == '(' || last == '.' || first == ')' || first == ',' || first == '.';
        if (!glued) out_ += ' ';
    }
    out_ += text;
}

void TSqlWriter::EmitName(std::string_view name) { Emit(QuoteName(name)); }
void TSqlWriter::EmitText(std::string_view text) { Emit(QuoteText(text)); }

void TSqlWriter::Expression(TTokens tokens) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        const TToken& token = tokens[i];
        switch (token.kind) {
            case TTokenKind::Name:
                EmitName(token.text);
                break;
            case TTokenKind::Text:
                EmitText(token.text);
                break;
            case TTokenKind::Number:
                Emit(token.text);
                break;
            case TTokenKind::Word:
                i = Word(tokens, i);
                break;
            case TTokenKind::Symbol:
                if (token.Is("(")) {
                    // A parenthesised part is walked on its own, so a sub-select in it ends there.
                    const size_t close = ClosingParenthesis(tokens, i);
                    Emit("(");
                    Expression(tokens.subspan(i + 1, close - i - 1));
                    Emit(")");
                    i = close;
                } else if (token.Is(")")) {
                    FailAt(token, "closing parenthesis without an opening one");
                } else {
                    CheckOperator(token);
                    Emit(token.text);
                }
                break;
        }
    }
}

size_t TSqlWriter::Word(TTokens tokens, size_t index) {
    const TToken& word = tokens[index];
    const bool call = index + 1 < tokens.size() && tokens[index + 1].Is("(");
    if (call) {
        if (const TFunctionRule rule = FindFunctionRule(word.text)) {
            const size_t close = ClosingParenthesis(tokens, index + 1);
            rule(word, tokens.subspan(index + 2, close - index - 2), *this);
            return close;
        }
    }
    if (const TClauseRule rule = FindClauseRule(word.text)) {
        rule(tokens.subspan(index), *this);
        return tokens.size() - 1;
    }
    if (word.text.front() == '@') FailAt(word, "variable " + word.text);
    if (word.text.front() == '#') FailAt(word, "temporary table " + word.text);
    switch (ClassifyWord(word.text)) {
        case TWordClass::Keyword:
            Emit(Upper(word.text));
            break;
        case TWordClass::Untranslated:
            FailAt(word, "T-SQL keyword " + Upper(word.text) + (call ? "( )" : ""));
        case TWordClass::Name:
            if (call) FailAt(word, "function " + Upper(word.text) + "( )");
            EmitName(word.text);
            break;
    }
    return index;
}

}  // namespace orvo::host::sql
