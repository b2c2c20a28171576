#include "HostConnector.h"

#include "HostApplication.h"
#include "HostLocation.h"
#include "SqliteHostApplication.h"

namespace HostConnector {

HostConnection connection()
{
    const QString path = hostDatabasePath();
    return {[path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
        [path] { return SqliteHostApplication::attach(path); }};
}

} // namespace HostConnector
