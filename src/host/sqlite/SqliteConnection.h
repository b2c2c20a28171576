#pragma once

#include <QString>
#include <memory>
#include <unordered_map>

struct sqlite3;
class SqliteStatement;

// One connection to the host database: WAL journal, a busy timeout long enough for two
// triggers at once (ORVANTA_HOST_BUSY_TIMEOUT_MS sets another), and a cache of prepared statements
// reused for the life of the connection.
class SqliteConnection
{
public:
    enum class OpenMode { ExistingOnly, CreateIfMissing };

    SqliteConnection(const QString &path, OpenMode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    // Called once the file is known to be a host database, never on a foreign file.
    void useWriteAheadLog();

    // The cached statement for this SQL text, prepared on first use. The text must be
    // a string literal: the cache knows it by its address.
    SqliteStatement &statement(const char *sql);
    // Runs one or more statements without parameters.
    void execScript(const char *sql);

    static constexpr int DefaultBusyTimeoutMs = 10000;
    // How often a statement tries again while another connection holds the lock. A long
    // run tries less often than a short one, so that the short one gets in first.
    void setBusyRetryMs(int milliseconds) { m_busyRetryMs = milliseconds; }
    // How long a statement waits for a lock another connection holds.
    static int busyTimeoutMs();

private:
    static int waitWhileBusy(void *connection, int tries);
    void limitSize();

    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    qint64 m_busySince = 0;
    int m_busyRetryMs = 1;
    sqlite3 *m_db = nullptr;
    std::unordered_map<const char *, std::unique_ptr<SqliteStatement>> m_statements;
};
