#include "DateSerial.h"

#include <cmath>

namespace DateSerial {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

void civilFromDays(qint64 z, int &year, int &month, int &day)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 y = qint64(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(y + (month <= 2));
}

constexpr qint64 EpochOffset = 25569; // 1 January 1970 as a serial

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool inRange(double serial)
{
    return std::isfinite(serial) && serial > MinSerial - 1.0 && serial < 2958466.0;
}

bool fromDate(int year, int month, int day, double &serial)
{
    // Carry months into years first, then let days run over month ends.
    qint64 y = year;
    qint64 m = month - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12;
    if (y < -1000000 || y > 1000000)
        return false;
    const qint64 days = daysFromCivil(y, unsigned(m + 1), 1) + EpochOffset + qint64(day) - 1;
    if (double(days) < MinSerial || double(days) > 2958465.0)
        return false;
    serial = double(days);
    return true;
}

double fromTime(int hour, int minute, int second)
{
    return (double(hour) * 3600.0 + double(minute) * 60.0 + double(second)) / 86400.0;
}

double combine(double days, double timeFraction)
{
    // Before the epoch the time still counts forward from midnight of the day.
    if (days < 0)
        return days - timeFraction;
    return days + timeFraction;
}

Parts toParts(double serial)
{
    Parts p;
    if (!std::isfinite(serial))
        return p;
    double days = std::trunc(serial);
    double fraction = std::fabs(serial - days);
    // Round to the second so that 0.99999999 does not show as 23:59:59 of the wrong day.
    qint64 seconds = qint64(std::llround(fraction * 86400.0));
    if (seconds >= 86400) {
        // The time counts forward from midnight whatever the sign, so the carry does too.
        seconds -= 86400;
        days += 1;
    }
    civilFromDays(qint64(days) - EpochOffset, p.year, p.month, p.day);
    p.hour = int(seconds / 3600);
    p.minute = int(seconds / 60 % 60);
    p.second = int(seconds % 60);
    return p;
}

int weekday(double serial)
{
    // Serial 1 (31 December 1899) was a Sunday.
    const qint64 days = qint64(std::trunc(serial));
    return int(((days - 1) % 7 + 7) % 7) + 1;
}

} // namespace DateSerial
