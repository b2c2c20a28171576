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

// The attached host: one connection shared by the application and its views.
//
// What a run reads of records and what it writes back are one unit against other
// writers: the first record read takes the database's write lock (a batch), the
// writes are kept in memory and go in with the batch's commit. A batch ends at a
// record boundary (a move of a view) once it holds BatchWrites writes or is BatchMs
// old, or when the run commits, so another writer waits at most one batch for its
// turn and a run killed outright loses at most its last batch. After a batch the
// session pauses briefly, so that a waiting writer gets the lock before the next one.
// Reads of the host's state (the active view, the open database) only share a read
// transaction, so a window that only shows them never holds the write lock.
class HostSession
{
public:
    static constexpr int BatchWrites = 1024;
    static constexpr qint64 BatchMs = 200;
    static constexpr int PauseAfterBatchMs = 2;
    static constexpr int LongRunRetryMs = 5;

    explicit HostSession(const QString &path);
    // Commits what is left; a failure there can only be logged. Runs commit themselves.
    ~HostSession();

    // The store, inside at least a read transaction: for the host's state.
    HostStore &reader();
    // The store, inside the batch that holds the write lock: for records.
    HostStore &batchStore();

    bool hasField(RecordKind kind, qint32 field) const;

    QString value(RecordKind kind, qint64 record, qint32 field);
    void setValue(RecordKind kind, qint64 record, qint32 field, const QString &value);

    // The entry of the kind's lookup after this position; its record's values are kept
    // for the reads that follow.
    std::optional<HostStore::LookupEntry> lookupAfter(RecordKind kind, qint64 position);

    // The database's current record of this kind, as the views move it.
    std::optional<qint64> currentRecord(RecordKind kind);
    void setCurrentRecord(RecordKind kind, qint64 record);

    // Runs one write at once, all or nothing: inside the open batch, else in a
    // transaction of its own.
    // fieldWrites: the SetField calls it carries, for the commit listener.
    void writeNow(const std::function<void(HostStore &)> &write, int fieldWrites = 0);

    // A view moved to another record: the batch is committed when it is due.
    void recordBoundary();
    // Commits the batch and ends every transaction; throws when the database refuses,
    // and the batch's writes are then lost.
    void commit();

    const QString &path() const { return m_path; }
    // The next read starts a new read transaction and so sees other programs' commits.
    void refreshReads();

    // The record's key when the walk read it with the record, else nothing.
    std::optional<QString> walkedKey(qint64 record) const;

    // Told around every commit that carries field writes. Returns the listener replaced.
    HostCommitListener *watchCommits(HostCommitListener *listener);

private:
    enum class Transaction { None, Read, Batch };

    void writePending();
    void endTransaction(const char *sql);
    // Commits the open transaction, telling the listener how many field writes it holds.
    void commitWrites(int fieldWrites);
    void forgetBatch();
    void dropCachedValues();
    void noteFieldRead(RecordKind kind, qint32 field);
    // The pending writes, kept in key order.
    HostStore::ValueWrites::iterator pendingWriteSlot(qint64 record, qint32 field);
    const HostStore::ValueWrite *pendingWrite(qint64 record, qint32 field);
    void addPendingWrite(qint64 record, qint32 field, const QString &value);
    bool batchIsDue() const;

    QString m_path;
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
    Transaction m_transaction = Transaction::None;
    // When the batch began, on a coarse clock.
    qint64 m_batchStart = 0;
};
