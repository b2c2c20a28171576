#pragma once

#include "PatternSections.h"

#include <QString>
#include <vector>

class LocaleRules;

// A date and time pattern: d to dddddd, w, ww, m to mmmm (minutes after an hour code), q,
// y, yy, yyyy, h, hh, n, nn, s, ss, ttttt, c, AM/PM, am/pm, A/P, a/p, AMPM, and "/" and
// ":" standing for the locale's separators. Codes are case-insensitive. Weeks start on
// Sunday and the week of 1 January is the first week of the year.
class DateFormat
{
public:
    explicit DateFormat(const PatternSection &chars);

    // False when the pattern holds nothing but literals and separators.
    bool hasCodes() const;

    // Throws OrvantaError for a serial outside the calendar.
    QString format(double serial, const LocaleRules &rules) const;

private:
    enum class Code : quint8 {
        Literal,
        Day,
        Day2,
        DayShortName,
        DayName,
        ShortDate,
        LongDate,
        Weekday,
        Week,
        Month,
        Month2,
        MonthShortName,
        MonthName,
        Minute,
        Minute2,
        Quarter,
        DayOfYear,
        Year2,
        Year4,
        Hour,
        Hour2,
        Second,
        Second2,
        LongTime,
        GeneralDate,
        AmPm, // as written: the text before "/" in the morning, after it in the afternoon
        LocaleAmPm,
        DateSeparator,
        TimeSeparator,
    };
    struct Token
    {
        Code code;
        QString text;
    };

    void parseLetter(const PatternSection &chars, qsizetype &i);
    void parseRun(QChar letter, int run);
    bool parseAmPm(const PatternSection &chars, qsizetype &i);
    void add(Code code, QString text = {});
    bool lastCodeIsHour() const;

    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
};
