#include "CalculationRun.h"
#include "ConsoleRunWindows.h"
#include "Evaluator.h"
#include "FrmMain.h"
#include "HostDatabaseProcess.h"
#include "QtRunWindows.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "Settings.h"
#include "SqliteHostApplication.h"
#include "StartUp.h"
#include "TestProgress.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The real start-up, run and stand-in host, with the main window driven as a user would.
class MainWindowRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!database.host({QStringLiteral("init"), QStringLiteral("--demo")}))
            GTEST_SKIP() << "orvanta-host cannot make a demo database";
        ASSERT_TRUE(database.host({QStringLiteral("lookup"), QStringLiteral("C0002"),
            QStringLiteral("C0003"), QStringLiteral("C0005")}));
        qputenv("ORVANTA_APP_DIR", database.folder().toUtf8());
    }
    void TearDown() override { qunsetenv("ORVANTA_APP_DIR"); }

    // Starts as a run with an empty command line does; in the window, types the
    // calculation, picks the scope and presses Run.
    void runFromWindow(const QString &calculation, const char *option)
    {
        whenShown<FrmMain>(QStringLiteral("frmMain"), [=](FrmMain &window) {
            auto *prompt = window.findChild<QComboBox *>(QStringLiteral("cboPrompt"));
            QTest::keyClicks(prompt->lineEdit(), calculation);
            window.findChild<QRadioButton *>(QLatin1String(option))->click();
            window.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        const QString path = database.path();
        HostConnection host {
            [path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
            [path] { return SqliteHostApplication::attach(path); }};
        RunState state;
        Settings settings;
        RunDialogs runDialogs(dialogs);
        Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), runDialogs);
        QtRunWindows windows(dialogs);
        NoProgress progress;
        const ModalWatchdog watchdog;
        StartUp(state, host, evaluator, runDialogs, settings, windows, progress).Main();
    }

    QString doubled(const QString &key) const
    {
        return QString::number(database.field(key, 3).toLongLong() * 2);
    }

    HostDatabaseProcess database;
    RecordingDialogs dialogs;
};

// The scope picked in the window, the answer to the question, and which contacts change.
struct Scope
{
    const char *option;
    std::optional<Dialogs::Answer> answer;
    QStringList changed;
    QStringList unchanged;
    bool lookupFilled; // the host was asked for every contact
};

class MainWindowScope : public MainWindowRun, public ::testing::WithParamInterface<Scope>
{
};

TEST_P(MainWindowScope, ScopeAndAnswerDecideWhichContactsChange)
{
    const Scope &row = GetParam();
    if (row.answer)
        dialogs.scriptAnswers({*row.answer});
    runFromWindow(QStringLiteral("[25]=[3]*2"), row.option);
    EXPECT_EQ(dialogs.shown().size(), row.answer ? 1 : 0);
    if (std::string_view(row.option) == "optFor1")
        EXPECT_EQ(dialogs.texts(), QStringList({CalculationRun::confirmLookupText()}));
    for (const QString &key : row.changed)
        EXPECT_EQ(database.field(key, 25), doubled(key)) << qPrintable(key);
    for (const QString &key : row.unchanged)
        EXPECT_EQ(database.field(key, 25), QString()) << qPrintable(key);
    const QString log = database.commandLog();
    if (!row.changed.isEmpty())
        EXPECT_TRUE(log.contains(QStringLiteral("104")));
    EXPECT_EQ(log.contains(QStringLiteral("701")), row.lookupFilled);
    if (row.lookupFilled) {
        const QString lookup = database.host({QStringLiteral("list")}).value_or(QString());
        EXPECT_EQ(lookup.split(QLatin1Char('\n')).size(), 50);
    }
}

INSTANTIATE_TEST_SUITE_P(Scopes, MainWindowScope,
    ::testing::Values(Scope {"optFor0", std::nullopt, {QStringLiteral("C0001")},
                          {QStringLiteral("C0002")}, false},
        Scope {"optFor1", Dialogs::Answer::Yes,
            {QStringLiteral("C0002"), QStringLiteral("C0003"), QStringLiteral("C0005")},
            {QStringLiteral("C0001"), QStringLiteral("C0004")}, false},
        Scope {"optFor2", Dialogs::Answer::No, {},
            {QStringLiteral("C0001"), QStringLiteral("C0002")}, true},
        Scope {"optFor2", Dialogs::Answer::Yes,
            {QStringLiteral("C0001"), QStringLiteral("C0004"), QStringLiteral("C0050")}, {},
            true}));

// The program as installed: an empty command line, no window library wanted or none to
// be had, and a trigger run that must not load the window library at all.
class OrvantaProcess : public MainWindowRun
{
protected:
    struct Outcome
    {
        int exitCode = -1;
        QString errors;
    };

    Outcome orvanta(const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ORVANTA_EXE), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }
};

// Without a display the main window and the editor say so, change nothing, and tell a
// script they did not open.
TEST_F(OrvantaProcess, ConsoleSaysAWindowNeedsADisplayAndChangesNothing)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString said;
    } rows[] = {
        {{}, 1, ConsoleRunWindows::mainWindowUnavailableText()},
        {{QStringLiteral("--edit"), QStringLiteral("x.ocs")}, 1,
            ConsoleRunWindows::editorUnavailableText()},
    };
    QProcessEnvironment environment = database.orvantaEnvironment();
    environment.insert(QStringLiteral("ORVANTA_UI"), QStringLiteral("console"));
    for (const auto &row : rows) {
        const Outcome outcome = orvanta(row.arguments, environment);
        EXPECT_EQ(outcome.exitCode, row.exitCode) << qPrintable(row.said);
        EXPECT_TRUE(outcome.errors.contains(row.said)) << qPrintable(outcome.errors);
    }
    EXPECT_FALSE(database.commandLog().contains(QStringLiteral("104")));
}

TEST_F(OrvantaProcess, TriggerRunDoesNotLoadTheWindowLibrary)
{
    QProcessEnvironment environment = database.orvantaEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("ORVANTA_UI"));
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    const Outcome outcome = orvanta({QStringLiteral("[25]=[3]*2")}, environment);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25), doubled(QStringLiteral("C0001")));
    EXPECT_FALSE(outcome.errors.contains(QStringLiteral("orvanta-ui.so")));
    EXPECT_FALSE(outcome.errors.contains(QStringLiteral("libQt6Widgets")));
}

// With a display the empty command line opens the window library and waits in the main
// window; the test sees the library mapped into the process and then ends it.
TEST_F(OrvantaProcess, EmptyCommandLineOpensTheMainWindow)
{
    QProcessEnvironment environment = database.orvantaEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("ORVANTA_UI"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVANTA_EXE), QStringList());
    ASSERT_TRUE(process.waitForStarted());
    const QString maps = QStringLiteral("/proc/%1/maps").arg(process.processId());
    bool mapped = false;
    QElapsedTimer waited;
    waited.start();
    while (!mapped && process.state() == QProcess::Running && waited.elapsed() < 15000) {
        QFile file(maps);
        mapped = file.open(QIODevice::ReadOnly) && file.readAll().contains("orvanta-ui.so");
        if (!mapped)
            QTest::qWait(50);
    }
    QTest::qWait(300);
    const bool stillOpen = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished();
    EXPECT_TRUE(mapped);
    EXPECT_TRUE(stillOpen) << process.readAllStandardError().constData();
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25), QString());
}

} // namespace
