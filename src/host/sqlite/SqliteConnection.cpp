#include "SqliteConnection.h"

#include "OrvantaError.h"
#include "SqliteError.h"
#include "SqliteStatement.h"

#include <sqlite3.h>

SqliteConnection::SqliteConnection(const QString &path, OpenMode mode)
{
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw OrvantaError(OrvantaError::AutomationError,
            QStringLiteral("Host database error: cannot open %1: %2").arg(path, message));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
}

void SqliteConnection::useWriteAheadLog()
{
    // NORMAL is safe with WAL: a killed process never damages the database and loses
    // nothing it committed.
    execScript("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
}

SqliteConnection::~SqliteConnection()
{
    m_statements.clear();
    sqlite3_close(m_db);
}

SqliteStatement &SqliteConnection::statement(const char *sql)
{
    auto &slot = m_statements[sql];
    if (!slot)
        slot = std::make_unique<SqliteStatement>(m_db, sql);
    return *slot;
}

void SqliteConnection::execScript(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        throwSqliteError(m_db);
    }
}
