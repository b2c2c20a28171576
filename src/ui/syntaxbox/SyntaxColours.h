#pragma once

#include "TokenClass.h"

#include <QColor>
#include <array>

// The colour of each token class, as 24-bit values with red in the low byte.
class SyntaxColours
{
public:
    // Built once from the text triples ("0,128,0" ...).
    static const std::array<quint32, 6> &InitColours();

    // A class code outside 0 to 4 takes the plain-word colour.
    static quint32 colourOf(int classCode);
    static quint32 colourOf(TokenClass tokenClass) { return colourOf(int(tokenClass)); }

    static QColor toQColor(quint32 value);
    static quint32 fromQColor(const QColor &colour);
};
