#include "HostStore.h"

#include "HostNumbers.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"

#include <algorithm>

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
    const std::optional<QString> oldKey = recordKey(record);
    if (oldKey == key)
        return;
    if (key.isEmpty())
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("Field 1 (the key) cannot be empty"));
    if (const auto holder
        = m_connection.statement("SELECT kind FROM records WHERE key = ?1").bind(1, key).queryInt())
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("Field 1 (the key) cannot become %1: one of the %2 has that key")
                .arg(key, recordKindPlural(RecordKind(*holder))));
    m_connection.statement("UPDATE records SET key = ?1 WHERE id = ?2")
        .bind(1, key)
        .bind(2, record)
        .exec();
    // The current record is kept by its key, which must follow.
    const QString &current = HostStateKeys::currentRecord(kind);
    if (oldKey && state(current) == *oldKey)
        setState(current, key);
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
    if (field == HostField::Key) {
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
    std::vector<const ValueWrite *> rows;
    rows.reserve(writes.size());
    for (const ValueWrite &write : writes) {
        if (write.utf8.isEmpty())
            writeValue(write.record, write.field, QString());
        else
            rows.push_back(&write);
    }
    size_t done = 0;
    for (; rows.size() - done >= UpsertChunk; done += UpsertChunk) {
        SqliteStatement &chunk = m_connection.statement(chunkUpsertSql());
        for (int row = 0; row < UpsertChunk; ++row) {
            const ValueWrite &write = *rows[done + row];
            chunk.bind(3 * row + 1, write.record)
                .bind(3 * row + 2, write.field)
                .bindUtf8(3 * row + 3, write.utf8);
        }
        chunk.exec();
    }
    for (; done < rows.size(); ++done)
        m_connection
            .statement("INSERT INTO field_values(record, field, value) VALUES(?1, ?2, ?3) "
                       "ON CONFLICT(record, field) DO UPDATE SET value = excluded.value")
            .bind(1, rows[done]->record)
            .bind(2, rows[done]->field)
            .bindUtf8(3, rows[done]->utf8)
            .exec();
}

RecordValues HostStore::values(qint64 record)
{
    RecordValues result;
    m_connection.statement("SELECT field, value FROM field_values WHERE record = ?1")
        .bind(1, record)
        .forEachRow([&](const SqliteStatement &row) {
            result.append(qint32(row.columnInt(0)), row.columnUtf8(1));
        });
    return result;
}

qint32 HostStore::lookupCount(RecordKind kind)
{
    // Every writer of the lookup numbers its positions 0, 1, 2... without gaps, so the
    // last position gives the count without counting a long lookup.
    return qint32(
        *m_connection.statement("SELECT coalesce(max(position) + 1, 0) FROM lookup WHERE kind = ?1")
             .bind(1, qint64(kind))
             .queryInt());
}

HostStore::LookupBlock HostStore::lookupAfter(
    RecordKind kind, qint64 position, int limit, const QList<qint32> &fields)
{
    LookupBlock block;
    block.everyField = fields.size() > LookupFieldLimit;
    if (!block.everyField)
        block.fields = fields;
    block.entries.reserve(limit);
    m_connection
        .statement("SELECT l.position, l.record, r.key FROM lookup l JOIN records r "
                   "ON r.id = l.record WHERE l.kind = ?1 AND l.position > ?2 "
                   "ORDER BY l.position LIMIT ?3")
        .bind(1, qint64(kind))
        .bind(2, position)
        .bind(3, limit)
        .forEachRow([&](const SqliteStatement &row) {
            block.entries.append({row.columnInt(0), row.columnInt(1), row.columnText(2)});
        });
    if (!block.entries.isEmpty())
        readBlockValues(kind, position, limit, block);
    return block;
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

void HostStore::readBlockValues(RecordKind kind, qint64 position, int limit, LookupBlock &block)
{
    // The values arrive in record order; each entry gets its record's run of them.
    QList<std::pair<qint64, qsizetype>> byRecord;
    byRecord.reserve(block.entries.size());
    for (qsizetype entry = 0; entry < block.entries.size(); ++entry)
        byRecord.append({block.entries.at(entry).record, entry});
    std::sort(byRecord.begin(), byRecord.end());
    SqliteStatement &query = blockValuesStatement(
        kind, position, limit, byRecord.first().first, byRecord.last().first);
    qsizetype next = 0;
    qint64 runRecord = -1;
    qsizetype runStart = 0;
    query.forEachRow([&](const SqliteStatement &row) {
        // Unwanted fields are skipped here: a filter in SQL costs more than the rows it saves.
        const qint32 field = qint32(row.columnInt(1));
        if (!block.holds(field))
            return;
        const qint64 record = row.columnInt(0);
        while (next < byRecord.size() && byRecord.at(next).first < record)
            ++next;
        if (next == byRecord.size() || byRecord.at(next).first != record)
            return; // a record between two of the block's that is not in the lookup
        if (record != runRecord) {
            runRecord = record;
            runStart = block.values.size();
        }
        block.values.append(field, row.columnUtf8(2));
        for (qsizetype at = next; at < byRecord.size() && byRecord.at(at).first == record; ++at) {
            LookupEntry &entry = block.entries[byRecord.at(at).second];
            entry.firstValue = runStart;
            entry.endValue = block.values.size();
        }
    });
}

SqliteStatement &HostStore::blockValuesStatement(
    RecordKind kind, qint64 position, int limit, qint64 lowest, qint64 highest)
{
    // Records of a lookup in record order lie close together in the table: one range
    // read is much cheaper than a seek per record. Scattered records are sought.
    if (highest - lowest < 2 * qint64(limit))
        return m_connection
            .statement("SELECT record, field, value FROM field_values "
                       "WHERE record BETWEEN ?1 AND ?2 ORDER BY record")
            .bind(1, lowest)
            .bind(2, highest);
    return m_connection
        .statement("SELECT record, field, value FROM field_values "
                   "WHERE record IN (SELECT record FROM lookup WHERE kind = ?1 "
                   "AND position > ?2 ORDER BY position LIMIT ?3) ORDER BY record")
        .bind(1, qint64(kind))
        .bind(2, position)
        .bind(3, limit);
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
