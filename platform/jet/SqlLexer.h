#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace jet {

// One token of a statement. The lexer knows the quoting of both dialects: Jet's
// [brackets] and #dates#, the engine's "identifiers", and 'strings' with '' escapes.
struct SqlToken {
    enum Kind {
        Space,
        Word,         // a keyword or a plain name (letters, digits, _ and any non-ASCII)
        Number,       // 12, 0.5, 1e3
        String,       // '...' including the quotes
        Quoted,       // "..." including the quotes
        Bracketed,    // [...] including the brackets
        DateLiteral,  // #...# including the signs
        Symbol,       // an operator or punctuation: ( ) , . + - * / & || <= >= <> ...
    };
    Kind kind;
    QString text;

    bool is(Kind k, QStringView t) const;  // kind and text, case-insensitively
    bool isSymbol(QStringView t) const { return kind == Symbol && text == t; }
    bool isWord(QStringView t) const { return is(Word, t); }
    // A Word, Quoted or Bracketed token: a name or a keyword.
    bool isName() const { return kind == Word || kind == Quoted || kind == Bracketed; }
    // A word that ends the item list of a SELECT (FROM, WHERE, UNION ...) or a ";".
    bool endsSelectList() const;
};

// Splits the statement into tokens; concatenating their texts gives the statement back.
// An unterminated string or name runs to the end of the text.
std::vector<SqlToken> tokenizeSql(QStringView sql);

// The name a Word, Quoted or Bracketed token stands for, without its quoting.
QString identifierName(const SqlToken& token);

// Lower-cases the ASCII letters only, as the engine compares names.
QString asciiLower(QStringView text);

}  // namespace jet
