#include "HostLocation.h"

#include <QDir>

QString hostDatabasePath(const QString &explicitPath)
{
    if (!explicitPath.isEmpty())
        return explicitPath;
    const QString fromEnvironment = qEnvironmentVariable("ORVANTA_HOST");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/orvanta/host.db");
}
