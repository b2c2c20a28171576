#include "NumberReader.h"

#include "LocaleText.h"

#include <algorithm>
#include <charconv>
#include <string>

using LocaleText::isAsciiDigit;
using LocaleText::isSpaceLike;

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

// &H and &O numbers as the platform reads them: a value that fits in 16 bits is an
// Integer (so &HFFFF is -1), anything up to 32 bits a Long (&HFFFFF is 1048575,
// &HFFFFFFFF is -1); a trailing & forces a Long (&HFFFF& is 65535). Larger overflows.
bool readRadixNumber(QStringView t, double &out)
{
    if (t.size() < 3)
        return false;
    const char16_t prefix = t[1].unicode();
    const int base = (prefix == u'H' || prefix == u'h') ? 16
        : (prefix == u'O' || prefix == u'o')            ? 8
                                                        : 0;
    if (base == 0)
        return false;
    qsizetype end = t.size();
    const bool forceLong = t[end - 1] == u'&';
    if (forceLong)
        --end;
    if (end <= 2)
        return false;
    quint64 value = 0;
    for (qsizetype i = 2; i < end; ++i) {
        const int d = digitValue(t[i], base);
        if (d < 0)
            return false;
        value = value * quint64(base) + quint64(d);
        if (value > 0xFFFFFFFFu)
            return false;
    }
    if (value <= 0xFFFF && !forceLong)
        out = double(qint16(quint16(value)));
    else
        out = double(qint32(quint32(value)));
    return true;
}

} // namespace

NumberReader::NumberReader(QChar decimal, QChar group, bool groupSeparatesDates)
    : m_decimal(decimal)
    , m_group(group)
    , m_groupSeparatesDates(groupSeparatesDates)
{
}

bool NumberReader::read(QStringView text, double &out, bool &dateShaped) const
{
    dateShaped = false;
    if (text.isEmpty())
        return false;
    if (text.front() == u'&')
        return readRadixNumber(text, out);
    return readDecimal(text, out, dateShaped);
}

bool NumberReader::isGroupSeparator(QChar c) const
{
    if (m_group.isNull())
        return false;
    return c == m_group || (isSpaceLike(m_group) && isSpaceLike(c));
}

// Group separators may stand between any two digits of the integer part, as the platform
// allows; the accepted characters are copied for std::from_chars, which ignores the C
// locale that Qt may have changed.
bool NumberReader::readDecimal(QStringView t, double &out, bool &dateShaped) const
{
    char stackBuffer[64];
    std::string heapBuffer;
    char *buffer = stackBuffer;
    // Every accepted character becomes at most one character of the buffer.
    if (t.size() >= qsizetype(sizeof stackBuffer)) {
        heapBuffer.resize(size_t(t.size()));
        buffer = heapBuffer.data();
    }
    const qsizetype n = t.size();
    qsizetype length = 0;
    qsizetype i = 0;
    const bool hasSign = t[0] == u'-' || t[0] == u'+';
    if (hasSign) {
        if (t[0] == u'-')
            buffer[length++] = '-';
        ++i;
    }

    qsizetype integerDigits = 0;
    qsizetype significantIntegerDigits = 0;
    int groups = 0;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            buffer[length++] = char(c.unicode());
            ++integerDigits;
            if (significantIntegerDigits > 0 || c != u'0')
                ++significantIntegerDigits;
        } else if (integerDigits > 0 && isGroupSeparator(c) && i + 1 < n
            && isAsciiDigit(t[i + 1])) {
            ++groups;
        } else {
            break;
        }
    }

    qsizetype fractionDigits = 0;
    qsizetype leadingFractionZeros = 0;
    const bool hasDecimal = i < n && t[i] == m_decimal;
    if (hasDecimal) {
        buffer[length++] = '.';
        for (++i; i < n && isAsciiDigit(t[i]); ++i) {
            if (fractionDigits == leadingFractionZeros && t[i] == u'0')
                ++leadingFractionZeros;
            ++fractionDigits;
            buffer[length++] = char(t[i].unicode());
        }
    }
    if (integerDigits + fractionDigits == 0)
        return false;

    qint64 exponent = 0;
    const bool hasExponent = i < n && (t[i] == u'e' || t[i] == u'E');
    if (hasExponent) {
        buffer[length++] = 'e';
        ++i;
        const bool negativeExponent = i < n && t[i] == u'-';
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            if (negativeExponent)
                buffer[length++] = '-';
            ++i;
        }
        const qsizetype firstExponentDigit = i;
        for (; i < n && isAsciiDigit(t[i]); ++i) {
            buffer[length++] = char(t[i].unicode());
            exponent = std::min<qint64>(exponent * 10 + (t[i].unicode() - u'0'), 1000000);
        }
        if (i == firstExponentDigit)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return false;

    dateShaped = groups == 2 && !hasDecimal && !hasExponent && !hasSign && m_groupSeparatesDates;

    double value = 0;
    const auto result = std::from_chars(buffer, buffer + length, value);
    if (result.ec == std::errc::result_out_of_range) {
        const qint64 magnitude = significantIntegerDigits > 0
            ? qint64(significantIntegerDigits) + exponent
            : exponent - qint64(leadingFractionZeros);
        if (magnitude > 0)
            return false; // too large for a Double: the platform overflows
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != buffer + length) {
        return false;
    }
    out = value == 0 ? 0.0 : value;
    return true;
}
