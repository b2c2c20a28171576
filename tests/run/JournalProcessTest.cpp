// The run journal, history and undo, with orvanta and orvanta-host started as built.
#include "EndToEnd.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

using Contacts = QMap<std::pair<QString, int>, QString>;

class JournalProcess : public EndToEnd
{
protected:
    QString hostPath() const
    {
        return QFileInfo(m_extraEnvironment.value("ORVANTA_HOST", dbPath())).absoluteFilePath();
    }
    // Every field value of every contact, by key and field ID.
    Contacts contacts() const
    {
        Contacts values;
        const QStringList lines = host({"export"}).split('\n', Qt::SkipEmptyParts);
        const QStringList ids = lines.value(0).split(',');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList cells = lines.at(i).split(',');
            for (qsizetype c = 0; c < cells.size() && c < ids.size(); ++c)
                values[{cells.value(0), ids.at(c).toInt()}] = cells.at(c);
        }
        return values;
    }
    // Runs sql on the journal, creating its folder first; the caller closes it.
    sqlite3 *journalSql(const char *sql) const
    {
        QDir().mkpath(m_dir.filePath("data/orvanta"));
        sqlite3 *db = nullptr;
        EXPECT_EQ(sqlite3_open(journalPath().toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        return db;
    }
};

} // namespace

TEST_F(JournalProcess, EachKindOfRunIsJournaledWithWhatItReplaced)
{
    writeAppFile("calc.ocs", "[25]=[3]*2\\/[26]=7");
    const struct
    {
        QStringList arguments; // the last is the calculation journaled
        QByteArray input;
        QString scope;
    } rows[] = {
        {{"[25]=[3]*2"}, "", "current contact"},
        {{"File:" + m_dir.filePath("calc.ocs")}, "", "current contact"},
        {{"--lookup", "[27]=[4]+1"}, "y\n", "current lookup"},
        {{"--all", "[28]=1"}, "y\n", "all contacts"},
    };
    qint64 expectedNumber = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const Contacts before = contacts();
        ASSERT_EQ(orvanta(row.arguments, row.input).exitCode, 0);
        const Contacts after = contacts();
        const JournalRun run = journal().runs().front();
        EXPECT_EQ(run.number, ++expectedNumber);
        EXPECT_EQ(run.scope, row.scope);
        EXPECT_EQ(run.calculation, row.arguments.last());
        EXPECT_EQ(run.host, hostPath());
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.fields, qint64(journal().writes(run.number).size()));
        // The journal names exactly the fields that changed.
        Contacts changed;
        for (auto it = after.begin(); it != after.end(); ++it)
            if (before.value(it.key()) != it.value())
                changed[it.key()] = it.value();
        Contacts written;
        for (const JournalWrite &write : journal().writes(run.number)) {
            EXPECT_EQ(write.before, before.value({write.record, write.field}));
            if (write.before != write.written)
                written[{write.record, write.field}] = write.written;
        }
        EXPECT_EQ(written, changed);
    }
}

TEST_F(JournalProcess, UndoRestoresTheRunLeavesLaterChangesAndCanItselfBeUndone)
{
    importContacts(300);
    Contacts expected = contacts();
    // Field 25 is written twice: it counts once and gets back its value from before both.
    const char *calculation = "[25]=[3]*2\\/[26]=If([4]>100;1;0)\\/[27]=[3]+[4]\\/[25]=[25]+1";
    ASSERT_EQ(orvanta({"--all", calculation}, "y\n").exitCode, 0);
    host({"goto", "C0003"});
    host({"set", "25", "hand-made"});
    expected[{"C0003", 25}] = "hand-made";
    const Contacts afterRun = contacts();
    EXPECT_EQ(orvanta({"--undo"}, "n\n").exitCode, 1);
    EXPECT_EQ(contacts(), afterRun);
    const Result undo = orvanta({"--undo"}, "y\n");
    EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("Undo run 1 of ")) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("900 fields of 300 records")) << undo.err.toStdString();
    EXPECT_TRUE(undo.err.contains("Run 1 is undone: 899 fields restored.\n1 fields were changed "
                                  "since the run and are left as they are."))
        << undo.err.toStdString();
    EXPECT_EQ(contacts(), expected);

    const QStringList lines = orvanta({"--history"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(1).contains(QRegularExpression(R"(^\s+2\s.*undo of run 1\s+300\s+899\s)")))
        << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).contains(QRegularExpression(R"(^\s+1\s.*all contacts\s+300\s+900\s)")))
        << lines.at(2).toStdString();

    EXPECT_TRUE(orvanta({"--undo"}, "y\n").err.contains("Undo run 2 of "));
    EXPECT_EQ(contacts(), afterRun);
    EXPECT_EQ(journal().runs().size(), 3u);
}

TEST_F(JournalProcess, UndoSaysWhyItCannot)
{
    const auto expectRefused = [&](const QStringList &arguments, int status, const QString &why) {
        const Result r = orvanta(arguments, "y\n");
        EXPECT_EQ(r.exitCode, status);
        EXPECT_TRUE(r.err.contains(why)) << r.err.toStdString();
    };
    expectRefused({"--undo"}, 1, "There is no run to undo.");
    ASSERT_EQ(orvanta({"[25]=1"}).exitCode, 0);
    expectRefused({"--undo", "7"}, 1, "There is no run 7 in the history.");
    expectRefused({"--undo", "x"}, 2, "--undo takes a run number, not x");
    const QString first = hostPath();
    m_extraEnvironment["ORVANTA_HOST"] = m_dir.filePath("other.db");
    host({"init", "--demo"});
    expectRefused(
        {"--undo"}, 1, "Run 1 was made on the host database " + first + ", not on " + hostPath());
}

TEST_F(JournalProcess, AJournalThatCannotBeUsedIsReportedAndTheFieldStillWritten)
{
    sqlite3 *locker = nullptr;
    const struct
    {
        const char *name;
        std::function<void()> spoil;
        const char *message; // also what --history says, when there is a journal
        bool journalLeft;
    } rows[] = {
        {"locked by another run",
            [&] {
                locker = journalSql("PRAGMA journal_mode=WAL; CREATE TABLE t(x); BEGIN IMMEDIATE;");
            },
            "is locked by another run.", false},
        {"damaged", [&] { writeFile(journalPath(), QByteArray(8192, 'x')); }, "is damaged.", true},
        {"newer", [&] { sqlite3_close(journalSql("PRAGMA user_version = 99;")); },
            "was written by a newer version of Orvanta.", true},
        {"no folder for it",
            [&] {
                QDir(m_dir.filePath("data/orvanta")).removeRecursively();
                writeFile(m_dir.filePath("data/orvanta"), {});
            },
            "cannot be opened.", false},
    };
    int value = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        locker = nullptr;
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(journalPath() + suffix);
        row.spoil();
        const QString written = QString::number(++value);
        const Result r = orvanta({"[25]=" + written});
        sqlite3_close(locker);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(field(25), written);
        EXPECT_TRUE(r.err.contains(row.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Your fields are written, but this run is not journaled"));
        const Result history = orvanta({"--history"});
        if (!row.journalLeft) {
            EXPECT_EQ(history.out, "No run has been journaled yet.\n");
            continue;
        }
        EXPECT_EQ(history.exitCode, 1);
        EXPECT_TRUE(history.err.contains(row.message)) << history.err.toStdString();
    }
}
