#include "HostSession.h"

#include "HostCommitListener.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QtDebug>
#include <algorithm>
#include <time.h>
#include <utility>

namespace {
int slot(RecordKind kind)
{
    return kind == RecordKind::Contact ? 0 : 1;
}

// The deadlines are checked on every call and need no finer grain than a few
// milliseconds, which this clock gives at a fraction of the cost of the precise one.
qint64 coarseMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
} // namespace

HostSession::HostSession(const QString &path)
    : m_connection(HostSchema::openExisting(path))
    , m_store(*m_connection)
{
    for (RecordKind kind : {RecordKind::Contact, RecordKind::Group})
        for (const FieldDefinition &field : m_store.fields(kind))
            m_fields[slot(kind)].insert(field.id);
}

HostSession::~HostSession()
{
    try {
        flush();
        endRead();
    } catch (const OrvantaError &error) {
        qWarning("orvanta host: last writes not saved: %s", error.what());
    }
}

HostStore &HostSession::reader()
{
    if (isDue(m_readStart))
        endRead();
    if (!m_readStart) {
        m_connection->statement("BEGIN").exec();
        m_readStart = coarseMilliseconds();
    }
    return m_store;
}

bool HostSession::hasField(RecordKind kind, qint32 field) const
{
    return m_fields[slot(kind)].contains(field);
}

QString HostSession::value(RecordKind kind, qint64 record, qint32 field)
{
    if (const HostStore::ValueWrite *pending = pendingWrite(record, field))
        return QString::fromUtf8(pending->utf8);
    HostStore &store = reader();
    noteFieldRead(kind, field);
    if (m_cachedEntry && m_cachedRecord == record && m_readAhead.holds(field))
        return m_readAhead.value(*m_cachedEntry, field);
    if (m_cachedRecord != record || m_cachedEntry) {
        m_cachedValues = store.values(record);
        m_cachedEntry.reset();
        m_cachedRecord = record;
    }
    return m_cachedValues.value(field);
}

void HostSession::setValue(RecordKind kind, qint64 record, qint32 field, const QString &value)
{
    if (field == 1) {
        // A key must stay unique: checked and written at once, not with the batch.
        writeNow([&](HostStore &store) { store.changeKey(kind, record, value); }, 1);
        return;
    }
    if (!m_batchStart)
        m_batchStart = coarseMilliseconds();
    addPendingWrite(record, field, value);
    ++m_pendingWrites;
    flushWhenDue();
}

std::optional<HostStore::LookupEntry> HostSession::lookupAfter(RecordKind kind, qint64 position)
{
    HostStore &store = reader();
    bool answered = false;
    const HostStore::LookupEntry *entry = m_readAhead.entryAfter(kind, position, answered);
    if (!answered) {
        dropCachedValues();
        m_readAhead.fill(kind, position,
            store.lookupAfter(
                kind, position, LookupReadAhead::BlockSize, m_readFields[slot(kind)]));
        entry = m_readAhead.entryAfter(kind, position, answered);
    }
    if (!entry)
        return std::nullopt;
    m_cachedRecord = entry->record;
    m_cachedEntry = *entry;
    return *entry;
}

std::optional<QString> HostSession::walkedKey(qint64 record) const
{
    if (m_cachedEntry && m_cachedEntry->record == record)
        return m_cachedEntry->key;
    return std::nullopt;
}

std::optional<qint64> HostSession::currentRecord(RecordKind kind)
{
    if (m_pendingCurrent[slot(kind)])
        return m_pendingCurrent[slot(kind)];
    const QString key = reader().state(HostStateKeys::currentRecord(kind));
    if (key.isEmpty())
        return std::nullopt;
    return reader().recordByKey(kind, key);
}

void HostSession::setCurrentRecord(RecordKind kind, qint64 record)
{
    if (!m_batchStart)
        m_batchStart = coarseMilliseconds();
    m_pendingCurrent[slot(kind)] = record;
    flushWhenDue();
}

void HostSession::writeNow(const std::function<void(HostStore &)> &write, int fieldWrites)
{
    flush();
    endRead();
    SqliteTransaction transaction(*m_connection);
    write(m_store);
    commit(transaction, fieldWrites);
}

void HostSession::flush()
{
    if (!m_batchStart)
        return;
    endRead();
    SqliteTransaction transaction(*m_connection);
    commitPending();
    commit(transaction, m_pendingWrites);
    m_pendingValues.clear();
    m_pendingCurrent[0].reset();
    m_pendingCurrent[1].reset();
    m_pendingWrites = 0;
    m_batchStart.reset();
}

HostCommitListener *HostSession::watchCommits(HostCommitListener *listener)
{
    return std::exchange(m_commitListener, listener);
}

void HostSession::commit(SqliteTransaction &transaction, int fieldWrites)
{
    if (m_commitListener)
        m_commitListener->aboutToCommit(fieldWrites);
    transaction.commit();
    if (m_commitListener)
        m_commitListener->committed();
}

void HostSession::flushWhenDue()
{
    if (m_pendingWrites >= BatchWrites || isDue(m_batchStart))
        flush();
}

void HostSession::commitPending()
{
    m_store.writeValues(m_pendingValues);
    for (RecordKind kind : {RecordKind::Contact, RecordKind::Group}) {
        if (!m_pendingCurrent[slot(kind)])
            continue;
        if (const auto key = m_store.recordKey(*m_pendingCurrent[slot(kind)]))
            m_store.setState(HostStateKeys::currentRecord(kind), *key);
    }
}

void HostSession::endRead()
{
    if (!m_readStart)
        return;
    m_readStart.reset();
    dropCachedValues();
    m_readAhead.clear();
    m_connection->statement("COMMIT").exec();
}

void HostSession::dropCachedValues()
{
    m_cachedRecord.reset();
    m_cachedEntry.reset();
}

void HostSession::noteFieldRead(RecordKind kind, qint32 field)
{
    QList<qint32> &fields = m_readFields[slot(kind)];
    if (!fields.contains(field))
        fields.append(field);
}

bool HostSession::isDue(const std::optional<qint64> &since)
{
    return since && coarseMilliseconds() - *since >= BatchMs;
}

HostStore::ValueWrites::iterator HostSession::pendingWriteSlot(qint64 record, qint32 field)
{
    // A walk writes in record order, so the slot is nearly always at the end.
    const auto before = [](const HostStore::ValueWrite &write, std::pair<qint64, qint32> key) {
        return std::pair(write.record, write.field) < key;
    };
    const std::pair key(record, field);
    if (m_pendingValues.empty() || before(m_pendingValues.back(), key))
        return m_pendingValues.end();
    return std::lower_bound(m_pendingValues.begin(), m_pendingValues.end(), key, before);
}

const HostStore::ValueWrite *HostSession::pendingWrite(qint64 record, qint32 field)
{
    const auto slot = pendingWriteSlot(record, field);
    if (slot == m_pendingValues.end() || slot->record != record || slot->field != field)
        return nullptr;
    return &*slot;
}

void HostSession::addPendingWrite(qint64 record, qint32 field, const QString &value)
{
    const auto slot = pendingWriteSlot(record, field);
    if (slot != m_pendingValues.end() && slot->record == record && slot->field == field)
        slot->utf8 = value.toUtf8();
    else
        m_pendingValues.insert(slot, {record, field, value.toUtf8()});
}
