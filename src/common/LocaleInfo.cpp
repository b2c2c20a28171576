#include "LocaleInfo.h"

QString GetUserLocaleInfo(const QLocale &locale, int infoType)
{
    switch (infoType) {
    case LOCALE_SDECIMAL:
        return locale.decimalPoint();
    case LOCALE_STHOUSAND:
        return locale.groupSeparator();
    default:
        return QString();
    }
}

QLocale userLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}
