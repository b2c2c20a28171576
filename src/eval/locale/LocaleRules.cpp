#include "LocaleRules.h"

#include "DateSerial.h"
#include "LocaleText.h"

namespace {

// Longer text is never a date; the limit keeps the date reader off long notes.
constexpr qsizetype MaxDateLength = 64;

bool containsDigit(QStringView t)
{
    for (const QChar c : t) {
        if (LocaleText::isAsciiDigit(c))
            return true;
    }
    return false;
}

QChar firstOf(const QString &text, QChar otherwise)
{
    return text.isEmpty() ? otherwise : text.front();
}

} // namespace

LocaleRules::LocaleRules(const QLocale &locale)
    : LocaleRules(locale, LocalePatterns(locale))
{
}

LocaleRules::LocaleRules(const QLocale &locale, const LocalePatterns &patterns)
    : m_locale(locale)
    , m_decimal(firstOf(locale.decimalPoint(), u'.'))
    , m_group(firstOf(locale.groupSeparator(), QChar()))
    , m_dates(locale, patterns)
    , m_numbers(m_decimal, m_group, !m_group.isNull() && m_dates.isDateSeparator(m_group))
    , m_numberWriter(m_decimal)
    , m_dateWriter(patterns)
{
}

void LocaleRules::setToday(std::function<QDate()> today)
{
    m_dates.setToday(std::move(today));
}

bool LocaleRules::toNumber(QStringView text, double &out) const
{
    const QStringView t = LocaleText::trimBlanks(text);
    double value = 0;
    bool dateShaped = false;
    if (!m_numbers.read(t, value, dateShaped))
        return false;
    // Where the group separator also separates dates (31.12.2005 in German), a text that
    // reads as a whole date is a date, not the number 31122005.
    double serial;
    if (dateShaped && m_dates.read(t, serial))
        return false;
    out = value;
    return true;
}

bool LocaleRules::isNumeric(QStringView text) const
{
    double ignored;
    return toNumber(text, ignored);
}

bool LocaleRules::toDate(QStringView text, double &serial) const
{
    const QStringView t = LocaleText::trimBlanks(text);
    // Names, codes and markers have no digit: rejected before any real work.
    if (t.isEmpty() || t.size() > MaxDateLength || !containsDigit(t))
        return false;
    if (isNumeric(t))
        return false;
    return m_dates.read(t, serial);
}

bool LocaleRules::isDate(QStringView text) const
{
    double ignored;
    return toDate(text, ignored);
}

QString LocaleRules::numberToText(double d, Value::NumberType type) const
{
    return m_numberWriter.write(d, type);
}

QString LocaleRules::dateToText(double serial) const
{
    // A value outside the calendar cannot be written as a date; show its number.
    if (!DateSerial::inRange(serial))
        return numberToText(serial);
    return m_dateWriter.write(serial);
}

QString LocaleRules::toText(const Value &v) const
{
    switch (v.kind()) {
    case Value::Kind::Empty:
        return QString();
    case Value::Kind::Number:
        return numberToText(v.number(), v.numberType());
    case Value::Kind::Text:
        return v.text();
    case Value::Kind::Date:
        return dateToText(v.number());
    case Value::Kind::Logical:
        return v.logical() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return QString();
}

QString LocaleRules::monthName(int month) const
{
    if (month < 1 || month > 12)
        return QString();
    return m_locale.monthName(month, QLocale::LongFormat);
}

QString LocaleRules::shortMonthName(int month) const
{
    if (month < 1 || month > 12)
        return QString();
    return m_locale.standaloneMonthName(month, QLocale::ShortFormat);
}

// Qt counts days from Monday = 1 to Sunday = 7.
QString LocaleRules::dayName(int weekday) const
{
    if (weekday < 1 || weekday > 7)
        return QString();
    return m_locale.dayName(weekday == 1 ? 7 : weekday - 1, QLocale::LongFormat);
}

QString LocaleRules::shortDayName(int weekday) const
{
    if (weekday < 1 || weekday > 7)
        return QString();
    return m_locale.dayName(weekday == 1 ? 7 : weekday - 1, QLocale::ShortFormat);
}

int LocaleRules::firstDayOfWeek() const
{
    return int(m_locale.firstDayOfWeek()) % 7 + 1;
}
