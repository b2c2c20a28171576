#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The date and time texts of one locale that the date codes show whole: short and long
// date, long time, general date and the date and time separators. The short date always
// carries a four-digit year, as dates written as text do everywhere in the program.
class LocaleDateTexts
{
public:
    explicit LocaleDateTexts(const QLocale &locale)
        : m_locale(locale)
    {
    }

    QString shortDate(QDate date) const;
    QString longDate(QDate date) const;
    QString longTime(QTime time) const;
    // The short date, then the long time unless it is midnight; the time alone on day 0.
    QString generalDate(double serial, QDate date, QTime time) const;
    QString dateSeparator() const;
    QString timeSeparator() const;

private:
    const QLocale &m_locale;
};
