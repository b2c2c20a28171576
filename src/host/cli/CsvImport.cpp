#include "CsvImport.h"

#include "CsvReader.h"
#include "HostNumbers.h"
#include "HostStateKeys.h"
#include "HostStore.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

// A record of the file (row), its key, the record it updates or adds (a new one is
// numbered after the highest row ID when the file was read), the place of a
// keyless record among the keyless ones, and its values (packed by appendValue).
const char *const StagingSql = R"(
PRAGMA temp_store = FILE;
CREATE TEMP TABLE import_rows(row INTEGER PRIMARY KEY, line INTEGER NOT NULL,
    key TEXT NOT NULL, record INTEGER, keyless INTEGER, new INTEGER NOT NULL DEFAULT 0,
    field_values BLOB NOT NULL);
CREATE INDEX temp.import_rows_by_key ON import_rows(key);
)";

const char *const DropStagingSql = "DROP TABLE IF EXISTS temp.import_rows;";

// A merge writes this many values per call of the store.
constexpr size_t WriteChunk = 4096;

// A record's values as one blob, each as its field, its length in bytes and its UTF-8.
void appendValue(QByteArray &packed, qint32 field, const QByteArray &utf8)
{
    const qint32 header[2] = {field, qint32(utf8.size())};
    packed.append(reinterpret_cast<const char *>(header), sizeof header);
    packed.append(utf8);
}

void unpackValues(qint64 record, QByteArrayView packed, HostStore::ValueWrites &writes)
{
    qsizetype at = 0;
    while (at < packed.size()) {
        qint32 header[2];
        std::memcpy(header, packed.data() + at, sizeof header);
        at += sizeof header;
        writes.push_back({record, header[0], packed.sliced(at, header[1]).toByteArray()});
        at += header[1];
    }
}

// The keys the host gives new records, as HostStore numbers them.
const char *keyFormat(RecordKind kind)
{
    return kind == RecordKind::Contact ? "C%04d" : "G%03d";
}

} // namespace

CsvImport::CsvImport(SqliteConnection &connection, HostStore &store, RecordKind kind)
    : m_connection(connection)
    , m_store(store)
    , m_kind(kind)
{
}

CsvImport::~CsvImport()
{
    try {
        m_connection.execScript(DropStagingSql);
    } catch (const OrvantaError &) {
        // The temporary tables go with the connection anyway.
    }
}

qint64 CsvImport::run(const QString &path)
{
    m_path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    m_fields = m_store.fields(m_kind);
    m_connection.execScript(StagingSql);
    CsvReader reader(file);
    try {
        const QList<qint32> columns = headerFields(reader);
        m_rows = stage(reader, columns);
    } catch (const OrvantaError &error) {
        if (error.description().startsWith(QLatin1String("line ")))
            refuse(error.description());
        throw;
    }
    merge();
    return m_rows;
}

QList<qint32> CsvImport::headerFields(CsvReader &reader)
{
    const std::optional<CsvReader::Record> header = reader.next();
    if (!header)
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("%1 has no header line").arg(m_path));
    QList<qint32> columns;
    for (const QString &text : header->values) {
        const QString name = text.trimmed();
        bool isNumber = false;
        const qint32 id = name.toInt(&isNumber);
        const auto field
            = std::find_if(m_fields.cbegin(), m_fields.cend(), [&](const FieldDefinition &f) {
                  return isNumber ? f.id == id : f.label.compare(name, Qt::CaseInsensitive) == 0;
              });
        if (field == m_fields.cend())
            refuse(QStringLiteral("line %1: unknown field '%2'").arg(header->line).arg(text));
        if (columns.contains(field->id))
            refuse(QStringLiteral("line %1: the field %2 (%3) is named twice")
                       .arg(header->line)
                       .arg(field->id)
                       .arg(field->label));
        columns.append(field->id);
    }
    return columns;
}

// Reads the file into the temporary tables. Only a read transaction is open on the
// database meanwhile, which keeps no other program waiting.
qint64 CsvImport::stage(CsvReader &reader, const QList<qint32> &columns)
{
    SqliteTransaction transaction(m_connection, SqliteTransaction::Lock::None);
    m_highestRecordId = highestRecordId();
    qint64 rows = 0;
    while (const std::optional<CsvReader::Record> record = reader.next()) {
        if (record->values.size() != columns.size())
            refuse(QStringLiteral("line %1: %2 values where the header has %3")
                       .arg(record->line)
                       .arg(record->values.size())
                       .arg(columns.size()));
        stageRecord(record->line, record->values, columns);
        ++rows;
    }
    refuseKeysOfOtherKinds();
    assignNewKeys();
    transaction.commit();
    return rows;
}

void CsvImport::stageRecord(int line, const QStringList &values, const QList<qint32> &columns)
{
    const qsizetype keyColumn = columns.indexOf(HostField::Key);
    const QString key = keyColumn >= 0 ? values.at(keyColumn) : QString();
    std::optional<qint64> record;
    if (!key.isEmpty()) {
        if (const auto earlier
            = m_connection.statement("SELECT line FROM temp.import_rows WHERE key = ?1")
                  .bind(1, key)
                  .queryInt())
            refuse(QStringLiteral("line %1: the key %2 is already on line %3")
                       .arg(line)
                       .arg(key)
                       .arg(*earlier));
        record = m_store.recordByKey(m_kind, key);
    }
    QByteArray packed;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        // An empty value clears the field of an existing record and means nothing to a
        // new one. A record that another program adds meanwhile counts as new here.
        if (c == keyColumn || (values.at(c).isEmpty() && !record))
            continue;
        appendValue(packed, columns.at(c), values.at(c).toUtf8());
    }
    SqliteStatement &addRow
        = m_connection.statement("INSERT INTO temp.import_rows(line, key, record, keyless, "
                                 "new, field_values) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    addRow.bind(1, line).bind(2, key).bindUtf8(6, packed);
    addRow.bind(3, record ? *record : m_highestRecordId + ++m_newRecords);
    key.isEmpty() ? addRow.bind(4, m_keyless++) : addRow.bindNull(4);
    addRow.bind(5, record ? 0 : 1);
    if (!key.isEmpty())
        ++m_keyed;
    addRow.exec();
}

// Everything but the writes themselves was settled while the file was read; that still
// holds unless another program added records since.
void CsvImport::merge()
{
    SqliteTransaction transaction(m_connection);
    if (highestRecordId() != m_highestRecordId)
        throw OrvantaError(OrvantaError::InvalidProcedureCall,
            QStringLiteral("another program added records while %1 was read; nothing was "
                           "imported, try again")
                .arg(m_path));
    addNewRecords();
    writeValues();
    transaction.commit();
}

qint64 CsvImport::highestRecordId()
{
    return *m_connection.statement("SELECT coalesce(max(id), 0) FROM main.records").queryInt();
}

void CsvImport::refuseKeysOfOtherKinds()
{
    m_connection
        .statement("SELECT i.line, i.key, r.kind FROM temp.import_rows i "
                   "JOIN main.records r ON r.key = i.key WHERE i.new = 1 LIMIT 1")
        .forEachRow([&](const SqliteStatement &row) {
            refuse(QStringLiteral("line %1: the key %2 belongs to one of the %3")
                       .arg(row.columnInt(0))
                       .arg(row.columnText(1), recordKindPlural(RecordKind(row.columnInt(2)))));
        });
}

// Keyless records get the host's next keys, numbered on from the host's counter (past
// any run of those numbers that is taken already); they are written with the records.
void CsvImport::assignNewKeys()
{
    if (m_keyless == 0)
        return;
    const QString &counterKey = m_kind == RecordKind::Contact ? HostStateKeys::NextContactNumber
                                                              : HostStateKeys::NextGroupNumber;
    qint64 first = qMax(1, m_store.state(counterKey).toInt());
    const QString format = QString::fromLatin1(keyFormat(m_kind));
    const auto taken = [&](qint64 from) {
        const bool inDatabase
            = *m_connection
                   .statement("SELECT EXISTS (SELECT 1 FROM temp.import_rows i "
                              "JOIN main.records r ON r.key = printf(?1, ?2 + i.keyless) "
                              "WHERE i.key = '')")
                   .bind(1, format)
                   .bind(2, from)
                   .queryInt();
        return inDatabase
            || (m_keyed > 0
                && *m_connection
                        .statement("SELECT EXISTS (SELECT 1 FROM temp.import_rows i "
                                   "JOIN temp.import_rows j ON j.key = printf(?1, ?2 + i.keyless) "
                                   "WHERE i.key = '')")
                        .bind(1, format)
                        .bind(2, from)
                        .queryInt());
    };
    // Past every key of that form, should the numbers ahead be in use.
    while (taken(first))
        first += m_keyless;
    m_firstKeyNumber = first;
}

void CsvImport::addNewRecords()
{
    if (m_keyless > 0)
        m_store.setState(m_kind == RecordKind::Contact ? HostStateKeys::NextContactNumber
                                                       : HostStateKeys::NextGroupNumber,
            QString::number(m_firstKeyNumber + m_keyless));
    const qint64 lookupStart = m_store.lookupCount(m_kind);
    m_connection
        .statement("INSERT INTO main.records(id, kind, key) "
                   "SELECT record, ?1, CASE WHEN key = '' THEN printf(?2, ?3 + keyless) "
                   "ELSE key END FROM temp.import_rows WHERE new = 1 ORDER BY row")
        .bind(1, qint64(m_kind))
        .bind(2, QString::fromLatin1(keyFormat(m_kind)))
        .bind(3, m_firstKeyNumber)
        .exec();
    m_connection
        .statement("INSERT INTO main.lookup(kind, position, record) "
                   "SELECT ?1, ?2 + row_number() OVER (ORDER BY row) - 1, record "
                   "FROM temp.import_rows WHERE new = 1")
        .bind(1, qint64(m_kind))
        .bind(2, lookupStart)
        .exec();
    const QString &current = HostStateKeys::currentRecord(m_kind);
    const QString currentKey = m_store.state(current);
    if (!currentKey.isEmpty() && m_store.recordByKey(m_kind, currentKey))
        return;
    if (const auto firstNew
        = m_connection
              .statement("SELECT CASE WHEN key = '' THEN printf(?1, ?2 + keyless) ELSE key END "
                         "FROM temp.import_rows WHERE new = 1 ORDER BY row LIMIT 1")
              .bind(1, QString::fromLatin1(keyFormat(m_kind)))
              .bind(2, m_firstKeyNumber)
              .queryText())
        m_store.setState(current, *firstNew);
}

void CsvImport::writeValues()
{
    HostStore::ValueWrites writes;
    writes.reserve(WriteChunk + 64);
    m_connection.statement("SELECT record, field_values FROM temp.import_rows ORDER BY row")
        .forEachRow([&](const SqliteStatement &row) {
            unpackValues(row.columnInt(0), row.columnUtf8(1), writes);
            if (writes.size() < WriteChunk)
                return;
            m_store.writeValues(writes);
            writes.clear();
        });
    m_store.writeValues(writes);
}

void CsvImport::refuse(const QString &what) const
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall, m_path + QLatin1Char(' ') + what);
}
