#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

class LocaleRules;

// The named formats ("Currency", "Short Date", "Yes/No" ...), matched case-insensitively.
// Most stand for a pattern; the others are written by their own rules.
class NamedFormat
{
public:
    enum class Kind : quint8 { Pattern, GeneralNumber, Currency, Words };

    struct Entry
    {
        QLatin1StringView name;
        Kind kind;
        QLatin1StringView pattern; // Kind::Pattern
        QLatin1StringView nonZeroWord; // Kind::Words
        QLatin1StringView zeroWord;
    };

    // Null when the pattern is not a named format.
    static const Entry *find(QStringView pattern);

    // The locale's currency form: its symbol where the locale puts it, grouping and two
    // decimals, and its own way of showing a negative amount.
    static QString currency(double value, const LocaleRules &rules);
};
