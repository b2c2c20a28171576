#include "TextScan.h"

#include <QStringList>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace TextScan {

namespace {

bool isIgnored(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

std::string withoutIgnored(QStringView text)
{
    std::string kept;
    kept.reserve(size_t(text.size()));
    for (QChar c : text) {
        if (!isIgnored(c))
            kept.push_back(c.unicode() < 0x80 ? char(c.unicode()) : '\x7f');
    }
    return kept;
}

// The digit's value in base 8 or 16, or -1.
int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// &H and &O numbers: up to 16 bits read as a signed Integer, up to 32 bits as a Long,
// as the platform's Val does (&HFFFF is -1).
bool radixNumber(const std::string &text, size_t from, int base, double &out)
{
    quint64 value = 0;
    for (size_t i = from; i < text.size() && digitValue(text[i], base) >= 0; ++i) {
        value = value * quint64(base) + quint64(digitValue(text[i], base));
        if (value > 0xFFFFFFFFull)
            return false;
    }
    if (value <= 0xFFFF)
        out = double(qint16(quint16(value)));
    else
        out = double(qint32(quint32(value)));
    return true;
}

size_t digitsFrom(const std::string &text, size_t i)
{
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i;
}

// The length of the decimal number at the start: sign, digits, one point, exponent.
size_t decimalLength(const std::string &text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const size_t mantissa = i;
    i = digitsFrom(text, i);
    if (i < text.size() && text[i] == '.')
        i = digitsFrom(text, i + 1);
    if (i == mantissa || (i == mantissa + 1 && text[mantissa] == '.'))
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const size_t end = digitsFrom(text, e);
        if (end > e)
            i = end;
    }
    return i;
}

} // namespace

QString trimSpaces(const QString &text, bool leading, bool trailing)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (leading && begin < end && text[begin] == u' ')
        ++begin;
    while (trailing && end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString firstLettersUpper(const QString &text)
{
    QStringList pieces = text.split(u' ');
    for (QString &piece : pieces) {
        if (!piece.isEmpty())
            piece = piece.left(1).toUpper() + piece.sliced(1).toLower();
    }
    return pieces.join(u' ');
}

bool leadingNumber(QStringView text, double &out)
{
    const std::string kept = withoutIgnored(text);
    out = 0.0;
    if (kept.size() >= 2 && kept[0] == '&') {
        if (kept[1] == 'h' || kept[1] == 'H')
            return radixNumber(kept, 2, 16, out);
        if (kept[1] == 'o' || kept[1] == 'O')
            return radixNumber(kept, 2, 8, out);
    }
    const size_t length = decimalLength(kept);
    if (length == 0)
        return true;
    std::string number = kept.substr(0, length);
    for (char &c : number) {
        if (c == 'd' || c == 'D')
            c = 'e';
    }
    // The C locale's point, whatever the process locale says.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    out = strtod_l(number.c_str(), nullptr, cLocale);
    return std::isfinite(out);
}

} // namespace TextScan
