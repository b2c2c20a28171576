#pragma once

#include "LocalePatterns.h"

#include <QString>

// Writes dates in the locale's short form with a four-digit year, then the time when there
// is one; a time alone on day 0.
class DateWriter
{
public:
    explicit DateWriter(const LocalePatterns &patterns);

    // A serial within the calendar's range.
    QString write(double serial) const;

private:
    QString dayPartToText(int year, int month, int day) const;
    QString timePartToText(int hour, int minute, int second) const;

    LocalePatterns m_patterns;
};
