#pragma once

#include <QString>

class LocaleRules;

// The format-pattern language of Format and Round: numeric sections, digit placeholders,
// grouping and scaling, percent, exponents, literals, date and time codes, text
// placeholders and the named formats. Rounds half away from zero on the decimal value
// shown; writes the locale's separators.
class FormatPattern
{
public:
    // Formats the text of a value: numeric text as a number, date text as a date when the
    // pattern asks for one, anything else as text. Throws OrvantaError when the pattern
    // cannot be applied.
    static QString format(
        const QString &valueText, const QString &pattern, const LocaleRules &rules);
};
