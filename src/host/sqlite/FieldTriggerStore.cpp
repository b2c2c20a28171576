#include "FieldTriggerStore.h"

#include "SqliteConnection.h"
#include "SqliteStatement.h"

FieldTriggerStore::FieldTriggerStore(SqliteConnection &connection)
    : m_connection(connection)
{
    m_connection.execScript("CREATE TABLE IF NOT EXISTS field_triggers(kind INTEGER NOT NULL, "
                            "field INTEGER NOT NULL, command_line TEXT NOT NULL, "
                            "PRIMARY KEY(kind, field)) WITHOUT ROWID");
}

std::optional<QString> FieldTriggerStore::trigger(RecordKind kind, qint32 field)
{
    return m_connection
        .statement("SELECT command_line FROM field_triggers WHERE kind = ?1 AND field = ?2")
        .bind(1, qint64(kind))
        .bind(2, field)
        .queryText();
}

void FieldTriggerStore::setTrigger(RecordKind kind, qint32 field, const QString &commandLine)
{
    m_connection
        .statement("INSERT OR REPLACE INTO field_triggers(kind, field, command_line) "
                   "VALUES(?1, ?2, ?3)")
        .bind(1, qint64(kind))
        .bind(2, field)
        .bind(3, commandLine)
        .exec();
}

void FieldTriggerStore::clearTrigger(RecordKind kind, qint32 field)
{
    m_connection.statement("DELETE FROM field_triggers WHERE kind = ?1 AND field = ?2")
        .bind(1, qint64(kind))
        .bind(2, field)
        .exec();
}
