#include "SqliteConnection.h"

#include "OrvantaError.h"
#include "SqliteError.h"
#include "SqliteStatement.h"

#include <QThread>
#include <sqlite3.h>
#include <time.h>

namespace {

qint64 monotonicMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

int SqliteConnection::busyTimeoutMs()
{
    bool isNumber = false;
    const int configured = qEnvironmentVariableIntValue("ORVANTA_HOST_BUSY_TIMEOUT_MS", &isNumber);
    return isNumber && configured >= 0 ? configured : DefaultBusyTimeoutMs;
}

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
    m_busyTimeoutMs = busyTimeoutMs();
    sqlite3_busy_handler(m_db, &SqliteConnection::waitWhileBusy, this);
    limitSize();
}

// ORVANTA_HOST_MAX_PAGES caps the database at that many pages (of 4 KiB): a write that
// would grow it further fails as on a full disk.
void SqliteConnection::limitSize()
{
    bool isNumber = false;
    const qint64 pages = qEnvironmentVariableIntValue("ORVANTA_HOST_MAX_PAGES", &isNumber);
    if (isNumber && pages > 0)
        execScript(QByteArray("PRAGMA max_page_count = " + QByteArray::number(pages)).constData());
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

// SQLite's own handler sleeps longer and longer between tries, up to 100 ms, so a short
// run waiting behind a long one would mostly miss the moments between its batches. This
// one tries at a steady pace until the timeout.
int SqliteConnection::waitWhileBusy(void *connection, int tries)
{
    auto *self = static_cast<SqliteConnection *>(connection);
    const qint64 now = monotonicMilliseconds();
    if (tries == 0)
        self->m_busySince = now;
    if (now - self->m_busySince >= self->m_busyTimeoutMs)
        return 0;
    QThread::usleep(self->m_busyRetryMs * 1000);
    return 1;
}
