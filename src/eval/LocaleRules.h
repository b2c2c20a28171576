#pragma once

#include "Value.h"
#include "locale/DateReader.h"
#include "locale/DateWriter.h"
#include "locale/LocalePatterns.h"
#include "locale/NumberReader.h"
#include "locale/NumberWriter.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <functional>

// The platform's rules for reading and writing numbers and dates in one locale. Built
// once per evaluator; every conversion of the formula language goes through it, so the
// results never depend on the machine's own settings. The work is done by the readers
// and writers of locale/.
class LocaleRules
{
public:
    explicit LocaleRules(const QLocale &locale);

    // A date typed without a year is in this day's year: the system date unless set.
    void setToday(std::function<QDate()> today);

    const QLocale &locale() const { return m_locale; }
    QChar decimalSeparator() const { return m_decimal; }
    QChar groupSeparator() const { return m_group; }

    // Numeric text: surrounding spaces, a sign, the locale's decimal and thousands
    // separators, an exponent; &H and &O prefixes.
    bool toNumber(QStringView text, double &out) const;
    bool isNumeric(QStringView text) const;

    // Date text as a user of the locale types it: numeric dates in the locale's order
    // with "/", "-" or ".", ISO yyyy-mm-dd, month names, times, date and time.
    bool toDate(QStringView text, double &serial) const;
    bool isDate(QStringView text) const;

    // Up to 15 significant digits, the locale's decimal separator, no grouping.
    QString numberToText(double d, Value::NumberType type = Value::NumberType::Double) const;
    // The locale's short date with a four-digit year, then the time when there is one;
    // a time alone on day 0.
    QString dateToText(double serial) const;
    // Any value as the platform writes it: Empty as "", Logical as "True"/"False".
    QString toText(const Value &v) const;

    // 1 = January; 1 = Sunday.
    QString monthName(int month) const;
    QString shortMonthName(int month) const;
    QString dayName(int weekday) const;
    QString shortDayName(int weekday) const;
    // The locale's first day of the week, 1 = Sunday to 7 = Saturday.
    int firstDayOfWeek() const;

private:
    LocaleRules(const QLocale &locale, const LocalePatterns &patterns);

    QLocale m_locale;
    QChar m_decimal;
    QChar m_group;
    DateReader m_dates;
    NumberReader m_numbers;
    NumberWriter m_numberWriter;
    DateWriter m_dateWriter;
};
