#include "host/sqlite/SqlTranslator.h"

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlRules.h"

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

bool IsRunOperator(const TToken& token) { return token.Is("+") || token.Is("-") || token.Is("&") || token.Is("|"); }

bool IsComparison(const TToken& token) {
    for (std::string_view symbol : {"=", "<>", "!=", "<", ">", "<=", ">="})
        if (token.Is(symbol)) return true;
    return false;
}

// Index of the END that closes the CASE at tokens[caseAt]; raises when it is missing.
size_t CaseEnd(TTokens tokens, size_t caseAt) {
    int depth = 0, cases = 0;
    for (size_t i = caseAt; i < tokens.size(); ++i) {
        if (tokens[i].Is("(")) ++depth;
        if (tokens[i].Is(")")) --depth;
        if (depth != 0) continue;
        if (tokens[i].Is("CASE")) ++cases;
        if (tokens[i].Is("END") && --cases == 0) return i;
    }
    FailAt(tokens[caseAt], "CASE without END");
}

// After a name: ".column", ".*" and further parts of a dotted name.
size_t DottedNameEnd(TTokens tokens, size_t at) {
    while (
        at + 1 < tokens.size() && tokens[at].Is(".") &&
        (tokens[at + 1].kind == TTokenKind::Word || tokens[at + 1].kind == TTokenKind::Name || tokens[at + 1].Is("*")))
        at += 2;
    return at;
}

// The end of the value that starts at tokens[at]: a text, number, name, NULL, function call
// with a rule, CASE ... END or parenthesised part; at when no value starts there.
size_t AtomEnd(TTokens tokens, size_t at) {
    if (at >= tokens.size()) return at;
    const TToken& token = tokens[at];
    switch (token.kind) {
        case TTokenKind::Text:
        case TTokenKind::Number:
            return at + 1;
        case TTokenKind::Name:
            return DottedNameEnd(tokens, at + 1);
        case TTokenKind::Symbol:
            return token.Is("(") ? ClosingParenthesis(tokens, at) + 1 : at;
        case TTokenKind::Word:
            break;
    }
    if (token.Is("CASE")) return CaseEnd(tokens, at) + 1;
    if (token.Is("NULL")) return at + 1;
    const bool call = at + 1 < tokens.size() && tokens[at + 1].Is("(");
    if (call) return FindFunctionRule(token.text) ? ClosingParenthesis(tokens, at + 1) + 1 : at;
    const bool name =
        token.text.front() != '@' && token.text.front() != '#' && ClassifyWord(token.text) == TWordClass::Name;
    return name ? DottedNameEnd(tokens, at + 1) : at;
}

// A value with its signs: - 5, ~ [Flags].
size_t SignedAtomEnd(TTokens tokens, size_t at) {
    size_t first = at;
    while (first < tokens.size() && (tokens[first].Is("+") || tokens[first].Is("-") || tokens[first].Is("~"))) ++first;
    const size_t end = AtomEnd(tokens, first);
    return end == first ? at : end;
}

// Values joined by *, / or %, which bind closer than + in both dialects.
size_t OperandEnd(TTokens tokens, size_t at) {
    size_t end = SignedAtomEnd(tokens, at);
    while (end > at && end < tokens.size() && (tokens[end].Is("*") || tokens[end].Is("/") || tokens[end].Is("%"))) {
        const size_t next = SignedAtomEnd(tokens, end + 1);
        if (next == end + 1) break;
        end = next;
    }
    return end;
}

// Operands joined by +, -, & or |, which T-SQL reads at one level from left to right.
size_t RunEnd(TTokens tokens, size_t at) {
    size_t end = OperandEnd(tokens, at);
    while (end > at && end < tokens.size() && IsRunOperator(tokens[end])) {
        const size_t next = OperandEnd(tokens, end + 1);
        if (next == end + 1) break;
        end = next;
    }
    return end;
}

// Hands the rules each pair of operands that the comparison at tokens[at] compares: the run
// before it with the run after it, or with both bounds of a BETWEEN.
void CheckComparisonAt(TTokens left, TTokens tokens, size_t at) {
    const TToken& comparison = tokens[at];
    const bool between = comparison.Is("BETWEEN");
    if (!between && !IsComparison(comparison)) return;
    const size_t lowEnd = RunEnd(tokens, at + 1);
    CheckComparison(left, tokens.subspan(at + 1, lowEnd - at - 1), comparison);
    if (between && lowEnd < tokens.size() && tokens[lowEnd].Is("AND")) {
        const size_t highEnd = RunEnd(tokens, lowEnd + 1);
        CheckComparison(left, tokens.subspan(lowEnd + 1, highEnd - lowEnd - 1), comparison);
    }
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

std::string Describe(TTokens tokens) {
    std::string spelled;
    for (const TToken& token : tokens) spelled += (spelled.empty() ? "" : " ") + Describe(token);
    return spelled;
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
// SQLite reads a statement only up to a NUL byte, so a text holding one goes in as the bytes it
// holds, read back as text.
void TSqlWriter::EmitText(std::string_view text) {
    if (text.find('\0') == std::string_view::npos) return Emit(QuoteText(text));
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bytes = "CAST(X'";
    for (const char c : text) {
        bytes += kHex[static_cast<unsigned char>(c) >> 4];
        bytes += kHex[static_cast<unsigned char>(c) & 15];
    }
    Emit(bytes + "' AS TEXT)");
}

void TSqlWriter::Expression(TTokens tokens) {
    TTokens left;  // the operands just written, compared by a comparison that follows
    for (size_t i = 0; i < tokens.size();) {
        if (const size_t end = RunEnd(tokens, i); end > i) {
            left = tokens.subspan(i, end - i);
            Run(left);
            i = end;
            continue;
        }
        const TToken& token = tokens[i];
        if (!left.empty()) CheckComparisonAt(left, tokens, i);
        if (!token.Is("NOT")) left = {};  // NOT BETWEEN compares what stands before the NOT
        if (token.kind == TTokenKind::Word) {
            i = Word(tokens, i);
        } else if (token.Is(")")) {
            FailAt(token, "closing parenthesis without an opening one");
        } else {
            CheckOperator(token);
            Emit(token.text);
        }
        ++i;
    }
}

// Each operator takes what stands left of it as its first operand: a + becomes a call of its
// rule's function, the others are put in parentheses. a + b - c is written
// (orvo_add(a, b) - c).
void TSqlWriter::Run(TTokens run) {
    std::vector<size_t> operators;
    for (size_t end = OperandEnd(run, 0); end < run.size(); end = OperandEnd(run, end + 1)) operators.push_back(end);
    for (auto at = operators.rbegin(); at != operators.rend(); ++at) {
        const std::string_view function = OperatorFunction(run[*at]);
        Emit(function.empty() ? "(" : std::string(function) + "(");
    }
    size_t begin = 0;
    for (size_t k = 0; k <= operators.size(); ++k) {
        const size_t end = k < operators.size() ? operators[k] : run.size();
        if (k > 0) Emit(OperatorFunction(run[begin - 1]).empty() ? run[begin - 1].text : std::string(","));
        Operand(run.subspan(begin, end - begin));
        if (k > 0) Emit(")");
        begin = end + 1;
    }
}

void TSqlWriter::Operand(TTokens operand) {
    for (size_t i = 0; i < operand.size(); ++i) {
        const TToken& token = operand[i];
        switch (token.kind) {
            case TTokenKind::Name:
                EmitName(token.text);
                break;
            case TTokenKind::Text:
                EmitText(token.text);
                break;
            case TTokenKind::Number:
                // A decimal is read by the database's function, exactly; a whole number as written.
                if (token.text.find_first_of(".eE") == std::string::npos) {
                    Emit(token.text);
                } else {
                    Emit("orvo_real('" + token.text + "')");
                }
                break;
            case TTokenKind::Word:
                if (token.Is("CASE")) {
                    // A CASE is walked on its own, so that operators between WHEN and END apply there.
                    const size_t end = CaseEnd(operand, i);
                    Emit("CASE");
                    Expression(operand.subspan(i + 1, end - i - 1));
                    Emit("END");
                    i = end;
                } else {
                    i = Word(operand, i);
                }
                break;
            case TTokenKind::Symbol:
                if (token.Is("(")) {
                    // A parenthesised part is walked on its own, so a sub-select in it ends there.
                    const size_t close = ClosingParenthesis(operand, i);
                    Emit("(");
                    Expression(operand.subspan(i + 1, close - i - 1));
                    Emit(")");
                    i = close;
                } else {
                    Emit(token.text);  // a sign, a dot or *, / or %
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
