#include "DateSerial.h"

#include <QString>
#include <gtest/gtest.h>

TEST(DateSerial, CivilDatesAndTheirSerials)
{
    const struct
    {
        int year, month, day;
        double serial;
    } rows[] = {
        {1899, 12, 30, 0}, {1900, 1, 1, 2}, {1899, 12, 29, -1}, {2005, 12, 31, 38717},
        {2000, 2, 29, 36585}, {100, 1, 1, -657434}, {9999, 12, 31, 2958465},
        {2005, 13, 1, 38718}, // month 13 is January of the next year
        {2005, 3, 0, 38411}, // day 0 is the last day of the previous month
        {2005, 2, 29, 38412}, // 29 February of a common year is 1 March
    };
    for (const auto &row : rows) {
        double serial = 0;
        EXPECT_TRUE(DateSerial::fromDate(row.year, row.month, row.day, serial)) << row.serial;
        EXPECT_EQ(serial, row.serial);
    }
    double serial = 0;
    EXPECT_FALSE(DateSerial::fromDate(99, 12, 31, serial));
    EXPECT_FALSE(DateSerial::fromDate(10000, 1, 1, serial));
}

TEST(DateSerial, PartsOfSerialsWithTimes)
{
    const struct
    {
        double serial;
        const char *parts;
        int weekday; // 0: a time that rounds into the next day
    } rows[] = {
        {38717.4375, "2005-12-31 10:30:00", 7},
        {0.5, "1899-12-30 12:00:00", 7},
        {-1.25, "1899-12-29 06:00:00", 6},
        {-1.99999999, "1899-12-30 00:00:00", 0},
        {38717.99999999, "2006-01-01 00:00:00", 0},
        {38718, "2006-01-01 00:00:00", 1},
    };
    for (const auto &row : rows) {
        const DateSerial::Parts p = DateSerial::toParts(row.serial);
        EXPECT_EQ(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                      p.minute, p.second)
                      .toStdString(),
            row.parts);
        if (row.weekday != 0)
            EXPECT_EQ(DateSerial::weekday(row.serial), row.weekday) << row.serial;
    }
}
