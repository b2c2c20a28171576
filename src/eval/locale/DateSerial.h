#pragma once

#include <QtGlobal>

// The date type's calendar: a serial is days since 30 December 1899 with the time of day
// as the fraction, on the proleptic Gregorian calendar from year 100 to 9999. A negative
// serial keeps its time as a positive fraction (-1.25 is 29 December 1899, 06:00).
namespace DateSerial {

struct Parts
{
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

constexpr double MinSerial = -657434.0; // 1 January 100
constexpr double MaxSerial = 2958465.99999; // 31 December 9999, 23:59:59

// Days of a civil date, months and days outside their range carried over as the
// platform's date construction does (month 13 is January of the next year, day 0 the
// last day of the previous month). False when the result lies outside years 100..9999.
bool fromDate(int year, int month, int day, double &serial);
// The time of day as a fraction; hours, minutes and seconds carry over.
double fromTime(int hour, int minute, int second);
// Combines whole days and a time fraction the way the date type stores them.
double combine(double days, double timeFraction);

Parts toParts(double serial);
// 1 for Sunday to 7 for Saturday.
int weekday(double serial);
bool inRange(double serial);
bool isLeapYear(int year);
int daysInMonth(int year, int month);

} // namespace DateSerial
