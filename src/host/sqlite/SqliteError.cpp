#include "SqliteError.h"

#include "OrvantaError.h"
#include "SqliteConnection.h"

#include <sqlite3.h>

void throwSqliteError(sqlite3 *db)
{
    const QString what = (sqlite3_errcode(db) & 0xff) == SQLITE_BUSY
        ? QStringLiteral("another program has kept the database locked for more than %1 "
                         "seconds; try again when it is done")
              .arg(QString::number(SqliteConnection::busyTimeoutMs() / 1000.0))
        : QString::fromUtf8(sqlite3_errmsg(db));
    throw OrvantaError(
        OrvantaError::AutomationError, QStringLiteral("Host database error: %1").arg(what));
}
