#pragma once

#include "FieldDefinition.h"
#include "RecordKind.h"
#include "RecordValues.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class SqliteConnection;

// Every statement the host runs on its database. Records are rows of `records`; field 1
// of a record is its key (kept in `records.key`), every other field a row of
// `field_values`, absent when empty. Callers own the transactions.
class HostStore
{
public:
    // Values by record and field; an empty value clears the field.
    using ValueWrites = QHash<QPair<qint64, qint32>, QString>;
    struct LookupEntry
    {
        qint64 position = 0;
        qint64 record = 0;
        RecordValues values; // the record's fields, read in the same statement
    };

    explicit HostStore(SqliteConnection &connection);

    SqliteConnection &connection() { return m_connection; }

    QList<FieldDefinition> fields(RecordKind kind);

    std::optional<qint64> recordByKey(RecordKind kind, const QString &key);
    std::optional<QString> recordKey(qint64 record);
    // Adds a record with this key, or a new key when empty; returns its row ID.
    qint64 addRecord(RecordKind kind, const QString &key);
    void changeKey(RecordKind kind, qint64 record, const QString &key);
    void forEachRecord(RecordKind kind, const std::function<void(qint64, const QString &)> &each);
    QList<qint64> recordsWithValue(RecordKind kind, qint32 field, const QString &value);

    // A field other than 1; "" when empty.
    QString value(qint64 record, qint32 field);
    void writeValue(qint64 record, qint32 field, const QString &value);
    void writeValues(const ValueWrites &writes);
    RecordValues values(qint64 record);

    qint32 lookupCount(RecordKind kind);
    // Up to limit entries after position, in lookup order.
    QList<LookupEntry> lookupAfter(RecordKind kind, qint64 position, int limit);
    std::optional<qint64> lookupPositionOf(RecordKind kind, qint64 record);
    void setLookupAll(RecordKind kind);
    void setLookup(RecordKind kind, const QList<qint64> &records);
    void appendToLookup(RecordKind kind, qint64 record);
    void forEachInLookup(RecordKind kind, const std::function<void(qint64, const QString &)> &each);

    QString state(const QString &key);
    void setState(const QString &key, const QString &value);

    void logCommand(int command);
    void forEachLogEntry(const std::function<void(const QString &, int)> &each);

private:
    QString nextKey(RecordKind kind);

    SqliteConnection &m_connection;
};
