#pragma once

class SqliteConnection;

// A write transaction taken at once (BEGIN IMMEDIATE), so two writers queue on the busy
// timeout instead of failing halfway; rolled back unless committed. A read transaction
// (Lock::None) takes no lock until it writes, and then only of the temporary tables.
class SqliteTransaction
{
public:
    enum class Lock { Write, None };

    explicit SqliteTransaction(SqliteConnection &connection, Lock lock = Lock::Write);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit();

private:
    SqliteConnection &m_connection;
    bool m_open = true;
};
