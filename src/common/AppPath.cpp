#include "AppPath.h"

#include <QDir>
#include <QFileInfo>

QString AppPath()
{
    const QString overridden = qEnvironmentVariable("ORVANTA_APP_DIR");
    QString dir = !overridden.isEmpty() ? overridden : ExecutableDir();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return QDir::toNativeSeparators(dir);
}

QString ExecutableDir()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}
