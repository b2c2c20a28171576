#pragma once

#include "JournalEntries.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Orvanta's own record of what its runs wrote: an SQLite database beside the program's
// other data, never inside the host's database, so it serves every host. Every failure
// throws JournalError with a text for the user.
class RunJournal
{
public:
    static constexpr int Version = 1;
    static constexpr int BusyTimeoutMs = 3000;
    enum class Mode { CreateIfMissing, ExistingOnly };

    // $XDG_DATA_HOME/orvanta/journal.db
    static QString defaultPath();

    RunJournal(const QString &path, Mode mode, int busyTimeoutMs = BusyTimeoutMs);
    ~RunJournal();
    RunJournal(const RunJournal &) = delete;
    RunJournal &operator=(const RunJournal &) = delete;

    const QString &path() const { return m_path; }

    // A large run copies its log into the journal less often, and empties it at the end.
    void expectManyWrites();
    void emptyLog();

    // Runs work in one write transaction; rolled back when work throws.
    void transaction(const std::function<void()> &work);

    qint64 addRun(const JournalRun &run);
    // Writes of one record, kept together; returns their ID.
    qint64 addWrites(qint64 run, const JournalWrite *first, int count);
    void updateProgress(qint64 run, qint64 records, qint64 fields, qint64 confirmed,
        qint64 firstWrite, qint64 lastWrite);
    void finishRun(qint64 run, qint64 confirmed);

    // Newest first; runs being pruned are gone already.
    std::vector<JournalRun> runs();
    std::optional<JournalRun> run(qint64 number);
    std::optional<JournalRun> newestRun();
    // In the order written.
    std::vector<JournalWrite> writes(qint64 run);
    // Forgets the writes of a run after this one (they never reached the host) and
    // counts the rest again.
    void dropWritesAfter(qint64 run, qint64 lastKept);
    // Hides a run the journal lost track of part-way; pruning deletes it next.
    void abandonRun(qint64 run);

    // Deletes at most budget writes of runs that are neither among the keepRuns newest
    // nor younger than keepDays; a run goes when its last write has gone.
    void prune(int keepRuns, int keepDays, int budget);

private:
    sqlite3_stmt *prepared(int slot, const char *sql);
    void exec(const char *sql);
    // Runs a statement once with ?1 the run and ?2 the value; the rows it changed.
    int execute(const char *sql, qint64 run, qint64 value = 0);
    std::optional<JournalRun> foundRun(sqlite3_stmt *statement);
    void createOrCheckSchema();
    [[noreturn]] void fail() const;
    JournalRun readRun(sqlite3_stmt *statement) const;
    std::optional<qint64> oldestPrunableRun(int keepRuns, int keepDays);

    QString m_path;
    sqlite3 *m_db = nullptr;
    std::vector<sqlite3_stmt *> m_statements;
};
