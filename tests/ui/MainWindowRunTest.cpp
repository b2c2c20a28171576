#include "Evaluator.h"
#include "FrmMain.h"
#include "HostDatabaseProcess.h"
#include "JournalRecorder.h"
#include "QtRunWindows.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunJournal.h"
#include "RunState.h"
#include "Settings.h"
#include "SqliteHostApplication.h"
#include "StartUp.h"
#include "TestProgress.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Whether another connection can fold the host's write-ahead log back right now: not
// while a reader still holds a snapshot older than the log's last write.
bool logCanBeFoldedBack(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(
        db, "REPLACE INTO state(key, value) VALUES('probe', 1)", nullptr, nullptr, nullptr);
    const int result
        = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_close(db);
    return result == SQLITE_OK;
}

// The whole path from the main window to the real host: the window is up with nothing of
// the host held, "All contacts" writes every contact, and the journal names the scope.
TEST(MainWindowRun, AllContactsFromTheWindowWritesEveryContactAndIsJournaledSo)
{
    HostDatabaseProcess database;
    ASSERT_TRUE(database.host({QStringLiteral("init"), QStringLiteral("--demo")}));
    ASSERT_TRUE(database.host({QStringLiteral("lookup"), QStringLiteral("C0002")}));
    qputenv("ORVANTA_APP_DIR", database.folder().toUtf8());
    bool foldedBack = false;
    whenShown<FrmMain>(QStringLiteral("frmMain"), [&](FrmMain &window) {
        foldedBack = logCanBeFoldedBack(database.path());
        auto *prompt = window.findChild<QComboBox *>(QStringLiteral("cboPrompt"));
        QTest::keyClicks(prompt->lineEdit(), QStringLiteral("[26]=[3]+1"));
        window.findChild<QRadioButton *>(QStringLiteral("optFor2"))->click();
        window.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    const QString path = database.path();
    HostConnection host {[path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
        [path] { return SqliteHostApplication::attach(path); }};
    RunState state;
    Settings settings;
    RecordingDialogs dialogs;
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    RunDialogs runDialogs(dialogs);
    Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), runDialogs);
    QtRunWindows windows(dialogs);
    NoProgress progress;
    const QString journalPath = database.folder() + QStringLiteral("/journal.db");
    JournalRecorder journal(journalPath, dialogs, RunJournal::BusyTimeoutMs);
    {
        const ModalWatchdog watchdog;
        StartUp startUp(state, host, evaluator, runDialogs, settings, windows, progress);
        startUp.journalTo(&journal);
        startUp.Main();
    }
    journal.finish();
    qunsetenv("ORVANTA_APP_DIR");
    EXPECT_TRUE(foldedBack);
    for (const QString &key : {QStringLiteral("C0001"), QStringLiteral("C0050")})
        EXPECT_EQ(database.field(key, 26).toLongLong(), database.field(key, 3).toLongLong() + 1)
            << qPrintable(key);
    const std::vector<JournalRun> runs
        = RunJournal(journalPath, RunJournal::Mode::ExistingOnly).runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs.front().scope, QStringLiteral("all contacts"));
    EXPECT_EQ(runs.front().records, 50);
}

} // namespace
