#include "host/sqlite/SqlTokenizer.h"

#include <cctype>

#include "host/sqlite/SqlError.h"

namespace orvo::host::sql {
namespace {

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '#'; }
bool IsWordPart(char c) { return IsWordStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

class TScanner {
public:
    explicit TScanner(std::string_view sql) : sql_(sql) {}

    std::vector<TToken> Run() {
        while (pos_ < sql_.size()) {
            const char c = sql_[pos_];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (StartsWith("--")) {
                SkipLineComment();
            } else if (StartsWith("/*")) {
                SkipBlockComment();
            } else if (c == '[') {
                Quoted(TTokenKind::Name, ']', "[name");
            } else if (c == '"') {
                Quoted(TTokenKind::Name, '"', "\"name");
            } else if (c == '\'') {
                Quoted(TTokenKind::Text, '\'', "'text");
            } else if ((c == 'N' || c == 'n') && pos_ + 1 < sql_.size() && sql_[pos_ + 1] == '\'') {
                ThrowUntranslated("national text N'...'", pos_);
            } else if (IsWordStart(c)) {
                Word();
            } else if (IsDigit(c) || (c == '.' && pos_ + 1 < sql_.size() && IsDigit(sql_[pos_ + 1]))) {
                Number();
            } else {
                Symbol();
            }
        }
        return std::move(tokens_);
    }

private:
    bool StartsWith(std::string_view s) const { return sql_.substr(pos_, s.size()) == s; }

    void SkipLineComment() {
        while (pos_ < sql_.size() && sql_[pos_] != '\n') ++pos_;
    }

    // T-SQL block comments nest.
    void SkipBlockComment() {
        const size_t start = pos_;
        int depth = 0;
        do {
            if (pos_ >= sql_.size()) ThrowUntranslated("unterminated /* comment", start);
            if (StartsWith("/*")) {
                ++depth;
                pos_ += 2;
            } else if (StartsWith("*/")) {
                --depth;
                pos_ += 2;
            } else {
                ++pos_;
            }
        } while (depth > 0);
    }

    // A quoted name or text; the closing quote written twice stands for itself.
    void Quoted(TTokenKind kind, char close, std::string_view what) {
        const size_t start = pos_++;
        std::string text;
        for (;;) {
            if (pos_ >= sql_.size()) ThrowUntranslated("unterminated " + std::string(what), start);
            const char c = sql_[pos_++];
            if (c != close) {
                text += c;
            } else if (pos_ < sql_.size() && sql_[pos_] == close) {
                text += close;
                ++pos_;
            } else {
                break;
            }
        }
        tokens_.push_back({kind, std::move(text), start});
    }

    void Word() {
        const size_t start = pos_;
        while (pos_ < sql_.size() && IsWordPart(sql_[pos_])) ++pos_;
        tokens_.push_back({TTokenKind::Word, std::string(sql_.substr(start, pos_ - start)), start});
    }

    void Number() {
        const size_t start = pos_;
        if (StartsWith("0x") || StartsWith("0X")) ThrowUntranslated("binary literal 0x...", start);
        while (pos_ < sql_.size() && IsDigit(sql_[pos_])) ++pos_;
        if (pos_ < sql_.size() && sql_[pos_] == '.') {
            ++pos_;
            while (pos_ < sql_.size() && IsDigit(sql_[pos_])) ++pos_;
        }
        if (pos_ < sql_.size() && (sql_[pos_] == 'e' || sql_[pos_] == 'E')) {
            size_t exponent = pos_ + 1;
            if (exponent < sql_.size() && (sql_[exponent] == '+' || sql_[exponent] == '-')) ++exponent;
            if (exponent < sql_.size() && IsDigit(sql_[exponent])) {
                pos_ = exponent;
                while (pos_ < sql_.size() && IsDigit(sql_[pos_])) ++pos_;
            }
        }
        if (pos_ < sql_.size() && IsWordStart(sql_[pos_]))
            ThrowUntranslated("number run into a word: " + std::string(sql_.substr(start, pos_ + 1 - start)), start);
        tokens_.push_back({TTokenKind::Number, std::string(sql_.substr(start, pos_ - start)), start});
    }

    void Symbol() {
        static constexpr std::string_view kPairs[] = {"<>", "<=", ">=", "!="};
        static constexpr std::string_view kSingles = "(),.;=<>+-*/%&|^~";
        for (std::string_view pair : kPairs) {
            if (StartsWith(pair)) {
                tokens_.push_back({TTokenKind::Symbol, std::string(pair), pos_});
                pos_ += 2;
                return;
            }
        }
        const char c = sql_[pos_];
        if (kSingles.find(c) == std::string_view::npos) {
            ThrowUntranslated("character '" + std::string(1, c) + "'", pos_);
        }
        tokens_.push_back({TTokenKind::Symbol, std::string(1, c), pos_});
        ++pos_;
    }

    std::string_view sql_;
    size_t pos_ = 0;
    std::vector<TToken> tokens_;
};

}  // namespace

bool TToken::Is(std::string_view spelling) const {
    if (kind == TTokenKind::Symbol) return text == spelling;
    return kind == TTokenKind::Word && SameWord(text, spelling);
}

std::vector<TToken> Tokenize(std::string_view sql) { return TScanner(sql).Run(); }

std::string Upper(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace orvo::host::sql
