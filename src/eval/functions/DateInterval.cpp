#include "DateInterval.h"

#include "DateSerial.h"
#include "OrvantaError.h"

#include <QLatin1StringView>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr qint64 LastDay = 2958465; // 31 December 9999
// Beyond this no count of intervals can land inside years 100..9999.
constexpr double LargestCount = 1e12;

[[noreturn]] void invalidCall()
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A serial before the epoch keeps its time as a positive fraction, so serials are not a
// time line; this is one, in seconds from 30 December 1899, 00:00.
qint64 timeLine(double serial)
{
    const double days = std::trunc(serial);
    return qint64(days) * SecondsPerDay + std::llround(std::fabs(serial - days) * SecondsPerDay);
}

// One moment on the time line, rounded to the second, with its calendar date.
struct Moment
{
    qint64 day = 0;
    qint64 secondOfDay = 0;
    DateSerial::Parts date;

    qint64 line() const { return day * SecondsPerDay + secondOfDay; }
};

Moment momentOf(double serial)
{
    if (!DateSerial::inRange(serial))
        invalidCall();
    Moment m;
    const qint64 line = timeLine(serial);
    m.day = floorDiv(line, SecondsPerDay);
    if (m.day < qint64(DateSerial::MinSerial) || m.day > LastDay)
        invalidCall();
    m.secondOfDay = line - m.day * SecondsPerDay;
    m.date = DateSerial::toParts(double(m.day));
    return m;
}

double fromTimeLine(qint64 line)
{
    const qint64 day = floorDiv(line, SecondsPerDay);
    if (day < qint64(DateSerial::MinSerial) || day > LastDay)
        invalidCall();
    const double time = double(line - day * SecondsPerDay) / SecondsPerDay;
    return DateSerial::combine(double(day), time);
}

// Keeps the day of the month unless the target month is shorter.
double addMonths(const Moment &m, qint64 months)
{
    const qint64 total = qint64(m.date.year) * 12 + (m.date.month - 1) + months;
    const qint64 year = floorDiv(total, 12);
    if (year < 100 || year > 9999)
        invalidCall();
    const int month = int(total - year * 12) + 1;
    const int day = std::min(m.date.day, DateSerial::daysInMonth(int(year), month));
    double serial = 0;
    DateSerial::fromDate(int(year), month, day, serial);
    return DateSerial::combine(serial, double(m.secondOfDay) / SecondsPerDay);
}

void checkWeekRules(int firstDayOfWeek, int firstWeekOfYear)
{
    if (firstDayOfWeek < 1 || firstDayOfWeek > 7 || firstWeekOfYear < 1 || firstWeekOfYear > 3)
        invalidCall();
}

// 1 for the first day of the week up to 7.
int dayOfWeek(qint64 day, int firstDayOfWeek)
{
    return (DateSerial::weekday(double(day)) - firstDayOfWeek + 7) % 7 + 1;
}

qint64 firstOfJanuary(int year)
{
    double serial = 0;
    DateSerial::fromDate(year, 1, 1, serial);
    return qint64(serial);
}

int daysInYear(int year)
{
    return DateSerial::isLeapYear(year) ? 366 : 365;
}

// The first day of week 1 of the year that begins on january1.
qint64 weekOneStart(qint64 january1, int firstDayOfWeek, int firstWeekOfYear)
{
    const int daysBefore = dayOfWeek(january1, firstDayOfWeek) - 1;
    const bool tooShort
        = (firstWeekOfYear == 2 && daysBefore >= 4) || (firstWeekOfYear == 3 && daysBefore > 0);
    return january1 - daysBefore + (tooShort ? 7 : 0);
}

int weekOfYear(qint64 day, int year, int firstDayOfWeek, int firstWeekOfYear)
{
    const qint64 january1 = firstOfJanuary(year);
    qint64 start = weekOneStart(january1, firstDayOfWeek, firstWeekOfYear);
    // The week of 1 January is week 1 and the last days of the year may reach week 54.
    if (firstWeekOfYear == 1)
        return int((day - start) / 7 + 1);
    if (day < start)
        start = weekOneStart(january1 - daysInYear(year - 1), firstDayOfWeek, firstWeekOfYear);
    else if (day >= weekOneStart(january1 + daysInYear(year), firstDayOfWeek, firstWeekOfYear))
        return 1;
    return int((day - start) / 7 + 1);
}

qint64 monthIndex(const DateSerial::Parts &p)
{
    return qint64(p.year) * 12 + p.month - 1;
}

qint64 quarterIndex(const DateSerial::Parts &p)
{
    return qint64(p.year) * 4 + (p.month - 1) / 3;
}

// Which week a day falls in, weeks starting on firstDayOfWeek.
qint64 weekIndex(qint64 day, int firstDayOfWeek)
{
    // Serial 1 is a Sunday, so days congruent to firstDayOfWeek mod 7 begin a week.
    return floorDiv(day - firstDayOfWeek, 7);
}

} // namespace

DateInterval::DateInterval(QStringView code)
{
    static constexpr struct
    {
        QLatin1StringView code;
        Unit unit;
    } codes[] = {
        {QLatin1StringView("yyyy"), Unit::Year},
        {QLatin1StringView("q"), Unit::Quarter},
        {QLatin1StringView("m"), Unit::Month},
        {QLatin1StringView("y"), Unit::DayOfYear},
        {QLatin1StringView("d"), Unit::Day},
        {QLatin1StringView("w"), Unit::Weekday},
        {QLatin1StringView("ww"), Unit::Week},
        {QLatin1StringView("h"), Unit::Hour},
        {QLatin1StringView("n"), Unit::Minute},
        {QLatin1StringView("s"), Unit::Second},
    };
    for (const auto &entry : codes) {
        if (code.compare(entry.code, Qt::CaseInsensitive) == 0) {
            m_unit = entry.unit;
            return;
        }
    }
    invalidCall();
}

double DateInterval::add(double number, double serial) const
{
    const double count = std::trunc(number);
    if (!(std::fabs(count) <= LargestCount))
        invalidCall();
    const qint64 n = qint64(count);
    const Moment m = momentOf(serial);
    switch (m_unit) {
    case Unit::Year:
        return addMonths(m, n * 12);
    case Unit::Quarter:
        return addMonths(m, n * 3);
    case Unit::Month:
        return addMonths(m, n);
    case Unit::DayOfYear:
    case Unit::Day:
    case Unit::Weekday:
        return fromTimeLine(m.line() + n * SecondsPerDay);
    case Unit::Week:
        return fromTimeLine(m.line() + n * 7 * SecondsPerDay);
    case Unit::Hour:
        return fromTimeLine(m.line() + n * 3600);
    case Unit::Minute:
        return fromTimeLine(m.line() + n * 60);
    case Unit::Second:
        return fromTimeLine(m.line() + n);
    }
    invalidCall();
}

int DateInterval::part(double serial, int firstDayOfWeek, int firstWeekOfYear) const
{
    checkWeekRules(firstDayOfWeek, firstWeekOfYear);
    const Moment m = momentOf(serial);
    switch (m_unit) {
    case Unit::Year:
        return m.date.year;
    case Unit::Quarter:
        return (m.date.month - 1) / 3 + 1;
    case Unit::Month:
        return m.date.month;
    case Unit::DayOfYear:
        return int(m.day - firstOfJanuary(m.date.year)) + 1;
    case Unit::Day:
        return m.date.day;
    case Unit::Weekday:
        return dayOfWeek(m.day, firstDayOfWeek);
    case Unit::Week:
        return weekOfYear(m.day, m.date.year, firstDayOfWeek, firstWeekOfYear);
    case Unit::Hour:
        return int(m.secondOfDay / 3600);
    case Unit::Minute:
        return int(m.secondOfDay / 60 % 60);
    case Unit::Second:
        return int(m.secondOfDay % 60);
    }
    invalidCall();
}

qint32 DateInterval::diff(
    double serial1, double serial2, int firstDayOfWeek, int firstWeekOfYear) const
{
    checkWeekRules(firstDayOfWeek, firstWeekOfYear);
    const Moment a = momentOf(serial1);
    const Moment b = momentOf(serial2);
    qint64 count = 0;
    switch (m_unit) {
    case Unit::Year:
        count = b.date.year - a.date.year;
        break;
    case Unit::Quarter:
        count = quarterIndex(b.date) - quarterIndex(a.date);
        break;
    case Unit::Month:
        count = monthIndex(b.date) - monthIndex(a.date);
        break;
    case Unit::DayOfYear:
    case Unit::Day:
        count = b.day - a.day;
        break;
    case Unit::Weekday:
        // Whole 7-day periods, truncated toward zero in both directions.
        count = (b.day - a.day) / 7;
        break;
    case Unit::Week:
        count = weekIndex(b.day, firstDayOfWeek) - weekIndex(a.day, firstDayOfWeek);
        break;
    case Unit::Hour:
        count = floorDiv(b.line(), 3600) - floorDiv(a.line(), 3600);
        break;
    case Unit::Minute:
        count = floorDiv(b.line(), 60) - floorDiv(a.line(), 60);
        break;
    case Unit::Second:
        count = b.line() - a.line();
        break;
    }
    if (count < std::numeric_limits<qint32>::min() || count > std::numeric_limits<qint32>::max())
        throw OrvantaError(OrvantaError::Overflow);
    return qint32(count);
}
