#include "DateFormat.h"

#include "DateSerial.h"
#include "LocaleDateTexts.h"
#include "LocaleRules.h"
#include "OrvantaError.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace {

qsizetype runLength(const PatternSection &chars, qsizetype i, QChar lower)
{
    qsizetype end = i;
    while (end < qsizetype(chars.size()) && !chars[end].literal && chars[end].c.toLower() == lower)
        ++end;
    return end - i;
}

bool matchesCode(const PatternSection &chars, qsizetype i, QLatin1StringView code)
{
    if (i + code.size() > qsizetype(chars.size()))
        return false;
    for (qsizetype k = 0; k < code.size(); ++k) {
        if (chars[i + k].literal || chars[i + k].c.toLower() != QLatin1Char(code[k]))
            return false;
    }
    return true;
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

int weekOfYear(double serial, const DateSerial::Parts &parts)
{
    double january1 = 0;
    DateSerial::fromDate(parts.year, 1, 1, january1);
    const int dayOfYear = int(std::trunc(serial) - january1) + 1;
    return (dayOfYear + DateSerial::weekday(january1) - 2) / 7 + 1;
}

} // namespace

DateFormat::DateFormat(const PatternSection &chars)
{
    for (qsizetype i = 0; i < qsizetype(chars.size()); ++i) {
        const QChar c = chars[i].c;
        if (chars[i].literal)
            add(Code::Literal, QString(c));
        else if (c == u'/')
            add(Code::DateSeparator);
        else if (c == u':')
            add(Code::TimeSeparator);
        else if (c.isLetter())
            parseLetter(chars, i);
        else
            add(Code::Literal, QString(c));
    }
}

void DateFormat::parseLetter(const PatternSection &chars, qsizetype &i)
{
    const QChar letter = chars[i].c.toLower();
    if (letter == u'a' && parseAmPm(chars, i))
        return;
    if (letter == u'c') {
        add(Code::GeneralDate);
        return;
    }
    if (QStringView(u"dwmyqhnst").contains(letter)) {
        qsizetype run = runLength(chars, i, letter);
        if (letter == u't' && run != 5) {
            add(Code::Literal, QString(chars[i].c));
            return;
        }
        i += run - 1;
        parseRun(letter, int(run));
        return;
    }
    add(Code::Literal, QString(chars[i].c));
}

// A run of one code letter; runs longer than the longest code repeat it.
void DateFormat::parseRun(QChar letter, int run)
{
    while (run > 0) {
        int used = 1;
        switch (letter.unicode()) {
        case 'd': {
            static const Code codes[] = {Code::Day, Code::Day2, Code::DayShortName, Code::DayName,
                Code::ShortDate, Code::LongDate};
            used = qMin(run, 6);
            add(codes[used - 1]);
            break;
        }
        case 'w':
            used = qMin(run, 2);
            add(used == 1 ? Code::Weekday : Code::Week);
            break;
        case 'm':
            used = qMin(run, 4);
            if (used <= 2 && lastCodeIsHour())
                add(used == 1 ? Code::Minute : Code::Minute2);
            else
                add(used == 1       ? Code::Month
                        : used == 2 ? Code::Month2
                        : used == 3 ? Code::MonthShortName
                                    : Code::MonthName);
            break;
        case 'y':
            used = run >= 4 ? 4 : run >= 2 ? 2 : 1;
            add(used == 4 ? Code::Year4 : used == 2 ? Code::Year2 : Code::DayOfYear);
            break;
        case 'q':
            add(Code::Quarter);
            break;
        case 'h':
            used = qMin(run, 2);
            add(used == 1 ? Code::Hour : Code::Hour2);
            break;
        case 'n':
            used = qMin(run, 2);
            add(used == 1 ? Code::Minute : Code::Minute2);
            break;
        case 's':
            used = qMin(run, 2);
            add(used == 1 ? Code::Second : Code::Second2);
            break;
        default: // 't': exactly five
            used = run;
            add(Code::LongTime);
            break;
        }
        run -= used;
    }
}

bool DateFormat::parseAmPm(const PatternSection &chars, qsizetype &i)
{
    for (const QLatin1StringView code : {QLatin1StringView("am/pm"), QLatin1StringView("a/p")}) {
        if (matchesCode(chars, i, code)) {
            QString written;
            for (qsizetype k = 0; k < code.size(); ++k)
                written += chars[i + k].c;
            add(Code::AmPm, written);
            i += code.size() - 1;
            m_twelveHour = true;
            return true;
        }
    }
    if (matchesCode(chars, i, QLatin1StringView("ampm"))) {
        add(Code::LocaleAmPm);
        i += 3;
        m_twelveHour = true;
        return true;
    }
    return false;
}

void DateFormat::add(Code code, QString text)
{
    m_tokens.push_back({code, std::move(text)});
}

// "m" right after an hour code means minutes; separators and literals in between count.
bool DateFormat::lastCodeIsHour() const
{
    for (auto it = m_tokens.rbegin(); it != m_tokens.rend(); ++it) {
        if (it->code == Code::Hour || it->code == Code::Hour2)
            return true;
        if (it->code != Code::Literal && it->code != Code::TimeSeparator
            && it->code != Code::DateSeparator)
            return false;
    }
    return false;
}

bool DateFormat::hasCodes() const
{
    for (const Token &t : m_tokens) {
        if (t.code != Code::Literal && t.code != Code::DateSeparator
            && t.code != Code::TimeSeparator)
            return true;
    }
    return false;
}

QString DateFormat::format(double serial, const LocaleRules &rules) const
{
    if (!DateSerial::inRange(serial))
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    const DateSerial::Parts p = DateSerial::toParts(serial);
    const QDate date(p.year, p.month, p.day);
    const QTime time(p.hour, p.minute, p.second);
    const LocaleDateTexts texts(rules.locale());
    const int weekday = DateSerial::weekday(serial);
    const int hour = m_twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
    const bool morning = p.hour < 12;

    QString out;
    for (const Token &t : m_tokens) {
        switch (t.code) {
        case Code::Literal:
            out += t.text;
            break;
        case Code::Day:
            out += QString::number(p.day);
            break;
        case Code::Day2:
            out += twoDigits(p.day);
            break;
        case Code::DayShortName:
            out += rules.shortDayName(weekday);
            break;
        case Code::DayName:
            out += rules.dayName(weekday);
            break;
        case Code::ShortDate:
            out += texts.shortDate(date);
            break;
        case Code::LongDate:
            out += texts.longDate(date);
            break;
        case Code::Weekday:
            out += QString::number(weekday);
            break;
        case Code::Week:
            out += QString::number(weekOfYear(serial, p));
            break;
        case Code::Month:
            out += QString::number(p.month);
            break;
        case Code::Month2:
            out += twoDigits(p.month);
            break;
        case Code::MonthShortName:
            out += rules.shortMonthName(p.month);
            break;
        case Code::MonthName:
            out += rules.monthName(p.month);
            break;
        case Code::Minute:
            out += QString::number(p.minute);
            break;
        case Code::Minute2:
            out += twoDigits(p.minute);
            break;
        case Code::Quarter:
            out += QString::number((p.month - 1) / 3 + 1);
            break;
        case Code::DayOfYear:
            out += QString::number(date.dayOfYear());
            break;
        case Code::Year2:
            out += twoDigits(p.year % 100);
            break;
        case Code::Year4:
            out += QString::number(p.year).rightJustified(4, u'0');
            break;
        case Code::Hour:
            out += QString::number(hour);
            break;
        case Code::Hour2:
            out += twoDigits(hour);
            break;
        case Code::Second:
            out += QString::number(p.second);
            break;
        case Code::Second2:
            out += twoDigits(p.second);
            break;
        case Code::LongTime:
            out += texts.longTime(time);
            break;
        case Code::GeneralDate:
            out += texts.generalDate(serial, date, time);
            break;
        case Code::AmPm: {
            const qsizetype slash = t.text.indexOf(u'/');
            out += morning ? t.text.left(slash) : t.text.mid(slash + 1);
            break;
        }
        case Code::LocaleAmPm:
            out += morning ? rules.locale().amText() : rules.locale().pmText();
            break;
        case Code::DateSeparator:
            out += texts.dateSeparator();
            break;
        case Code::TimeSeparator:
            out += texts.timeSeparator();
            break;
        }
    }
    return out;
}
