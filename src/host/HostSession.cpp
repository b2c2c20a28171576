#include "HostSession.h"

#include "HostSchema.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QtDebug>

namespace {
int slot(RecordKind kind)
{
    return kind == RecordKind::Contact ? 0 : 1;
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
    if (m_readAge.isValid() && m_readAge.elapsed() >= BatchMs)
        endRead();
    if (!m_readAge.isValid()) {
        m_connection->statement("BEGIN").exec();
        m_readAge.start();
    }
    return m_store;
}

bool HostSession::hasField(RecordKind kind, qint32 field) const
{
    return m_fields[slot(kind)].contains(field);
}

QString HostSession::value(qint64 record, qint32 field)
{
    const auto pending = m_pendingValues.constFind(qMakePair(record, field));
    if (pending != m_pendingValues.constEnd())
        return *pending;
    HostStore &store = reader();
    if (m_cachedRecord != record) {
        m_cachedValues = store.values(record);
        m_cachedRecord = record;
    }
    return m_cachedValues.value(field);
}

void HostSession::setValue(RecordKind kind, qint64 record, qint32 field, const QString &value)
{
    if (field == 1) {
        // A key must stay unique: checked and written at once, not with the batch.
        writeNow([&](HostStore &store) { store.changeKey(kind, record, value); });
        return;
    }
    if (!m_batchAge.isValid())
        m_batchAge.start();
    m_pendingValues.insert(qMakePair(record, field), value);
    ++m_pendingWrites;
    flushWhenDue();
}

std::optional<HostStore::LookupEntry> HostSession::lookupAfter(RecordKind kind, qint64 position)
{
    HostStore &store = reader();
    bool answered = false;
    const HostStore::LookupEntry *entry = m_readAhead.entryAfter(kind, position, answered);
    if (!answered) {
        m_readAhead.fill(
            kind, position, store.lookupAfter(kind, position, LookupReadAhead::BlockSize));
        entry = m_readAhead.entryAfter(kind, position, answered);
    }
    if (!entry)
        return std::nullopt;
    m_cachedRecord = entry->record;
    m_cachedValues = entry->values;
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
    if (!m_batchAge.isValid())
        m_batchAge.start();
    m_pendingCurrent[slot(kind)] = record;
    flushWhenDue();
}

void HostSession::writeNow(const std::function<void(HostStore &)> &write)
{
    flush();
    endRead();
    SqliteTransaction transaction(*m_connection);
    write(m_store);
    transaction.commit();
}

void HostSession::flush()
{
    if (!m_batchAge.isValid())
        return;
    endRead();
    SqliteTransaction transaction(*m_connection);
    commitPending();
    transaction.commit();
    m_pendingValues.clear();
    m_pendingCurrent[0].reset();
    m_pendingCurrent[1].reset();
    m_pendingWrites = 0;
    m_batchAge.invalidate();
}

void HostSession::flushWhenDue()
{
    if (m_pendingWrites >= BatchWrites || m_batchAge.elapsed() >= BatchMs)
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
    if (!m_readAge.isValid())
        return;
    m_readAge.invalidate();
    m_cachedRecord.reset();
    m_readAhead.clear();
    m_connection->statement("COMMIT").exec();
}
