#pragma once

#include <QtGlobal>

// The decimal digits of a non-negative number as the user sees them: the 15 significant
// digits the platform prints, so that rounding works on 2.345 and not on the binary
// 2.34499999... The value is 0.d1 d2 d3 ... times 10 to the power exponent().
class DecimalDigits
{
public:
    static constexpr int Significant = 15;

    explicit DecimalDigits(double absValue);

    bool isZero() const { return m_count == 0; }
    int exponent() const { return m_exponent; }
    // Multiplies by a power of ten (percent, thousands scaling) without binary error.
    void shift(int powerOfTen);
    // Half away from zero, keeping that many digits after the decimal point.
    void roundToDecimals(int decimals);
    // Half away from zero, keeping that many significant digits.
    void roundToSignificant(int digits);
    // The digit at a place counted from the first significant one; '0' outside them.
    char digitAt(int index) const;

private:
    void keepDigits(int count);

    char m_digits[Significant + 1] = {};
    int m_count = 0;
    int m_exponent = 0;
};
