#include "Settings.h"

#include <QSettings>

namespace {

QSettings &store()
{
    // One store per process: QSettings caches and syncs the file itself.
    static QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
        QStringLiteral("Orvanta"), QStringLiteral("Orvanta"));
    return settings;
}

QString keyPath(const QString &key)
{
    return QStringLiteral("Settings/") + key;
}

} // namespace

QString Settings::value(const QString &key) const
{
    return value(key, defaultValue(key));
}

QString Settings::value(const QString &key, const QString &defaultValue) const
{
    return store().value(keyPath(key), defaultValue).toString();
}

void Settings::setValue(const QString &key, const QString &value)
{
    store().setValue(keyPath(key), value);
    store().sync();
}

QString Settings::defaultValue(const QString &key)
{
    if (key == QLatin1String(Warning))
        return QStringLiteral("0");
    if (key == QLatin1String(TrueWord))
        return QStringLiteral("Yes");
    if (key == QLatin1String(FalseWord))
        return QStringLiteral("No");
    if (key == QLatin1String(EditorWidth))
        return QStringLiteral("7935");
    if (key == QLatin1String(EditorHeight))
        return QStringLiteral("5805");
    if (key == QLatin1String(JournalRuns))
        return QStringLiteral("100");
    if (key == QLatin1String(JournalDays))
        return QStringLiteral("90");
    return QString();
}
