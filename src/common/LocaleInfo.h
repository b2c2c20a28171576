#pragma once

#include <QLocale>
#include <QString>

// Information numbers the program asks for.
enum LocaleInfoType { LOCALE_SDECIMAL = 14, LOCALE_STHOUSAND = 15 };

// One text of the locale, or the empty text for information it does not have.
QString GetUserLocaleInfo(const QLocale &locale, int infoType);

// The user's locale: the system's, except that the bare C/POSIX locale of a machine
// nobody configured reads and writes as United States English, the platform's default.
QLocale userLocale();
