#pragma once

class SqliteConnection;

// A write transaction taken at once (BEGIN IMMEDIATE), so two writers queue on the busy
// timeout instead of failing halfway; rolled back unless committed.
class SqliteTransaction
{
public:
    explicit SqliteTransaction(SqliteConnection &connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit();

private:
    SqliteConnection &m_connection;
    bool m_open = true;
};
