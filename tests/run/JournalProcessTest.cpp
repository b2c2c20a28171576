// The run journal, history and undo, with orvanta and orvanta-host started as built.
#include "EndToEnd.h"

#include <QRegularExpression>
#include <QThread>
#include <signal.h>
#include <sqlite3.h>

namespace {

// The journal with its write-ahead log, which outlives the program that wrote it.
void removeJournal(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + suffix);
}

class JournalProcess : public EndToEnd
{
protected:
    QString hostPath() const { return m_extraEnvironment.value("ORVANTA_HOST", dbPath()); }
    // The fields the newest run has journaled so far, read beside the run.
    qint64 journaledFields() const
    {
        try {
            const std::vector<JournalRun> journaled = runs();
            return journaled.empty() ? 0 : journaled.front().fields;
        } catch (const std::exception &) {
            return 0;
        }
    }
    // Every field value of every contact, by key and field ID.
    QMap<std::pair<QString, int>, QString> contacts() const
    {
        QMap<std::pair<QString, int>, QString> values;
        const QStringList lines = host({"export"}).split('\n', Qt::SkipEmptyParts);
        const QStringList ids = lines.value(0).split(',');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList cells = lines.at(i).split(',');
            for (qsizetype c = 0; c < cells.size() && c < ids.size(); ++c)
                values[{cells.value(0), ids.at(c).toInt()}] = cells.at(c);
        }
        return values;
    }
    // Runs SQL on the journal, creating the folder first.
    void journalSql(const char *sql) const
    {
        QDir().mkpath(m_dir.filePath("data/orvanta"));
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(journalPath().toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(db);
    }
};

} // namespace

TEST_F(JournalProcess, EachKindOfRunIsJournaledWithWhatItReplaced)
{
    writeAppFile("calc.ocs", "[25]=[3]*2\\/[26]=7");
    const struct
    {
        QStringList arguments;
        QByteArray input;
        QString scope;
        QString calculation;
    } rows[] = {
        {{"[25]=[3]*2"}, "", "current contact", "[25]=[3]*2"},
        {{"File:" + m_dir.filePath("calc.ocs")}, "", "current contact",
            "File:" + m_dir.filePath("calc.ocs")},
        {{"--lookup", "[27]=[4]+1"}, "y\n", "current lookup", "[27]=[4]+1"},
        {{"--all", "[28]=1"}, "y\n", "all contacts", "[28]=1"},
    };
    qint64 expectedNumber = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const auto before = contacts();
        ASSERT_EQ(orvanta(row.arguments, row.input).exitCode, 0);
        const auto after = contacts();
        const JournalRun run = runs().front();
        EXPECT_EQ(run.number, ++expectedNumber);
        EXPECT_EQ(run.scope, row.scope);
        EXPECT_EQ(run.calculation, row.calculation);
        EXPECT_EQ(run.host, QFileInfo(hostPath()).absoluteFilePath());
        EXPECT_TRUE(run.finished);
        // The journal names exactly the fields that changed, with both values.
        QMap<std::pair<QString, int>, QString> changed;
        for (auto it = after.begin(); it != after.end(); ++it)
            if (before.value(it.key()) != it.value())
                changed[it.key()] = it.value();
        QMap<std::pair<QString, int>, QString> journaled;
        for (const JournalWrite &write : writes(run.number)) {
            EXPECT_EQ(write.before, before.value({write.record, write.field}));
            if (write.before != write.written)
                journaled[{write.record, write.field}] = write.written;
        }
        EXPECT_EQ(journaled, changed);
        EXPECT_EQ(run.fields, qint64(writes(run.number).size()));
    }
}

TEST_F(JournalProcess, UndoAfterAllRestoresEveryFieldAndCanItselfBeUndone)
{
    importContacts(300);
    const auto before = contacts();
    ASSERT_EQ(
        orvanta({"--all", "[25]=[3]*2\\/[26]=If([4]>100;1;0)\\/[27]=[3]+[4]"}, "y\n").exitCode, 0);
    const auto afterRun = contacts();
    ASSERT_NE(afterRun, before);
    EXPECT_EQ(orvanta({"--undo"}, "n\n").exitCode, 1);
    EXPECT_EQ(contacts(), afterRun);
    const Result undo = orvanta({"--undo"}, "y\n");
    EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("Undo run 1 of ")) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("900 fields of 300 records")) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("Run 1 is undone: 900 fields restored.\n"));
    EXPECT_EQ(contacts(), before);

    const QStringList lines = orvanta({"--history"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(1).contains(QRegularExpression(R"(^\s+2\s.*undo of run 1\s+300\s+900\s)")))
        << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).contains(QRegularExpression(R"(^\s+1\s.*all contacts\s+300\s+900\s)")))
        << lines.at(2).toStdString();

    const Result again = orvanta({"--undo"}, "y\n");
    EXPECT_TRUE(again.err.contains("Undo run 2 of ")) << again.err.toStdString();
    EXPECT_EQ(contacts(), afterRun);
    EXPECT_EQ(runs().size(), 3u);
}

TEST_F(JournalProcess, FieldsChangedSinceAreLeftAloneAndCounted)
{
    importContacts(300);
    ASSERT_EQ(orvanta({"--all", "[25]=[3]*2\\/[26]=5"}, "y\n").exitCode, 0);
    host({"goto", "C0003"});
    host({"set", "25", "hand-made"});
    host({"goto", "C0007"});
    host({"set", "26", "also"});
    const Result undo = orvanta({"--undo", "1"}, "y\n");
    EXPECT_TRUE(undo.err.contains("Run 1 is undone: 598 fields restored.\n2 fields were changed "
                                  "since the run and are left as they are."))
        << undo.err.toStdString();
    EXPECT_EQ(field(25, "C0003"), "hand-made");
    EXPECT_EQ(field(26, "C0007"), "also");
    EXPECT_EQ(field(25, "C0004"), "");
}

TEST_F(JournalProcess, RunKilledHalfWayLeavesJournalMatchingTheHost)
{
    importContacts(20000);
    const auto before = contacts();
    const auto run = launch("orvanta", {"--all", "[25]=[3]*2\\/[26]=[4]+1"}, "y\n");
    QProcess &process = *run;
    process.waitForBytesWritten(5000);
    // Kill once a few batches have been journaled, well before the end.
    for (int i = 0; i < 5000 && journaledFields() < 3000; ++i)
        QThread::msleep(1);
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished();
    ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << "the run ended before the kill";

    const auto killed = contacts();
    ASSERT_NE(killed, before);
    // The history settles the last commit against the host.
    const QString history = orvanta({"--history"}).out;
    EXPECT_FALSE(history.contains("cut short")) << history.toStdString();
    QMap<std::pair<QString, int>, QString> journaled;
    for (const JournalWrite &write : writes(1)) {
        EXPECT_EQ(write.before, before.value({write.record, write.field}));
        journaled[{write.record, write.field}] = write.written;
    }
    for (auto it = killed.begin(); it != killed.end(); ++it) {
        const auto key = it.key();
        if (journaled.contains(key))
            ASSERT_EQ(it.value(), journaled.value(key)) << key.first.toStdString();
        else
            ASSERT_EQ(it.value(), before.value(key)) << key.first.toStdString();
    }
    EXPECT_LT(journaled.size(), 40000);
    EXPECT_EQ(runs().front().fields, qint64(journaled.size()));

    ASSERT_EQ(orvanta({"--undo"}, "y\n").exitCode, 0);
    EXPECT_EQ(contacts(), before);
}

TEST_F(JournalProcess, UndoSaysWhyItCannot)
{
    const Result nothing = orvanta({"--undo"});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_TRUE(nothing.err.contains("There is no run to undo.")) << nothing.err.toStdString();
    EXPECT_TRUE(orvanta({"--history"}).out.contains("No run has been journaled yet."));

    ASSERT_EQ(orvanta({"[25]=1"}).exitCode, 0);
    const Result missing = orvanta({"--undo", "7"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("There is no run 7 in the history."));

    const QString first = QFileInfo(hostPath()).absoluteFilePath();
    m_extraEnvironment["ORVANTA_HOST"] = m_dir.filePath("other.db");
    host({"init", "--demo"});
    const Result elsewhere = orvanta({"--undo"}, "y\n");
    EXPECT_EQ(elsewhere.exitCode, 1);
    EXPECT_TRUE(elsewhere.err.contains("Run 1 was made on the host database " + first + ", not on "
        + QFileInfo(hostPath()).absoluteFilePath()))
        << elsewhere.err.toStdString();

    const Result badNumber = orvanta({"--undo", "x"});
    EXPECT_EQ(badNumber.exitCode, 2);
    EXPECT_TRUE(badNumber.err.contains("--undo takes a run number, not x"));
}

TEST_F(JournalProcess, AJournalThatCannotBeUsedIsReportedAndTheFieldStillWritten)
{
    const struct
    {
        const char *name;
        std::function<void()> spoil;
        const char *message;
        const char *history; // what --history says
    } rows[] = {
        {"damaged",
            [&] {
                QDir().mkpath(m_dir.filePath("data/orvanta"));
                QFile file(journalPath());
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(8192, 'x'));
            },
            "is damaged.", "is damaged."},
        {"newer", [&] { journalSql("PRAGMA user_version = 99;"); },
            "was written by a newer version of Orvanta.",
            "was written by a newer version of Orvanta."},
        {"no folder for it",
            [&] {
                QDir(m_dir.filePath("data/orvanta")).removeRecursively();
                QFile file(m_dir.filePath("data/orvanta"));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            },
            "cannot be opened.", nullptr},
    };
    int value = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        removeJournal(journalPath());
        row.spoil();
        const QString written = QString::number(++value);
        const Result r = orvanta({"[25]=" + written});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(field(25), written);
        EXPECT_TRUE(r.err.contains(row.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Your fields are written, but this run is not journaled"));
        const Result history = orvanta({"--history"});
        if (!row.history) {
            EXPECT_EQ(history.out, "No run has been journaled yet.\n");
            continue;
        }
        EXPECT_EQ(history.exitCode, 1);
        EXPECT_TRUE(history.err.contains(row.history)) << history.err.toStdString();
    }
}

TEST_F(JournalProcess, AJournalLockedByAnotherRunIsReportedAndTheFieldStillWritten)
{
    journalSql("PRAGMA journal_mode=WAL; CREATE TABLE t(x);");
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(journalPath().toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr),
        SQLITE_OK);
    const Result r = orvanta({"[25]=42"});
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(field(25), "42");
    EXPECT_TRUE(r.err.contains("is locked by another run.")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Your fields are written, but this run is not journaled"));
    // Free again, the next run is journaled.
    ASSERT_EQ(orvanta({"[25]=43"}).exitCode, 0);
    EXPECT_EQ(runs().size(), 1u);
}
