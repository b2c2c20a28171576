#include "SqliteTransaction.h"

#include "SqliteConnection.h"
#include "SqliteStatement.h"

SqliteTransaction::SqliteTransaction(SqliteConnection &connection, Lock lock)
    : m_connection(connection)
{
    m_connection.statement(lock == Lock::Write ? "BEGIN IMMEDIATE" : "BEGIN").exec();
}

SqliteTransaction::~SqliteTransaction()
{
    if (!m_open)
        return;
    try {
        m_connection.statement("ROLLBACK").exec();
    } catch (...) {
        // The transaction is gone already (the connection rolled it back itself).
    }
}

void SqliteTransaction::commit()
{
    m_connection.statement("COMMIT").exec();
    m_open = false;
}
