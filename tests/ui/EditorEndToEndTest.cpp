#include "EditorFixture.h"
#include "Evaluator.h"
#include "FrmMain.h"
#include "FrmPreview.h"
#include "HostDatabaseProcess.h"
#include "QtRunWindows.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "Settings.h"
#include "SqliteHostApplication.h"
#include "SqliteHostDatabase.h"
#include "StartUp.h"
#include "TestProgress.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

template<class T> T *named(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The whole way a user goes: the main window opens the editor, the calculation is built
// from the pick lists, saved as a syntax file, handed back on close and run.
class EditorEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!database.host({QStringLiteral("init"), QStringLiteral("--demo")}))
            GTEST_SKIP() << "orvanta-host cannot make a demo database";
        qputenv("ORVANTA_APP_DIR", database.folder().toUtf8());
        qputenv("ORVANTA_HOST", database.path().toUtf8());
    }
    void TearDown() override
    {
        qunsetenv("ORVANTA_APP_DIR");
        qunsetenv("ORVANTA_HOST");
    }

    // Starts as orvanta does with an empty command line: the main window, modal.
    void runMainWindow()
    {
        const QString path = database.path();
        HostConnection host {
            [path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
            [path] { return SqliteHostApplication::attach(path); }};
        RunState state;
        Settings settings;
        Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
        QtRunWindows windows(dialogs);
        EditorServices services;
        services.fileDialogs = &fileDialogs;
        services.createDatabase = [] { return std::make_unique<SqliteHostDatabase>(); };
        windows.setEditorServices(services);
        NoProgress progress;
        const ModalWatchdog watchdog(30000);
        RunDialogs runDialogs(dialogs);
        StartUp(state, host, evaluator, runDialogs, settings, windows, progress).Main();
    }

    HostDatabaseProcess database;
    RecordingDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
};

TEST_F(EditorEndToEnd, CalculationBuiltInTheEditorRunsFromItsFile)
{
    const QString file = database.folder() + QStringLiteral("/revenue.ocs");
    fileDialogs.scriptAnswers({file});
    QString handedBack;

    whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
        RtbSyntax &text = editor.rtfSyntax();
        QTest::keyClicks(text.innerBox(), QStringLiteral("[25]="));
        named<QAction>(editor, "mnuInsertFunction")->trigger();
        clickListEntry(named<QListWidget>(editor, "lstFunctions"), QStringLiteral("Abs()"));
        // Click into <number>, then pick the field that takes its place.
        text.setSelStart(11);
        QTest::mouseClick(text.innerBox()->viewport(), Qt::LeftButton, {},
            text.innerBox()->cursorRect().center());
        named<QAction>(editor, "InsertField")->trigger();
        clickField(named<FieldList>(editor, "lvwFields"), QStringLiteral("[3]"));
        named<QAction>(editor, "SaveAs")->trigger();
        named<QAction>(editor, "mnuExit")->trigger();
    });
    whenShown<FrmMain>(QStringLiteral("frmMain"), [&](FrmMain &window) {
        named<QPushButton>(window, "cmdEditor")->click();
        handedBack = named<QComboBox>(window, "cboPrompt")->currentText();
        named<QPushButton>(window, "cmdOK")->click();
    });

    runMainWindow();

    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[25]=Abs([3])"));
    EXPECT_EQ(handedBack, QStringLiteral("File:") + file);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('\n')));
    EXPECT_EQ(
        database.field(QStringLiteral("C0001"), 25), database.field(QStringLiteral("C0001"), 3));
}

TEST_F(EditorEndToEnd, PreviewAndTestShowsWhatARunWouldWriteAndWritesNothing)
{
    const QString before = database.field(QStringLiteral("C0001"), 25);
    // The close question of the changed text: not saved.
    dialogs.scriptAnswers({Dialogs::Answer::No});
    QString result;
    whenShown<FrmPreview>(QStringLiteral("frmPreview"), [&](FrmPreview &preview) {
        QTest::mouseClick(named<QPushButton>(preview, "cmdRun"), Qt::LeftButton);
        result = named<QLabel>(preview, "lblResultCalc")->text();
        preview.reject();
    });
    whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
        QTest::keyClicks(editor.rtfSyntax().innerBox(), QStringLiteral("[25]=[3]*2"));
        named<QAction>(editor, "PreviewMode")->trigger();
        named<QAction>(editor, "mnuExit")->trigger();
    });
    whenShown<FrmMain>(QStringLiteral("frmMain"), [&](FrmMain &window) {
        named<QPushButton>(window, "cmdEditor")->click();
        named<QPushButton>(window, "cmdCancel")->click();
    });
    runMainWindow();

    EXPECT_EQ(result, QString::number(2 * database.field(QStringLiteral("C0001"), 3).toInt()));
    EXPECT_EQ(database.field(QStringLiteral("C0001"), 25), before);
}

} // namespace
