#include "DateInterval.h"
#include "DateSerial.h"
#include "OrvantaError.h"

#include <gtest/gtest.h>

namespace {

double serialOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    double days = 0;
    EXPECT_TRUE(DateSerial::fromDate(year, month, day, days));
    return DateSerial::combine(days, DateSerial::fromTime(hour, minute, second));
}

struct Stamp
{
    int year, month, day, hour = 0, minute = 0, second = 0;
    double serial() const { return serialOf(year, month, day, hour, minute, second); }
};

int errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const OrvantaError &e) {
        return e.number();
    }
    return 0;
}

TEST(DateIntervalTest, RejectsFragmentsOfTheCodeList)
{
    for (const char *code : {"yy", "yyy", "|", "", "|d|", "x", "dd", " d", "mm"}) {
        EXPECT_EQ(errorNumber([&] { DateInterval {QString::fromLatin1(code)}; }),
            OrvantaError::InvalidProcedureCall)
            << '"' << code << '"';
    }
}

TEST(DateIntervalTest, AddsIntervals)
{
    const struct
    {
        const char *code;
        double number;
        Stamp from;
        Stamp expected;
    } rows[] = {
        {"m", 1, {2005, 1, 31}, {2005, 2, 28}},
        {"m", 1, {2004, 1, 31}, {2004, 2, 29}},
        {"m", -1, {2005, 3, 31}, {2005, 2, 28}},
        {"m", 13, {2005, 1, 31, 10, 30}, {2006, 2, 28, 10, 30}},
        {"m", -12, {2005, 5, 15}, {2004, 5, 15}},
        {"yyyy", 1, {2004, 2, 29}, {2005, 2, 28}},
        {"yyyy", 4, {2004, 2, 29}, {2008, 2, 29}},
        {"yyyy", -1, {2000, 1, 1}, {1999, 1, 1}},
        {"q", 1, {2005, 11, 30}, {2006, 2, 28}},
        {"q", -2, {2005, 8, 31}, {2005, 2, 28}},
        {"y", 1, {2005, 12, 31}, {2006, 1, 1}},
        {"d", -1, {2005, 3, 1}, {2005, 2, 28}},
        {"d", 366, {2004, 1, 1, 8}, {2005, 1, 1, 8}},
        {"w", 1, {2005, 1, 1}, {2005, 1, 2}},
        {"ww", 2, {2005, 12, 25}, {2006, 1, 8}},
        {"h", 25, {2005, 1, 1, 10}, {2005, 1, 2, 11}},
        {"n", -30, {2005, 1, 1, 0, 10}, {2004, 12, 31, 23, 40}},
        {"s", 3601, {2005, 1, 1}, {2005, 1, 1, 1, 0, 1}},
        // The fraction of the number is dropped, toward zero.
        {"d", 1.9, {2005, 1, 1}, {2005, 1, 2}},
        {"d", -1.9, {2005, 1, 1}, {2004, 12, 31}},
        {"h", 0.5, {2005, 1, 1}, {2005, 1, 1}},
        // Across the epoch, where serials keep their time as a positive fraction.
        {"d", 1, {1899, 12, 29, 6}, {1899, 12, 30, 6}},
        {"h", -24, {1899, 12, 30, 6}, {1899, 12, 29, 6}},
        {"n", 90, {1899, 12, 29, 23}, {1899, 12, 30, 0, 30}},
        {"m", 1, {1899, 12, 31, 12}, {1900, 1, 31, 12}},
        {"d", 1, {9999, 12, 30}, {9999, 12, 31}},
        {"yyyy", -1, {101, 2, 28}, {100, 2, 28}},
    };
    for (const auto &row : rows) {
        const double result
            = DateInterval(QString::fromLatin1(row.code)).add(row.number, row.from.serial());
        EXPECT_DOUBLE_EQ(result, row.expected.serial())
            << row.code << ' ' << row.number << " from " << row.from.year << '-' << row.from.month
            << '-' << row.from.day;
    }
}

TEST(DateIntervalTest, AdditionOutsideTheDateRangeFails)
{
    const struct
    {
        const char *code;
        double number;
        Stamp from;
    } rows[] = {
        {"yyyy", 1, {9999, 12, 31}},
        {"m", 1, {9999, 12, 1}},
        {"d", 1, {9999, 12, 31}},
        {"s", 1, {9999, 12, 31, 23, 59, 59}},
        {"d", -1, {100, 1, 1}},
        {"q", -1, {100, 3, 31}},
        {"d", 1e15, {2005, 1, 1}},
        {"m", -1e300, {2005, 1, 1}},
    };
    for (const auto &row : rows) {
        const DateInterval interval(QString::fromLatin1(row.code));
        EXPECT_EQ(errorNumber([&] { interval.add(row.number, row.from.serial()); }),
            OrvantaError::InvalidProcedureCall)
            << row.code << ' ' << row.number;
    }
}

TEST(DateIntervalTest, ExtractsParts)
{
    const Stamp june15 {2005, 6, 15, 13, 45, 30}; // a Wednesday
    const struct
    {
        const char *code;
        Stamp date;
        int firstDayOfWeek;
        int firstWeekOfYear;
        int expected;
    } rows[] = {
        {"yyyy", june15, 1, 1, 2005},
        {"q", june15, 1, 1, 2},
        {"q", {2005, 12, 31}, 1, 1, 4},
        {"m", june15, 1, 1, 6},
        {"y", june15, 1, 1, 166},
        {"y", {2004, 12, 31}, 1, 1, 366},
        {"y", {2005, 12, 31}, 1, 1, 365},
        {"d", june15, 1, 1, 15},
        {"h", june15, 1, 1, 13},
        {"n", june15, 1, 1, 45},
        {"s", june15, 1, 1, 30},
        {"h", {1899, 12, 29, 6, 15}, 1, 1, 6},
        {"n", {1899, 12, 29, 6, 15}, 1, 1, 15},
        // Weekday counted from the first day of the week.
        {"w", june15, 1, 1, 4},
        {"w", june15, 2, 1, 3},
        {"w", june15, 4, 1, 1},
        {"w", june15, 5, 1, 7},
        {"w", june15, 7, 1, 5},
        {"w", {2005, 6, 12}, 1, 1, 1},
        {"w", {2005, 6, 12}, 2, 1, 7},
        // Week of 1 January: week 1 whatever its length, up to 54 at the end.
        {"ww", june15, 1, 1, 25},
        {"ww", {2005, 1, 1}, 1, 1, 1},
        {"ww", {2005, 1, 2}, 1, 1, 2},
        {"ww", {2005, 1, 3}, 2, 1, 2},
        {"ww", {2000, 12, 31}, 1, 1, 54},
        {"ww", {2000, 12, 31}, 2, 1, 53},
        // First week with four days: the ISO weeks when Monday comes first.
        {"ww", june15, 2, 2, 24},
        {"ww", {2005, 1, 1}, 2, 2, 53},
        {"ww", {2005, 1, 3}, 2, 2, 1},
        {"ww", {2003, 12, 29}, 2, 2, 1},
        {"ww", {2004, 12, 31}, 2, 2, 53},
        {"ww", {2008, 12, 29}, 2, 2, 1},
        {"ww", {2010, 1, 3}, 2, 2, 53},
        {"ww", {2005, 1, 1}, 1, 2, 52},
        {"ww", {2005, 1, 2}, 1, 2, 1},
        // First full week.
        {"ww", {2005, 1, 1}, 2, 3, 52},
        {"ww", {2005, 1, 3}, 2, 3, 1},
        {"ww", {2010, 1, 3}, 2, 3, 52},
        {"ww", {2000, 12, 31}, 1, 3, 53},
        {"ww", {2000, 1, 1}, 1, 3, 52},
        {"ww", {2000, 1, 2}, 1, 3, 1},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(DateInterval(QString::fromLatin1(row.code))
                      .part(row.date.serial(), row.firstDayOfWeek, row.firstWeekOfYear),
            row.expected)
            << row.code << ' ' << row.date.year << '-' << row.date.month << '-' << row.date.day
            << " first day " << row.firstDayOfWeek << " first week " << row.firstWeekOfYear;
    }
}

TEST(DateIntervalTest, WeekRulesOutsideTheirRangeFail)
{
    const double date = serialOf(2005, 6, 15);
    const struct
    {
        int firstDayOfWeek;
        int firstWeekOfYear;
    } rows[] = {{0, 1}, {-1, 1}, {8, 1}, {1, 0}, {1, -1}, {1, 4}};
    for (const auto &row : rows) {
        for (const char *code : {"d", "ww"}) {
            const DateInterval interval {QString::fromLatin1(code)};
            EXPECT_EQ(
                errorNumber([&] { interval.part(date, row.firstDayOfWeek, row.firstWeekOfYear); }),
                OrvantaError::InvalidProcedureCall);
            EXPECT_EQ(errorNumber([&] {
                interval.diff(date, date, row.firstDayOfWeek, row.firstWeekOfYear);
            }),
                OrvantaError::InvalidProcedureCall);
        }
    }
}

TEST(DateIntervalTest, CountsBoundaries)
{
    const struct
    {
        const char *code;
        Stamp from;
        Stamp to;
        int firstDayOfWeek;
        qint32 expected;
    } rows[] = {
        {"yyyy", {2000, 6, 15}, {2005, 6, 14}, 1, 5},
        {"yyyy", {2005, 12, 31}, {2006, 1, 1}, 1, 1},
        {"yyyy", {2005, 6, 15}, {2000, 6, 14}, 1, -5},
        {"q", {2005, 3, 31}, {2005, 4, 1}, 1, 1},
        {"q", {2005, 1, 1}, {2005, 3, 31}, 1, 0},
        {"q", {2006, 1, 1}, {2005, 12, 31}, 1, -1},
        {"m", {2005, 1, 31}, {2005, 2, 28}, 1, 1},
        {"m", {2005, 1, 1}, {2004, 1, 31}, 1, -12},
        {"d", {2005, 1, 1}, {2005, 3, 1}, 1, 59},
        {"d", {2004, 1, 1}, {2004, 3, 1}, 1, 60},
        {"d", {2005, 1, 1, 23}, {2005, 1, 2, 1}, 1, 1},
        {"d", {2005, 1, 2, 1}, {2005, 1, 1, 23}, 1, -1},
        {"y", {2005, 1, 1}, {2006, 1, 1}, 1, 365},
        {"d", {1899, 12, 29, 23}, {1899, 12, 30, 1}, 1, 1},
        // Whole 7-day periods, toward zero.
        {"w", {2005, 1, 1}, {2005, 1, 14}, 1, 1},
        {"w", {2005, 1, 1}, {2005, 1, 15}, 1, 2},
        {"w", {2005, 1, 14}, {2005, 1, 1}, 1, -1},
        {"w", {2005, 1, 1}, {2005, 1, 7}, 1, 0},
        // First days of the week crossed: date2 counts, date1 does not.
        {"ww", {2005, 1, 1}, {2005, 1, 2}, 1, 1},
        {"ww", {2005, 1, 1}, {2005, 1, 2}, 2, 0},
        {"ww", {2005, 1, 1}, {2005, 1, 3}, 2, 1},
        {"ww", {2005, 1, 2}, {2005, 1, 8}, 1, 0},
        {"ww", {2005, 1, 2}, {2005, 1, 9}, 1, 1},
        {"ww", {2005, 1, 9}, {2005, 1, 1}, 1, -2},
        {"ww", {2005, 1, 1}, {2005, 3, 1}, 7, 8},
        {"h", {2005, 1, 1, 1, 59}, {2005, 1, 1, 2}, 1, 1},
        {"h", {2005, 1, 1, 2}, {2005, 1, 1, 1, 59}, 1, -1},
        {"h", {1899, 12, 29, 23}, {1899, 12, 30, 1}, 1, 2},
        {"n", {2005, 1, 1, 0, 0, 59}, {2005, 1, 1, 0, 1}, 1, 1},
        {"n", {2005, 1, 1}, {2005, 1, 2}, 1, 1440},
        {"s", {2005, 1, 1}, {2005, 1, 2}, 1, 86400},
        {"s", {2005, 1, 2}, {2005, 1, 1, 23, 59, 59}, 1, -1},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(DateInterval(QString::fromLatin1(row.code))
                      .diff(row.from.serial(), row.to.serial(), row.firstDayOfWeek, 1),
            row.expected)
            << row.code << ' ' << row.from.year << '-' << row.from.month << '-' << row.from.day
            << " to " << row.to.year << '-' << row.to.month << '-' << row.to.day;
    }
}

TEST(DateIntervalTest, CountsBeyondALongOverflow)
{
    const DateInterval seconds(u"s");
    EXPECT_EQ(errorNumber([&] { seconds.diff(serialOf(100, 1, 1), serialOf(9999, 12, 31), 1, 1); }),
        OrvantaError::Overflow);
    EXPECT_EQ(DateInterval(u"d").diff(serialOf(100, 1, 1), serialOf(9999, 12, 31), 1, 1),
        qint32(DateSerial::MaxSerial) - qint32(DateSerial::MinSerial));
}

} // namespace
