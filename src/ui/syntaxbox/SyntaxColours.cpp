#include "SyntaxColours.h"

#include <QString>
#include <QStringList>

namespace {

constexpr const char *triples[6] = {"0,128,0", "255,0,255", "255,0,0", "0,0,255", "0,0,0", "0,0,0"};

quint32 tripleToValue(const char *triple)
{
    const QStringList parts = QString::fromLatin1(triple).split(QLatin1Char(','));
    return parts.at(0).toUInt() + 256u * parts.at(1).toUInt() + 65536u * parts.at(2).toUInt();
}

} // namespace

const std::array<quint32, 6> &SyntaxColours::InitColours()
{
    static const std::array<quint32, 6> table = [] {
        std::array<quint32, 6> values {};
        for (int i = 0; i < 6; ++i)
            values[i] = tripleToValue(triples[i]);
        return values;
    }();
    return table;
}

quint32 SyntaxColours::colourOf(int classCode)
{
    if (classCode < 0 || classCode > 4)
        classCode = int(TokenClass::PlainWord);
    return InitColours()[classCode];
}

QColor SyntaxColours::toQColor(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 SyntaxColours::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) + 256u * quint32(colour.green()) + 65536u * quint32(colour.blue());
}
