#include "DecimalDigits.h"

#include <charconv>

DecimalDigits::DecimalDigits(double absValue)
{
    if (!(absValue > 0.0))
        return;
    char buffer[40];
    const auto result = std::to_chars(
        buffer, buffer + sizeof buffer, absValue, std::chars_format::scientific, Significant - 1);
    // d.dddddddddddddde[+-]xx
    const char *p = buffer;
    m_digits[m_count++] = *p++;
    for (++p; *p != 'e'; ++p)
        m_digits[m_count++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), result.ptr, exponent);
    m_exponent = exponent + 1;
    while (m_count > 0 && m_digits[m_count - 1] == '0')
        --m_count;
}

void DecimalDigits::shift(int powerOfTen)
{
    if (m_count > 0)
        m_exponent += powerOfTen;
}

void DecimalDigits::roundToDecimals(int decimals)
{
    // Guard against overflow of exponent + decimals with absurd pattern lengths.
    const qint64 keep = qint64(m_exponent) + decimals;
    keepDigits(keep > Significant ? Significant : int(keep < -1 ? -1 : keep));
}

void DecimalDigits::roundToSignificant(int digits)
{
    keepDigits(digits > Significant ? Significant : digits);
}

void DecimalDigits::keepDigits(int count)
{
    if (count >= m_count)
        return;
    if (count < 0) {
        m_count = 0;
        return;
    }
    const bool up = m_digits[count] >= '5';
    m_count = count;
    if (up) {
        int i = m_count - 1;
        while (i >= 0 && m_digits[i] == '9')
            --i;
        if (i < 0) {
            // 9.99 -> 10.0: one digit more before the point.
            m_digits[0] = '1';
            m_count = 1;
            ++m_exponent;
        } else {
            ++m_digits[i];
            m_count = i + 1;
        }
    }
    while (m_count > 0 && m_digits[m_count - 1] == '0')
        --m_count;
}

char DecimalDigits::digitAt(int index) const
{
    return index >= 0 && index < m_count ? m_digits[index] : '0';
}
