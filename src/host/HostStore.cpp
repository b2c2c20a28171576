#include "HostStore.h"

#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"

namespace {

// Writes are committed in chunks of this many rows per statement: one step instead of
// one per value.
constexpr int UpsertChunk = 64;

const char *chunkUpsertSql()
{
    static const std::string sql = [] {
        std::string text = "INSERT INTO field_values(record, field, value) VALUES(?, ?, ?)";
        for (int row = 1; row < UpsertChunk; ++row)
            text += ", (?, ?, ?)";
        return text + " ON CONFLICT(record, field) DO UPDATE SET value = excluded.value";
    }();
    return sql.c_str();
}

} // namespace

HostStore::HostStore(SqliteConnection &connection)
    : m_connection(connection)
{
}

QList<FieldDefinition> HostStore::fields(RecordKind kind)
{
    QList<FieldDefinition> result;
    m_connection
        .statement("SELECT id, label, type, position FROM fields WHERE kind = ?1 "
                   "ORDER BY position")
        .bind(1, qint64(kind))
        .forEachRow([&](const SqliteStatement &row) {
            result.append({qint32(row.columnInt(0)), row.columnText(1), int(row.columnInt(2)),
                int(row.columnInt(3))});
        });
    return result;
}

std::optional<qint64> HostStore::recordByKey(RecordKind kind, const QString &key)
{
    return m_connection.statement("SELECT id FROM records WHERE key = ?1 AND kind = ?2")
        .bind(1, key)
        .bind(2, qint64(kind))
        .queryInt();
}

std::optional<QString> HostStore::recordKey(qint64 record)
{
    return m_connection.statement("SELECT key FROM records WHERE id = ?1")
        .bind(1, record)
        .queryText();
}

qint64 HostStore::addRecord(RecordKind kind, const QString &key)
{
    const QString newKey = key.isEmpty() ? nextKey(kind) : key;
    if (m_connection.statement("SELECT 1 FROM records WHERE key = ?1").bind(1, newKey).queryInt())
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("The key %1 is already used").arg(newKey));
    return *m_connection.statement("INSERT INTO records(kind, key) VALUES(?1, ?2) RETURNING id")
                .bind(1, qint64(kind))
                .bind(2, newKey)
                .queryInt();
}

void HostStore::changeKey(RecordKind kind, qint64 record, const QString &key)
{
    const std::optional<qint64> holder = recordByKey(kind, key);
    if (holder == record)
        return;
    if (key.isEmpty() || holder
        || m_connection.statement("SELECT 1 FROM records WHERE key = ?1").bind(1, key).queryInt())
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            key.isEmpty() ? QStringLiteral("Field 1 (the key) cannot be empty")
                          : QStringLiteral("The key %1 is already used").arg(key));
    m_connection.statement("UPDATE records SET key = ?1 WHERE id = ?2")
        .bind(1, key)
        .bind(2, record)
        .exec();
}

void HostStore::forEachRecord(
    RecordKind kind, const std::function<void(qint64, const QString &)> &each)
{
    m_connection.statement("SELECT id, key FROM records WHERE kind = ?1 ORDER BY id")
        .bind(1, qint64(kind))
        .forEachRow([&](const SqliteStatement &row) { each(row.columnInt(0), row.columnText(1)); });
}

QList<qint64> HostStore::recordsWithValue(RecordKind kind, qint32 field, const QString &value)
{
    QList<qint64> records;
    const auto collect = [&](const SqliteStatement &row) { records.append(row.columnInt(0)); };
    if (field == 1) {
        if (const auto record = recordByKey(kind, value))
            records.append(*record);
    } else if (value.isEmpty()) {
        m_connection
            .statement("SELECT id FROM records r WHERE kind = ?1 AND NOT EXISTS "
                       "(SELECT 1 FROM field_values v WHERE v.record = r.id AND v.field = ?2) "
                       "ORDER BY id")
            .bind(1, qint64(kind))
            .bind(2, field)
            .forEachRow(collect);
    } else {
        m_connection
            .statement("SELECT r.id FROM records r JOIN field_values v "
                       "ON v.record = r.id AND v.field = ?2 "
                       "WHERE r.kind = ?1 AND v.value = ?3 ORDER BY r.id")
            .bind(1, qint64(kind))
            .bind(2, field)
            .bind(3, value)
            .forEachRow(collect);
    }
    return records;
}

QString HostStore::value(qint64 record, qint32 field)
{
    return m_connection.statement("SELECT value FROM field_values WHERE record = ?1 AND field = ?2")
        .bind(1, record)
        .bind(2, field)
        .queryText()
        .value_or(QString());
}

void HostStore::writeValue(qint64 record, qint32 field, const QString &value)
{
    if (value.isEmpty()) {
        m_connection.statement("DELETE FROM field_values WHERE record = ?1 AND field = ?2")
            .bind(1, record)
            .bind(2, field)
            .exec();
        return;
    }
    m_connection
        .statement("INSERT INTO field_values(record, field, value) VALUES(?1, ?2, ?3) "
                   "ON CONFLICT(record, field) DO UPDATE SET value = excluded.value")
        .bind(1, record)
        .bind(2, field)
        .bind(3, value)
        .exec();
}

void HostStore::writeValues(const ValueWrites &writes)
{
    QList<ValueWrites::const_iterator> rows;
    for (auto it = writes.cbegin(); it != writes.cend(); ++it) {
        if (it.value().isEmpty())
            writeValue(it.key().first, it.key().second, QString());
        else
            rows.append(it);
    }
    qsizetype done = 0;
    for (; rows.size() - done >= UpsertChunk; done += UpsertChunk) {
        SqliteStatement &chunk = m_connection.statement(chunkUpsertSql());
        for (int row = 0; row < UpsertChunk; ++row) {
            const auto &it = rows.at(done + row);
            chunk.bind(3 * row + 1, it.key().first)
                .bind(3 * row + 2, it.key().second)
                .bind(3 * row + 3, it.value());
        }
        chunk.exec();
    }
    for (; done < rows.size(); ++done)
        writeValue(rows.at(done).key().first, rows.at(done).key().second, rows.at(done).value());
}

RecordValues HostStore::values(qint64 record)
{
    RecordValues result;
    m_connection.statement("SELECT field, value FROM field_values WHERE record = ?1")
        .bind(1, record)
        .forEachRow([&](const SqliteStatement &row) {
            result.append(qint32(row.columnInt(0)), row.columnText(1));
        });
    return result;
}

qint32 HostStore::lookupCount(RecordKind kind)
{
    return qint32(*m_connection.statement("SELECT count(*) FROM lookup WHERE kind = ?1")
                       .bind(1, qint64(kind))
                       .queryInt());
}

QList<HostStore::LookupEntry> HostStore::lookupAfter(RecordKind kind, qint64 position, int limit)
{
    QList<LookupEntry> entries;
    m_connection
        .statement("SELECT l.position, l.record, v.field, v.value FROM "
                   "(SELECT position, record FROM lookup WHERE kind = ?1 AND position > ?2 "
                   "ORDER BY position LIMIT ?3) l "
                   "LEFT JOIN field_values v ON v.record = l.record")
        .bind(1, qint64(kind))
        .bind(2, position)
        .bind(3, limit)
        .forEachRow([&](const SqliteStatement &row) {
            const qint64 at = row.columnInt(0);
            if (entries.isEmpty() || entries.last().position != at)
                entries.append({at, row.columnInt(1), {}});
            if (!row.columnIsNull(2))
                entries.last().values.append(qint32(row.columnInt(2)), row.columnText(3));
        });
    return entries;
}

std::optional<qint64> HostStore::lookupPositionOf(RecordKind kind, qint64 record)
{
    return m_connection
        .statement("SELECT position FROM lookup WHERE kind = ?1 AND record = ?2 "
                   "ORDER BY position LIMIT 1")
        .bind(1, qint64(kind))
        .bind(2, record)
        .queryInt();
}

void HostStore::setLookupAll(RecordKind kind)
{
    m_connection.statement("DELETE FROM lookup WHERE kind = ?1").bind(1, qint64(kind)).exec();
    m_connection
        .statement("INSERT INTO lookup(kind, position, record) "
                   "SELECT ?1, row_number() OVER (ORDER BY id) - 1, id FROM records "
                   "WHERE kind = ?1")
        .bind(1, qint64(kind))
        .exec();
}

void HostStore::setLookup(RecordKind kind, const QList<qint64> &records)
{
    m_connection.statement("DELETE FROM lookup WHERE kind = ?1").bind(1, qint64(kind)).exec();
    for (qint64 record : records)
        appendToLookup(kind, record);
}

void HostStore::appendToLookup(RecordKind kind, qint64 record)
{
    m_connection
        .statement("INSERT INTO lookup(kind, position, record) "
                   "SELECT ?1, coalesce(max(position) + 1, 0), ?2 FROM lookup WHERE kind = ?1")
        .bind(1, qint64(kind))
        .bind(2, record)
        .exec();
}

void HostStore::forEachInLookup(
    RecordKind kind, const std::function<void(qint64, const QString &)> &each)
{
    m_connection
        .statement("SELECT l.record, r.key FROM lookup l JOIN records r ON r.id = l.record "
                   "WHERE l.kind = ?1 ORDER BY l.position")
        .bind(1, qint64(kind))
        .forEachRow([&](const SqliteStatement &row) { each(row.columnInt(0), row.columnText(1)); });
}

QString HostStore::state(const QString &key)
{
    return m_connection.statement("SELECT value FROM state WHERE key = ?1")
        .bind(1, key)
        .queryText()
        .value_or(QString());
}

void HostStore::setState(const QString &key, const QString &value)
{
    m_connection
        .statement("INSERT INTO state(key, value) VALUES(?1, ?2) "
                   "ON CONFLICT(key) DO UPDATE SET value = excluded.value")
        .bind(1, key)
        .bind(2, value)
        .exec();
}

void HostStore::logCommand(int command)
{
    m_connection
        .statement("INSERT INTO log(time, command) "
                   "VALUES(strftime('%Y-%m-%dT%H:%M:%fZ', 'now'), ?1)")
        .bind(1, command)
        .exec();
}

void HostStore::forEachLogEntry(const std::function<void(const QString &, int)> &each)
{
    m_connection.statement("SELECT time, command FROM log ORDER BY id")
        .forEachRow(
            [&](const SqliteStatement &row) { each(row.columnText(0), int(row.columnInt(1))); });
}

QString HostStore::nextKey(RecordKind kind)
{
    const bool contact = kind == RecordKind::Contact;
    const QString &counterKey
        = contact ? HostStateKeys::NextContactNumber : HostStateKeys::NextGroupNumber;
    qint64 number = qMax(1, state(counterKey).toInt());
    QString key;
    do {
        key = contact ? QStringLiteral("C%1").arg(number, 4, 10, QLatin1Char('0'))
                      : QStringLiteral("G%1").arg(number, 3, 10, QLatin1Char('0'));
        ++number;
    } while (
        m_connection.statement("SELECT 1 FROM records WHERE key = ?1").bind(1, key).queryInt());
    setState(counterKey, QString::number(number));
    return key;
}
