#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

// What a locale's short date pattern and long time pattern say about writing and reading
// dates: the order of day, month and year, padding, separators, and the AM/PM markers.
struct LocalePatterns
{
    enum class DateOrder : quint8 { MonthDayYear, DayMonthYear, YearMonthDay };

    explicit LocalePatterns(const QLocale &locale);

    DateOrder dateOrder = DateOrder::MonthDayYear;
    bool dayPadded = false;
    bool monthPadded = false;
    QString dateSeparators[2];
    // The mark of the first date separator, as a reader accepts it beside / - and .
    QChar dateSeparatorChar;

    bool hour12 = true;
    bool hourPadded = false;
    bool amPmFirst = false;
    QString timeSeparators[2];
    QString amPmSeparator;
    QString amText;
    QString pmText;

private:
    void readShortDatePattern(const QLocale &locale);
    void readLongTimePattern(const QLocale &locale);
};
