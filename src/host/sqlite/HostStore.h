#pragma once

#include "FieldDefinition.h"
#include "RecordKind.h"
#include "RecordValues.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class SqliteConnection;
class SqliteStatement;

// Every statement the host runs on its database. Records are rows of `records`; field 1
// of a record is its key (kept in `records.key`), every other field a row of
// `field_values`, absent when empty. Callers own the transactions.
class HostStore
{
public:
    // A value as UTF-8; an empty value clears the field.
    struct ValueWrite
    {
        qint64 record = 0;
        qint32 field = 0;
        QByteArray utf8;
    };
    // Ordered by record and field, as the table's key, so that a batch writes
    // neighbouring rows one after another.
    using ValueWrites = std::vector<ValueWrite>;
    struct LookupEntry
    {
        qint64 position = 0;
        qint64 record = 0;
        QString key;
        // The record's run in the block's values.
        qsizetype firstValue = 0;
        qsizetype endValue = 0;
    };
    // Entries of a lookup with their records' values of some fields (or of every field),
    // read together.
    struct LookupBlock
    {
        QList<LookupEntry> entries;
        RecordValues values;
        bool everyField = true;
        QList<qint32> fields;

        bool holds(qint32 field) const { return everyField || fields.contains(field); }
    };
    // A lookup block reads only the fields asked for when there are at most this many.
    static constexpr int LookupFieldLimit = 8;

    explicit HostStore(SqliteConnection &connection);

    SqliteConnection &connection() { return m_connection; }

    QList<FieldDefinition> fields(RecordKind kind);

    std::optional<qint64> recordByKey(RecordKind kind, const QString &key);
    std::optional<QString> recordKey(qint64 record);
    // Adds a record with this key, or a new key when empty; returns its row ID.
    qint64 addRecord(RecordKind kind, const QString &key);
    // Refused when empty or another record holds it; the current record follows.
    void changeKey(RecordKind kind, qint64 record, const QString &key);
    void forEachRecord(RecordKind kind, const std::function<void(qint64, const QString &)> &each);
    QList<qint64> recordsWithValue(RecordKind kind, qint32 field, const QString &value);

    // A field other than 1; "" when empty.
    QString value(qint64 record, qint32 field);
    void writeValue(qint64 record, qint32 field, const QString &value);
    void writeValues(const ValueWrites &writes);
    RecordValues values(qint64 record);

    qint32 lookupCount(RecordKind kind);
    // Up to limit entries after position, in lookup order, with the values of these
    // fields; of every field when there are more than LookupFieldLimit.
    LookupBlock lookupAfter(
        RecordKind kind, qint64 position, int limit, const QList<qint32> &fields);
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
    void readBlockValues(RecordKind kind, qint64 position, int limit, LookupBlock &block);
    // The statement reading the values of the block's records, bound.
    SqliteStatement &blockValuesStatement(
        RecordKind kind, qint64 position, int limit, qint64 lowest, qint64 highest);
    QString nextKey(RecordKind kind);

    SqliteConnection &m_connection;
};
