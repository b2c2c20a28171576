#pragma once

#include "HostStore.h"
#include "LookupReadAhead.h"
#include "RecordKind.h"

#include <QSet>
#include <functional>
#include <memory>
#include <optional>

class HostCommitListener;
class SqliteConnection;
class SqliteTransaction;

// The attached host: one connection shared by the application and its views. Field
// writes are kept in a batch and committed in one short transaction every
// BatchWrites writes, every BatchMs milliseconds and when the session ends, so a run
// killed outright loses at most its last batch and another writer waits at most one
// short commit for its turn. Reads see the pending writes; they share one read
// transaction until the next commit or for BatchMs, since taking the database's read
// lock for every statement would cost more than the statement.
class HostSession
{
public:
    static constexpr int BatchWrites = 1024;
    static constexpr qint64 BatchMs = 200;

    explicit HostSession(const QString &path);
    ~HostSession();

    // The store, inside the session's read transaction.
    HostStore &reader();

    bool hasField(RecordKind kind, qint32 field) const;

    QString value(RecordKind kind, qint64 record, qint32 field);
    void setValue(RecordKind kind, qint64 record, qint32 field, const QString &value);

    // The entry of the kind's lookup after this position; its record's values are kept
    // for the reads that follow.
    std::optional<HostStore::LookupEntry> lookupAfter(RecordKind kind, qint64 position);

    // The record's key when the walk read it with the record, else nothing.
    std::optional<QString> walkedKey(qint64 record) const;

    // The database's current record of this kind, as the views move it.
    std::optional<qint64> currentRecord(RecordKind kind);
    void setCurrentRecord(RecordKind kind, qint64 record);

    // Runs one command in its own transaction after committing the batch, so the
    // order of writes is kept. fieldWrites: the SetField calls it carries.
    void writeNow(const std::function<void(HostStore &)> &write, int fieldWrites = 0);

    void flush();

    // Returns the listener replaced.
    HostCommitListener *watchCommits(HostCommitListener *listener);

private:
    void commit(SqliteTransaction &transaction, int fieldWrites);
    void flushWhenDue();
    void commitPending();
    void endRead();
    void dropCachedValues();
    void noteFieldRead(RecordKind kind, qint32 field);
    // The pending writes, kept in key order.
    HostStore::ValueWrites::iterator pendingWriteSlot(qint64 record, qint32 field);
    const HostStore::ValueWrite *pendingWrite(qint64 record, qint32 field);
    void addPendingWrite(qint64 record, qint32 field, const QString &value);
    static bool isDue(const std::optional<qint64> &since);

    std::unique_ptr<SqliteConnection> m_connection;
    HostCommitListener *m_commitListener = nullptr;
    HostStore m_store;
    QSet<qint32> m_fields[2];
    HostStore::ValueWrites m_pendingValues;
    // The fields read so far: the read-ahead fetches only these.
    QList<qint32> m_readFields[2];
    // The values of the record read last: a run reads a few fields of each record in
    // turn. In the read-ahead when the walk moved there (m_cachedEntry), else loaded in
    // one statement. Dropped with the read transaction.
    std::optional<qint64> m_cachedRecord;
    std::optional<HostStore::LookupEntry> m_cachedEntry;
    RecordValues m_cachedValues;
    LookupReadAhead m_readAhead;
    std::optional<qint64> m_pendingCurrent[2];
    int m_pendingWrites = 0;
    // When the batch and the read transaction began, on a coarse clock.
    std::optional<qint64> m_batchStart;
    std::optional<qint64> m_readStart;
};
