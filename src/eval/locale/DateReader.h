#pragma once

#include "LocalePatterns.h"

#include <QDate>
#include <QLocale>
#include <QStringView>
#include <array>
#include <functional>

// Reads date text as a user of the locale types it: numeric dates in the locale's order
// with "/", "-" or ".", ISO yyyy-mm-dd, month names, times, date and time.
class DateReader
{
public:
    DateReader(const QLocale &locale, const LocalePatterns &patterns);

    // A date typed without a year is in this day's year: the system date unless set.
    void setToday(std::function<QDate()> today);

    // Text without surrounding blanks; numeric text is not checked for here.
    bool read(QStringView text, double &serial) const;
    bool isDateSeparator(QChar c) const;

private:
    // Month names people type: the locale's full and short forms, standalone ones too, and
    // the English ones, trailing dots removed.
    static constexpr int MonthNameForms = 6;
    struct DateTokens;
    struct DateFields;

    void collectMonthNames(const QLocale &locale);
    bool tokenize(QStringView text, DateTokens &tokens) const;
    bool readTime(const DateTokens &tokens, int begin, int end, double &fraction) const;
    bool readDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool readNumericDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool readNamedDate(const DateTokens &tokens, int begin, int end, double &days) const;
    bool daysOfFields(const DateFields &f, double &days) const;
    int monthFromName(QStringView word) const;
    int amPmOf(QStringView word) const;
    int currentYear() const;

    LocalePatterns::DateOrder m_dateOrder;
    QChar m_dateSeparatorChar;
    QString m_amText;
    QString m_pmText;
    std::function<QDate()> m_today;
    std::array<QString, 12 * MonthNameForms> m_monthNames;
};
