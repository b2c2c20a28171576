#include "NumberSection.h"

#include "DecimalDigits.h"
#include "LocaleRules.h"

#include <cstdlib>

namespace {

bool isDigitCode(const PatternSection &chars, qsizetype i)
{
    return PatternSections::isCode(chars, i, u'0') || PatternSections::isCode(chars, i, u'#');
}

} // namespace

NumberSection::NumberSection(const PatternSection &chars)
{
    parse(chars);
}

void NumberSection::parse(const PatternSection &chars)
{
    enum Phase { Integer, Fraction, Exponent } phase = Integer;
    int firstZero = -1;
    for (qsizetype i = 0; i < qsizetype(chars.size()); ++i) {
        const QChar c = chars[i].c;
        if (chars[i].literal) {
            m_items.push_back({Element::Literal, c});
        } else if (c == u'0' || c == u'#') {
            m_hasDigits = true;
            if (phase == Integer) {
                if (c == u'0' && firstZero < 0)
                    firstZero = m_integerDigits;
                ++m_integerDigits;
                m_items.push_back({Element::IntegerDigit, c});
            } else if (phase == Fraction) {
                ++m_fractionDigits;
                m_items.push_back({Element::FractionDigit, c});
            } else {
                m_exponentZeros += c == u'0';
                ++m_exponentDigits;
                m_items.push_back({Element::ExponentDigit, c});
            }
        } else if (c == u'.' && phase == Integer) {
            phase = Fraction;
            m_items.push_back({Element::Point, c});
        } else if (c == u',' && phase != Exponent) {
            parseCommas(chars, i, m_hasDigits, phase == Integer);
        } else if (c == u'%') {
            m_shift += 2;
            m_items.push_back({Element::Literal, c});
        } else if ((c == u'E' || c == u'e') && phase != Exponent && m_hasDigits
            && (PatternSections::isCode(chars, i + 1, u'+')
                || PatternSections::isCode(chars, i + 1, u'-'))) {
            phase = Exponent;
            m_hasExponent = true;
            m_exponentPlus = chars[++i].c == u'+';
            m_items.push_back({Element::Exponent, c});
        } else {
            m_items.push_back({Element::Literal, c});
        }
    }
    m_minIntegerDigits = firstZero < 0 ? 0 : m_integerDigits - firstZero;
}

// A comma between integer digits groups thousands; commas right after the digits (before
// the point or where the digits end) each divide by 1000; any other comma shows nothing.
void NumberSection::parseCommas(
    const PatternSection &chars, qsizetype &i, bool sawDigit, bool inInteger)
{
    qsizetype end = i;
    while (PatternSections::isCode(chars, end, u','))
        ++end;
    const bool digitFollows = isDigitCode(chars, end);
    if (sawDigit && digitFollows && inInteger)
        m_grouping = true;
    else if (sawDigit && !digitFollows)
        m_shift -= 3 * int(end - i);
    i = end - 1;
}

bool NumberSection::format(double absValue, const LocaleRules &rules, QString &out) const
{
    DecimalDigits digits(absValue);
    digits.shift(m_shift);
    int integerLength;
    int exponent = 0;
    if (m_hasExponent) {
        digits.roundToSignificant(m_integerDigits + m_fractionDigits);
        integerLength = m_integerDigits;
        if (!digits.isZero())
            exponent = digits.exponent() - m_integerDigits;
    } else {
        digits.roundToDecimals(m_fractionDigits);
        integerLength = digits.isZero() ? 0 : qMax(0, digits.exponent());
    }
    const int firstFraction = m_hasExponent ? m_integerDigits : digits.exponent();

    Digits integer(integerLength);
    for (int i = 0; i < integerLength; ++i)
        integer[i] = digits.digitAt(i);
    Digits fraction(m_fractionDigits);
    for (int i = 0; i < m_fractionDigits; ++i)
        fraction[i] = digits.digitAt(firstFraction + i);
    const int visibleFraction = visibleFractionDigits(fraction);

    out.reserve(out.size() + integerLength + integerLength / 3 + qsizetype(m_items.size()) + 8);
    int integerSeen = 0;
    int fractionSeen = 0;
    bool exponentShown = false;
    for (const Item &item : m_items) {
        switch (item.element) {
        case Element::IntegerDigit:
            appendInteger(integer, rules, integerSeen, item.c, out);
            break;
        case Element::Point:
            // With no integer placeholders the integer digits still show, before the point.
            if (m_integerDigits == 0)
                out += QLatin1StringView(integer.data(), integer.size());
            out += rules.decimalSeparator();
            break;
        case Element::FractionDigit:
            if (fractionSeen < visibleFraction)
                out += QLatin1Char(fraction[fractionSeen]);
            ++fractionSeen;
            break;
        case Element::Exponent:
            out += item.c;
            if (exponent < 0)
                out += u'-';
            else if (m_exponentPlus)
                out += u'+';
            if (m_exponentDigits == 0)
                out += QString::number(std::abs(exponent));
            break;
        case Element::ExponentDigit:
            if (!exponentShown) {
                out += QString::number(std::abs(exponent)).rightJustified(m_exponentZeros, u'0');
                exponentShown = true;
            }
            break;
        case Element::Literal:
            out += item.c;
            break;
        }
    }
    return m_hasDigits && digits.isZero();
}

// Trailing "#" places of the fraction hide their zeros.
int NumberSection::visibleFractionDigits(const Digits &fraction) const
{
    int visible = int(fraction.size());
    int placeholder = m_fractionDigits;
    for (auto it = m_items.rbegin(); it != m_items.rend() && visible > 0; ++it) {
        if (it->element != Element::FractionDigit)
            continue;
        --placeholder;
        if (it->c != u'#' || fraction[placeholder] != '0')
            break;
        visible = placeholder;
    }
    return visible;
}

// Integer digits fill the placeholders from the right; the leftmost one takes whatever
// digits are left over. With grouping, the whole grouped number stands at the first one.
void NumberSection::appendInteger(const Digits &digits, const LocaleRules &rules, int &integerSeen,
    QChar placeholder, QString &out) const
{
    const int fromRight = m_integerDigits - 1 - integerSeen++;
    if (m_grouping) {
        if (fromRight == m_integerDigits - 1)
            appendGrouped(digits, rules.groupSeparator(), out);
        return;
    }
    const int length = int(digits.size());
    if (fromRight == m_integerDigits - 1 && length > m_integerDigits)
        out += QLatin1StringView(digits.data(), length - m_integerDigits);
    if (fromRight < length)
        out += QLatin1Char(digits[length - 1 - fromRight]);
    else if (placeholder == u'0')
        out += u'0';
}

void NumberSection::appendGrouped(const Digits &digits, QChar separator, QString &out) const
{
    const int length = qMax(int(digits.size()), m_minIntegerDigits);
    const int padding = length - int(digits.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            out += separator;
        out += QLatin1Char(i < padding ? '0' : digits[i - padding]);
    }
}
