#pragma once

#include "PatternSections.h"

#include <QString>
#include <QVarLengthArray>
#include <vector>

class LocaleRules;

// One section of a numeric pattern: digit placeholders 0 and #, the decimal point,
// grouping and thousands scaling by ",", percent, E+ E- e+ e- exponents and literals.
class NumberSection
{
public:
    explicit NumberSection(const PatternSection &chars);

    bool isEmpty() const { return m_items.empty(); }
    // Appends the absolute value as this section shows it. Returns true when every digit
    // shown is zero, so that no minus sign belongs in front of it.
    bool format(double absValue, const LocaleRules &rules, QString &out) const;

private:
    enum class Element : quint8 {
        IntegerDigit,
        FractionDigit,
        ExponentDigit,
        Point,
        Exponent,
        Literal
    };
    struct Item
    {
        Element element;
        QChar c; // the placeholder ('0' or '#'), the exponent letter or the literal
    };

    using Digits = QVarLengthArray<char, 32>;

    void parse(const PatternSection &chars);
    void parseCommas(const PatternSection &chars, qsizetype &i, bool sawDigit, bool inInteger);
    int visibleFractionDigits(const Digits &fraction) const;
    void appendInteger(const Digits &digits, const LocaleRules &rules, int &integerSeen,
        QChar placeholder, QString &out) const;
    void appendGrouped(const Digits &digits, QChar separator, QString &out) const;

    std::vector<Item> m_items;
    int m_integerDigits = 0;
    int m_minIntegerDigits = 0; // from the leftmost "0" placeholder of the integer part
    int m_fractionDigits = 0;
    int m_exponentZeros = 0;
    int m_exponentDigits = 0;
    int m_shift = 0; // powers of ten from "%" and thousands scaling
    bool m_grouping = false;
    bool m_exponentPlus = false;
    bool m_hasExponent = false;
    bool m_hasDigits = false;
};
