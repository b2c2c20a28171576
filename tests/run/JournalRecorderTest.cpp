// The journal's commit protocol, settling a killed run's last commit, and retention,
// through JournalRecorder, PendingWrites and RunJournal on a private journal file.
#include "JournalRecorder.h"
#include "FakeHost.h"
#include "PendingWrites.h"
#include "RecordingDialogs.h"
#include "RunJournal.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The journal with its write-ahead log, which outlives the program that wrote it.
void removeJournal(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + suffix);
}

class JournalRecorderTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("journal.db"); }

    // A recorder whose run started daysAgo days ago.
    std::unique_ptr<JournalRecorder> recorder(int daysAgo = 0)
    {
        auto made = std::make_unique<JournalRecorder>(path(), dialogs, 200);
        made->describe([daysAgo] {
            JournalRun run;
            run.started = QDateTime::currentDateTimeUtc().addDays(-daysAgo);
            run.calculation = QStringLiteral("[25]=1");
            run.scope = QStringLiteral("current contact");
            run.host = QStringLiteral("/tmp/fake.db");
            return run;
        });
        return made;
    }
    RunJournal journal() const { return RunJournal(path(), RunJournal::Mode::ExistingOnly); }
    // A whole run of one write, committed and finished.
    void oneWriteRun(
        int daysAgo, std::optional<JournalRecorder::Retention> retention = std::nullopt)
    {
        auto run = recorder(daysAgo);
        if (retention)
            run->setRetention(*retention);
        run->add("C1", 25, "a", "b");
        run->aboutToCommit(1);
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
            {{Add, 2}, {About, 2}, {Add, 1}, {About, 3}, {Committed, 0}, {Finish, 0}}, 3, 3, true},
        {"writes the host never committed are not kept",
            {{Add, 2}, {About, 2}, {Committed, 0}, {Add, 2}, {About, 2}, {Finish, 0}}, 2, 2, true},
        {"a commit of other state journals nothing", {{Add, 1}, {About, 0}, {Committed, 0}}, 0, 0,
            false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        removeJournal(path());
        auto run = recorder();
        int added = 0;
        for (const auto &[kind, count] : row.steps) {
            if (kind == Add)
                for (int i = 0; i < count; ++i, ++added)
                    run->add(QString::number(added), 25, QString(), QString::number(added));
            else if (kind == About)
                run->aboutToCommit(count);
            else if (kind == Committed)
                run->committed();
            else
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
        const auto confirmed = std::count_if(writes.begin(), writes.end(),
            [&](const JournalWrite &write) { return write.id <= entry.confirmed; });
        EXPECT_EQ(size_t(confirmed), row.confirmed);
        EXPECT_EQ(entry.finished, row.finished);
        EXPECT_EQ(writes.front().written, "0");
        EXPECT_TRUE(dialogs.texts().isEmpty());
    }
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
        removeJournal(path());
        FakeHost host;
        host.add("C1", {{25, row.hostValue}, {26, "x"}});
        host.add("C2", {});
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
        int keepRuns;
        int keepDays;
        std::vector<int> ages; // days, oldest run first
        std::vector<qint64> left; // newest first
    } rows[] = {
        {"old runs beyond the count go", 2, 90, {200, 150, 120, 100}, {4, 3}},
        {"young runs stay beyond the count", 2, 90, {200, 10, 5, 1}, {4, 3, 2}},
        {"the count keeps old runs", 5, 90, {200, 150, 120, 100}, {4, 3, 2, 1}},
        {"a count of one and no days keep the newest only", 1, 0, {3, 2, 1, 0}, {4}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        removeJournal(path());
        for (int age : row.ages)
            oneWriteRun(age, JournalRecorder::Retention {row.keepRuns, row.keepDays});
        std::vector<qint64> left;
        for (const JournalRun &run : journal().runs())
            left.push_back(run.number);
        EXPECT_EQ(left, row.left);
    }
}

TEST_F(JournalRecorderTest, ALargeOldRunIsPrunedInSlicesAndLeavesTheHistoryAtOnce)
{
    {
        auto big = recorder(200);
        for (int i = 0; i < 1000; ++i)
            big->add(QString::number(i), 25, "a", "b");
        big->aboutToCommit(1000);
        big->committed();
        big->finish();
    }
    int runs = 0;
    qint64 firstLeft = 1;
    while (firstLeft == 1 && runs < 10) {
        oneWriteRun(0, JournalRecorder::Retention {1, 90});
        ++runs;
        RunJournal stored = journal();
        EXPECT_EQ(stored.runs().back().number, 2) << "a run being pruned is out of the history";
        firstLeft = stored.writes(1).empty() ? 0 : 1;
    }
    EXPECT_EQ(runs, 4) << "each run deletes a slice of 256 writes";
}

TEST_F(JournalRecorderTest, AnUnusableJournalIsReportedOnceAndTheRunGoesOn)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    auto run = recorder();
    for (int i = 0; i < 3; ++i) {
        run->add("C1", 25, "a", "b");
        run->aboutToCommit(1);
        run->committed();
    }
    run->finish();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_EQ(dialogs.texts().at(0),
        JournalRecorder::notJournaledText(
            QStringLiteral("The run journal %1 is damaged.").arg(path())));
}

// A journal lost part-way holds only part of the run: the run is neither listed nor undone,
// and the next run's pruning deletes what was journaled of it.
TEST_F(JournalRecorderTest, ARunTheJournalLostPartWayIsHiddenAndPruned)
{
    oneWriteRun(0);
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
    oneWriteRun(0);
    EXPECT_TRUE(journal().writes(2).empty());
}
