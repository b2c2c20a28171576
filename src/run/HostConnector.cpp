#include "HostConnector.h"

#include "HostApplication.h"
#include "HostLocation.h"
#include "SqliteHostApplication.h"

#include <QFileInfo>

namespace HostConnector {

HostConnection connection()
{
    const QString path = hostDatabasePath();
    return {[path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
        [path] { return SqliteHostApplication::attach(path); }};
}

QString missingHostHint()
{
    const QString path = hostDatabasePath();
    if (QFileInfo::exists(path))
        return QStringLiteral("orvanta: the host database looked for is %1; "
                              "`orvanta-host init --demo --force` makes a new one there")
            .arg(path);
    return QStringLiteral("orvanta: no host database at %1; create one with "
                          "`orvanta-host init --demo` (or point ORVANTA_HOST at one)")
        .arg(path);
}

} // namespace HostConnector
