#pragma once

#include "TokenClass.h"

#include <QStringView>
#include <vector>

// Splits one line of a calculation into coloured spans. Plain code with no widget, so
// the colouring can be tested and measured on its own.
class SyntaxTokeniser
{
public:
    // Appends the spans of one line (no line break in it) to tokens, left to right and
    // without overlap. Every character of a non-empty line is covered.
    static void tokeniseLine(QStringView line, std::vector<Token> &tokens);
    static std::vector<Token> tokeniseLine(QStringView line);

    // Placeholder, FunctionName or PlainWord: whole word, any letter case.
    static TokenClass GetWordClass(QStringView word);

    static bool isDelimiter(QChar c);
};
