#pragma once

#include "RecordKind.h"

#include <QString>
#include <optional>

class SqliteConnection;

// The command lines the host runs when a field changes, one per field of a record kind.
// Databases made before triggers existed get their table on first use. Callers own the
// transactions.
class FieldTriggerStore
{
public:
    explicit FieldTriggerStore(SqliteConnection &connection);

    std::optional<QString> trigger(RecordKind kind, qint32 field);
    void setTrigger(RecordKind kind, qint32 field, const QString &commandLine);
    void clearTrigger(RecordKind kind, qint32 field);

private:
    SqliteConnection &m_connection;
};
