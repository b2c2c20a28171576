#include "LocaleDateTexts.h"

#include <cmath>

namespace {

// The first character between two fields of a locale format that is not a letter.
QString separatorIn(const QString &format, QStringView fieldLetters, QString fallback)
{
    bool inField = false;
    for (QChar c : format) {
        if (fieldLetters.contains(c))
            inField = true;
        else if (inField && !c.isLetter() && c != u'\'' && !c.isSpace())
            return QString(c);
    }
    return fallback;
}

} // namespace

QString LocaleDateTexts::shortDate(QDate date) const
{
    QString format = m_locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1StringView("yyyy")))
        format.replace(QLatin1StringView("yy"), QLatin1StringView("yyyy"));
    return m_locale.toString(date, format);
}

QString LocaleDateTexts::longDate(QDate date) const
{
    return m_locale.toString(date, QLocale::LongFormat);
}

QString LocaleDateTexts::longTime(QTime time) const
{
    // The platform's long time has no time zone.
    QString format = m_locale.timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return m_locale.toString(time, format.trimmed());
}

QString LocaleDateTexts::generalDate(double serial, QDate date, QTime time) const
{
    const bool hasDay = std::trunc(serial) != 0;
    const bool hasTime = time != QTime(0, 0);
    if (!hasDay)
        return longTime(time);
    return hasTime ? shortDate(date) + u' ' + longTime(time) : shortDate(date);
}

QString LocaleDateTexts::dateSeparator() const
{
    return separatorIn(m_locale.dateFormat(QLocale::ShortFormat), u"dMy", QStringLiteral("/"));
}

QString LocaleDateTexts::timeSeparator() const
{
    return separatorIn(m_locale.timeFormat(QLocale::ShortFormat), u"hHm", QStringLiteral(":"));
}
