#include "DateWriter.h"

#include "DateSerial.h"

#include <array>
#include <charconv>

namespace {

void appendNumber(QString &out, int value, int width)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    for (qsizetype pad = width - (result.ptr - digits); pad > 0; --pad)
        out += u'0';
    for (const char *p = digits; p != result.ptr; ++p)
        out += QChar(char16_t(*p));
}

} // namespace

DateWriter::DateWriter(const LocalePatterns &patterns)
    : m_patterns(patterns)
{
}

QString DateWriter::write(double serial) const
{
    const DateSerial::Parts p = DateSerial::toParts(serial);
    const bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
    if (dayZero)
        return timePartToText(p.hour, p.minute, p.second);
    QString text = dayPartToText(p.year, p.month, p.day);
    if (p.hour != 0 || p.minute != 0 || p.second != 0) {
        text += u' ';
        text += timePartToText(p.hour, p.minute, p.second);
    }
    return text;
}

QString DateWriter::dayPartToText(int year, int month, int day) const
{
    struct Part
    {
        int value;
        int width;
    };
    const Part d {day, m_patterns.dayPadded ? 2 : 1};
    const Part m {month, m_patterns.monthPadded ? 2 : 1};
    const Part y {year, 4};
    std::array<Part, 3> parts {m, d, y};
    if (m_patterns.dateOrder == LocalePatterns::DateOrder::DayMonthYear)
        parts = {d, m, y};
    else if (m_patterns.dateOrder == LocalePatterns::DateOrder::YearMonthDay)
        parts = {y, m, d};
    QString text;
    text.reserve(16);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += m_patterns.dateSeparators[i - 1];
        appendNumber(text, parts[i].value, parts[i].width);
    }
    return text;
}

QString DateWriter::timePartToText(int hour, int minute, int second) const
{
    QString text;
    text.reserve(16);
    const QString &marker = hour < 12 ? m_patterns.amText : m_patterns.pmText;
    if (m_patterns.hour12 && m_patterns.amPmFirst) {
        text += marker;
        text += m_patterns.amPmSeparator;
    }
    appendNumber(text, m_patterns.hour12 ? (hour % 12 == 0 ? 12 : hour % 12) : hour,
        m_patterns.hourPadded ? 2 : 1);
    text += m_patterns.timeSeparators[0];
    appendNumber(text, minute, 2);
    text += m_patterns.timeSeparators[1];
    appendNumber(text, second, 2);
    if (m_patterns.hour12 && !m_patterns.amPmFirst) {
        text += m_patterns.amPmSeparator;
        text += marker;
    }
    return text;
}
