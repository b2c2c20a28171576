#include "HostSession.h"

#include "HostCommitListener.h"
#include "HostNumbers.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QThread>
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
    : m_path(path)
    , m_connection(HostSchema::openExisting(path))
    , m_store(*m_connection)
{
    for (RecordKind kind : {RecordKind::Contact, RecordKind::Group})
        for (const FieldDefinition &field : m_store.fields(kind))
            m_fields[slot(kind)].insert(field.id);
}

HostSession::~HostSession()
{
    try {
        commit();
    } catch (const OrvantaError &error) {
        qWarning("orvanta host: last writes not saved: %s", error.what());
    }
}

HostStore &HostSession::reader()
{
    if (m_transaction == Transaction::Read && batchIsDue())
        endTransaction("COMMIT");
    if (m_transaction == Transaction::None) {
        m_connection->statement("BEGIN").exec();
        m_transaction = Transaction::Read;
        m_batchStart = coarseMilliseconds();
    }
    return m_store;
}

HostStore &HostSession::batchStore()
{
    if (m_transaction == Transaction::Batch)
        return m_store;
    if (m_transaction == Transaction::Read)
        endTransaction("COMMIT");
    m_connection->statement("BEGIN IMMEDIATE").exec();
    m_transaction = Transaction::Batch;
    m_batchStart = coarseMilliseconds();
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
    HostStore &store = batchStore();
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
    if (field == HostField::Key) {
        // A key must stay unique: checked and written at once, not with the batch.
        writeNow([&](HostStore &store) { store.changeKey(kind, record, value); }, 1);
        return;
    }
    // A write that follows no read needs the lock only when the batch is committed.
    addPendingWrite(record, field, value);
    ++m_pendingWrites;
}

std::optional<HostStore::LookupEntry> HostSession::lookupAfter(RecordKind kind, qint64 position)
{
    HostStore &store = batchStore();
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
    m_pendingCurrent[slot(kind)] = record;
}

void HostSession::writeNow(const std::function<void(HostStore &)> &write, int fieldWrites)
{
    if (m_transaction == Transaction::Batch) {
        m_connection->statement("SAVEPOINT write_now").exec();
        try {
            write(m_store);
        } catch (...) {
            m_connection->statement("ROLLBACK TO write_now").exec();
            m_connection->statement("RELEASE write_now").exec();
            throw;
        }
        m_connection->statement("RELEASE write_now").exec();
        // Committed with the batch, and counted there.
        m_pendingWrites += fieldWrites;
        // The write may change what was read ahead: a key, or the lookup itself.
        dropCachedValues();
        m_readAhead.clear();
        return;
    }
    if (m_transaction == Transaction::Read)
        endTransaction("COMMIT");
    SqliteTransaction transaction(*m_connection);
    write(m_store);
    if (m_commitListener)
        m_commitListener->aboutToCommit(fieldWrites);
    transaction.commit();
    if (m_commitListener)
        m_commitListener->committed();
}

std::optional<QString> HostSession::walkedKey(qint64 record) const
{
    if (m_cachedEntry && m_cachedEntry->record == record)
        return m_cachedEntry->key;
    return std::nullopt;
}

HostCommitListener *HostSession::watchCommits(HostCommitListener *listener)
{
    return std::exchange(m_commitListener, listener);
}

void HostSession::recordBoundary()
{
    if (m_transaction != Transaction::Batch || (m_pendingWrites < BatchWrites && !batchIsDue()))
        return;
    commit();
    // Short runs try every millisecond and this one, long now, less often: the pause
    // lets one of them in before the next batch, ahead of other long runs.
    m_connection->setBusyRetryMs(LongRunRetryMs);
    QThread::usleep(PauseAfterBatchMs * 1000);
}

void HostSession::commit()
{
    const bool pending = m_pendingWrites > 0 || m_pendingCurrent[0] || m_pendingCurrent[1];
    if (!pending) {
        if (m_transaction != Transaction::None)
            endTransaction("COMMIT");
        return;
    }
    try {
        batchStore();
        writePending();
        commitWrites(m_pendingWrites);
    } catch (...) {
        forgetBatch();
        if (m_transaction != Transaction::None) {
            try {
                endTransaction("ROLLBACK");
            } catch (const OrvantaError &) {
                // SQLite rolled the transaction back itself.
            }
            m_transaction = Transaction::None;
        }
        throw;
    }
    forgetBatch();
}

void HostSession::refreshReads()
{
    // A batch holds the write lock, so nobody else can have committed meanwhile.
    if (m_transaction != Transaction::Read)
        return;
    try {
        endTransaction("COMMIT");
    } catch (const OrvantaError &) {
        // Ending a read cannot lose anything; the next read reports what is wrong.
    }
}

void HostSession::writePending()
{
    m_store.writeValues(m_pendingValues);
    for (RecordKind kind : {RecordKind::Contact, RecordKind::Group}) {
        if (!m_pendingCurrent[slot(kind)])
            continue;
        if (const auto key = m_store.recordKey(*m_pendingCurrent[slot(kind)]))
            m_store.setState(HostStateKeys::currentRecord(kind), *key);
    }
}

void HostSession::endTransaction(const char *sql)
{
    // Whatever was read belongs to this transaction: another writer may change it next.
    dropCachedValues();
    m_readAhead.clear();
    m_transaction = Transaction::None;
    m_connection->statement(sql).exec();
}

void HostSession::commitWrites(int fieldWrites)
{
    if (m_commitListener)
        m_commitListener->aboutToCommit(fieldWrites);
    endTransaction("COMMIT");
    if (m_commitListener)
        m_commitListener->committed();
}

void HostSession::forgetBatch()
{
    m_pendingValues.clear();
    m_pendingCurrent[0].reset();
    m_pendingCurrent[1].reset();
    m_pendingWrites = 0;
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

bool HostSession::batchIsDue() const
{
    return coarseMilliseconds() - m_batchStart >= BatchMs;
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
