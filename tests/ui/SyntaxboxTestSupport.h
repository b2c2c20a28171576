#pragma once

#include "RtbSyntax.h"
#include "SyntaxTokeniser.h"

#include <QStringList>
#include <string>

// Reading the colours a calculation box shows, one letter per character:
// C comment, R reference, P placeholder, F function, k black, | a line break.
namespace SyntaxboxTestSupport {

inline char letterOfColour(quint32 colour)
{
    switch (colour) {
    case 0x008000:
        return 'C';
    case 0xFF00FF:
        return 'R';
    case 0x0000FF:
        return 'P';
    case 0xFF0000:
        return 'F';
    default:
        return 'k';
    }
}

inline char letterOfClass(TokenClass tokenClass)
{
    switch (tokenClass) {
    case TokenClass::Comment:
        return 'C';
    case TokenClass::FieldReference:
        return 'R';
    case TokenClass::Placeholder:
        return 'P';
    case TokenClass::FunctionName:
        return 'F';
    default:
        return 'k';
    }
}

// The colour of one character at the surface, read the way a host reads it.
inline quint32 colourAt(RtbSyntax &box, int position)
{
    box.setSelStart(position);
    box.setSelLength(1);
    return box.SelColor().toUInt();
}

inline std::string shownLetters(RtbSyntax &box)
{
    const QString text = box.Text();
    const int start = box.SelStart();
    const int length = box.SelLength();
    std::string letters;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        letters += (c == u'\r' || c == u'\n') ? '|' : letterOfColour(colourAt(box, i));
    }
    box.setSelStart(start);
    box.setSelLength(length);
    return letters;
}

// What the text should show: each line tokenised on its own.
inline std::string expectedLetters(const QString &text)
{
    std::string letters;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (int n = 0; n < lines.size(); ++n) {
        if (n > 0)
            letters += "||";
        std::string line(lines.at(n).size(), 'k');
        for (const Token &token : SyntaxTokeniser::tokeniseLine(lines.at(n)))
            line.replace(token.start, token.length, token.length, letterOfClass(token.tokenClass));
        letters += line;
    }
    return letters;
}

} // namespace SyntaxboxTestSupport
