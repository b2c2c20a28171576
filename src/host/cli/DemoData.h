#pragma once

#include "LocaleInfo.h"

#include <QLocale>

class HostStore;

// The demo database: 50 contacts and 5 groups with realistic values. Fields 3
// (Revenue) and 4 (Order Total) hold plain numbers, so [25]=[3]*2 and
// [26]=If([4]>100;1;0) give sensible results; Order Totals lie on both sides of 100.
// Dates are written in the locale's short date with a four-digit year.
class DemoData
{
public:
    static constexpr int ContactCount = 50;
    static constexpr int GroupCount = 5;
    static const QString WindowTitle;

    // Adds the records, makes both lookups hold every record, the first contact and
    // group current, and the demo window title the host's.
    static void populate(HostStore &store, const QLocale &locale = userLocale());

private:
    static void addContacts(HostStore &store, const QLocale &locale);
    static void addGroups(HostStore &store);
};
