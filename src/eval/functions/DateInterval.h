#pragma once

#include <QStringView>
#include <QtGlobal>

// One interval code of the date functions (yyyy q m y d w ww h n s, any case) and the
// platform's calendar arithmetic over date serials: date addition, date-part extraction
// and boundary counting. Whatever the platform cannot compute (a code that is not one of
// the list, a first day of the week outside 1..7 or a first week of the year outside
// 1..3, a date outside years 100..9999) throws OrvantaError 5; a count that does not fit
// a 32-bit integer throws OrvantaError 6.
class DateInterval
{
public:
    enum class Unit : quint8 {
        Year,
        Quarter,
        Month,
        DayOfYear,
        Day,
        Weekday,
        Week,
        Hour,
        Minute,
        Second,
    };

    explicit DateInterval(QStringView code);

    Unit unit() const { return m_unit; }

    // The date moved by number intervals; the fraction of number is dropped.
    double add(double number, double serial) const;
    // firstDayOfWeek 1 (Sunday) to 7; firstWeekOfYear 1 (the week of 1 January), 2 (the
    // first week with four days in the new year) or 3 (the first full week).
    int part(double serial, int firstDayOfWeek, int firstWeekOfYear) const;
    // Interval boundaries crossed from serial1 to serial2, negative when serial2 is earlier.
    // Only "ww" depends on the first day of the week; both week rules are checked always.
    qint32 diff(double serial1, double serial2, int firstDayOfWeek, int firstWeekOfYear) const;

private:
    Unit m_unit;
};
