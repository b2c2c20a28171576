#pragma once

#include "Value.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>
#include <functional>

// The platform's rules for reading and writing numbers and dates in one locale. Built
// once per evaluator; every conversion of the formula language goes through it, so the
// results never depend on the machine's own settings.
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
    enum class DateOrder : quint8 { MonthDayYear, DayMonthYear, YearMonthDay };
    // Month names people type: the locale's full and short forms, standalone ones too, and
    // the English ones, trailing dots removed.
    static constexpr int MonthNameForms = 6;
    struct DateTokens;
    struct DateFields;

    void readShortDatePattern();
    void readLongTimePattern();
    void collectMonthNames();

    bool isGroupSeparator(QChar c) const;
    bool isDateSeparator(QChar c) const;
    bool readDecimal(QStringView text, double &out) const;
    bool readDateTime(QStringView text, double &serial) const;
    bool tokenizeDate(QStringView text, DateTokens &tokens) const;
    bool readTime(const DateTokens &tokens, int begin, int end, double &fraction) const;
    bool readDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool readNumericDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool readNamedDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool daysOfFields(const DateFields &f, double &days) const;
    int monthFromName(QStringView word) const;
    int amPmOf(QStringView word) const;
    QString dayPartToText(int year, int month, int day) const;
    QString timePartToText(int hour, int minute, int second) const;

    int currentYear() const;

    QLocale m_locale;
    std::function<QDate()> m_today;
    QChar m_decimal;
    QChar m_group;

    DateOrder m_dateOrder = DateOrder::MonthDayYear;
    bool m_dayPadded = false;
    bool m_monthPadded = false;
    QString m_dateSeparators[2];
    QChar m_dateSeparatorChar;

    bool m_hour12 = true;
    bool m_hourPadded = false;
    bool m_amPmFirst = false;
    QString m_timeSeparators[2];
    QString m_amPmSeparator;
    QString m_amText;
    QString m_pmText;

    std::array<QString, 12 * MonthNameForms> m_monthNames;
};
