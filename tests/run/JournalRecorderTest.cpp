// The journal's commit protocol, settling a killed run's last commit, and retention,
// through JournalRecorder, PendingWrites and RunJournal on a private journal file.
#include "JournalRecorder.h"
#include "PendingWrites.h"
#include "RunFixture.h"
#include "RunJournal.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class JournalRecorderTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("journal.db"); }

    // With its write-ahead log, which outlives the program that wrote it.
    void removeJournal() const
    {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path() + suffix);
    }
    // A recorder whose run started daysAgo days ago.
    std::unique_ptr<JournalRecorder> recorder(int daysAgo = 0)
    {
        auto made = std::make_unique<JournalRecorder>(path(), dialogs, 200);
        made->describe([daysAgo] {
            JournalRun run;
            run.started = QDateTime::currentDateTimeUtc().addDays(-daysAgo);
            return run;
        });
        return made;
    }
    RunJournal journal() const { return RunJournal(path(), RunJournal::Mode::ExistingOnly); }
    // A whole run of count writes, committed and finished.
    void committedRun(int daysAgo, JournalRecorder::Retention retention, int count = 1)
    {
        auto run = recorder(daysAgo);
        run->setRetention(retention);
        for (int i = 0; i < count; ++i)
            run->add(QString::number(i), 25, "a", "b");
        run->aboutToCommit(count);
        run->committed();
        run->finish();
    }

    RecordingDialogs dialogs;

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(JournalRecorderTest, WritesAreJournaledBeforeTheHostCommitsAndConfirmedAfter)
{
    enum Kind { Add, About, Committed, Finish };
    const struct
    {
        const char *name;
        std::vector<std::pair<Kind, int>> steps;
        size_t journaled;
        size_t confirmed;
        bool finished;
    } rows[] = {
        {"a commit announced but not seen is unconfirmed", {{Add, 3}, {About, 2}}, 2, 0, false},
        {"the next commit confirms the one before",
            {{Add, 3}, {About, 2}, {Committed, 0}, {About, 1}}, 3, 2, false},
        {"a commit tried again carries what was announced",
            {{Add, 2}, {About, 2}, {Add, 2}, {About, 3}, {Committed, 0}, {Finish, 0}}, 3, 3, true},
        {"writes the host never committed are not kept",
            {{Add, 2}, {About, 2}, {Committed, 0}, {Add, 2}, {About, 2}, {Finish, 0}}, 2, 2, true},
        {"a commit of other state journals nothing", {{Add, 1}, {About, 0}, {Committed, 0}}, 0, 0,
            false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        removeJournal();
        auto run = recorder();
        int added = 0;
        for (const auto &[kind, count] : row.steps) {
            for (int i = 0; kind == Add && i < count; ++i, ++added)
                run->add(QString::number(added), 25, QString(), QString::number(added));
            if (kind == About)
                run->aboutToCommit(count);
            else if (kind == Committed)
                run->committed();
            else if (kind == Finish)
                run->finish();
        }
        if (row.journaled == 0) {
            EXPECT_FALSE(QFile::exists(path()));
            continue;
        }
        RunJournal stored = journal();
        const JournalRun entry = stored.runs().at(0);
        const std::vector<JournalWrite> writes = stored.writes(entry.number);
        ASSERT_EQ(writes.size(), row.journaled);
        EXPECT_EQ(size_t(std::count_if(writes.begin(), writes.end(),
                      [&](const JournalWrite &write) { return write.id <= entry.confirmed; })),
            row.confirmed);
        EXPECT_EQ(entry.finished, row.finished);
        EXPECT_TRUE(dialogs.texts().isEmpty());
    }
}

// A message shown part-way through a record commits what it wrote so far; the record
// still counts once.
TEST_F(JournalRecorderTest, ARecordWrittenInTwoCommitsCountsOnce)
{
    auto run = recorder();
    for (int field : {25, 26}) {
        run->add("C1", field, "a", "b");
        run->aboutToCommit(1);
        run->committed();
    }
    run->finish();
    const JournalRun entry = journal().runs().at(0);
    EXPECT_EQ(entry.records, 1);
    EXPECT_EQ(entry.fields, 2);
}

TEST_F(JournalRecorderTest, AKilledRunsLastCommitIsSettledByTheHostsValues)
{
    const struct
    {
        const char *name;
        QString hostValue;
        size_t kept;
    } rows[] = {
        {"the host holds the written value: the commit arrived", "5", 2},
        {"the host holds the value before: it never arrived", "old", 1},
        {"the value changed since tells nothing: kept for the undo to count", "other", 2},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        FakeHost host;
        host.add("C1", {{25, row.hostValue}, {26, "x"}});
        host.add("C2", {});
        removeJournal();
        {
            auto run = recorder();
            run->add("C2", 26, "", "y");
            run->aboutToCommit(1);
            run->committed();
            run->add("C1", 25, "old", "5");
            run->aboutToCommit(1);
            // Killed here: neither the commit's end nor the run's is seen.
        }
        RunJournal stored = journal();
        const JournalRun killed = stored.runs().at(0);
        EXPECT_FALSE(killed.finished);
        host.current = 1;
        PendingWrites::settle(stored, killed, *host.Create(1, "CV"));
        const JournalRun settled = *stored.run(killed.number);
        EXPECT_TRUE(settled.finished);
        EXPECT_EQ(stored.writes(killed.number).size(), row.kept);
        EXPECT_EQ(size_t(settled.fields), row.kept);
        EXPECT_EQ(host.current, 1) << "the current record is given back";
    }
}

TEST_F(JournalRecorderTest, RetentionKeepsTheNewestRunsOrTheRecentDaysWhicheverKeepsMore)
{
    const struct
    {
        const char *name;
        JournalRecorder::Retention retention;
        std::vector<int> ages; // days, oldest run first
        std::vector<qint64> left; // newest first
    } rows[] = {
        {"old runs beyond the count go", {2, 90}, {200, 150, 120, 100}, {4, 3}},
        {"young runs stay beyond the count", {2, 90}, {200, 10, 5, 1}, {4, 3, 2}},
        {"a count of one and no days keep the newest only", {1, 0}, {3, 2, 1, 0}, {4}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        removeJournal();
        for (int age : row.ages)
            committedRun(age, row.retention);
        std::vector<qint64> left;
        for (const JournalRun &run : journal().runs())
            left.push_back(run.number);
        EXPECT_EQ(left, row.left);
    }
}

TEST_F(JournalRecorderTest, ALargeOldRunIsPrunedInSlicesAndLeavesTheHistoryAtOnce)
{
    committedRun(200, {1000, 0}, 1000);
    int runs = 0;
    while (!journal().writes(1).empty() && runs < 10) {
        committedRun(0, {1, 90});
        ++runs;
        EXPECT_EQ(journal().runs().back().number, 2) << "a run being pruned is out of the history";
    }
    EXPECT_EQ(runs, 4) << "each run deletes a slice of 256 writes";
}

// A journal lost part-way holds only part of the run: the run is neither listed nor undone,
// and the next run's pruning deletes what was journaled of it.
TEST_F(JournalRecorderTest, ARunTheJournalLostPartWayIsHiddenAndPruned)
{
    committedRun(0, {100, 90});
    auto run = recorder();
    run->add("C1", 25, "a", "b");
    run->aboutToCommit(1);
    run->committed();
    sqlite3 *locker = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &locker), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    run->add("C2", 25, "a", "b");
    run->aboutToCommit(1);
    run->committed();
    sqlite3_exec(locker, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(locker);
    run->finish();
    EXPECT_EQ(dialogs.texts().size(), 1);
    const std::vector<JournalRun> runs = journal().runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs.front().number, 1);
    EXPECT_EQ(journal().writes(2).size(), 1u);
    committedRun(0, {100, 90});
    EXPECT_TRUE(journal().writes(2).empty());
}
