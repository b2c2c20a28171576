#include "EditorFixture.h"
#include "Evaluator.h"
#include "FrmMain.h"
#include "HostDatabaseProcess.h"
#include "QtRunWindows.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "Settings.h"
#include "SqliteHostApplication.h"
#include "StartUp.h"
#include "TestProgress.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QPushButton>

namespace {

template<class T> T *named(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The whole way a user goes, as orvanta starts with an empty command line: the main window opens
// the editor, the calculation is built from the pick lists, saved as a syntax file, handed back on
// close and run.
TEST(EditorEndToEnd, CalculationBuiltInTheEditorRunsFromItsFile)
{
    HostDatabaseProcess database;
    if (!database.host({QStringLiteral("init"), QStringLiteral("--demo")}))
        GTEST_SKIP() << "orvanta-host cannot make a demo database";
    qputenv("ORVANTA_APP_DIR", database.folder().toUtf8());
    qputenv("ORVANTA_HOST", database.path().toUtf8());
    const QString file = database.folder() + QStringLiteral("/revenue.ocs");
    ScriptedFileDialogs fileDialogs;
    fileDialogs.scriptAnswers({file});
    QString handedBack;
    whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
        RtbSyntax &text = editor.rtfSyntax();
        QTest::keyClicks(text.innerBox(), QStringLiteral("[25]="));
        named<QAction>(editor, "mnuInsertFunction")->trigger();
        clickItem(named<QListWidget>(editor, "lstFunctions"), QStringLiteral("Abs()"));
        // Click into <number>, then pick the field that takes its place.
        text.setSelStart(11);
        QTest::mouseClick(text.innerBox()->viewport(), Qt::LeftButton, {},
            text.innerBox()->cursorRect().center());
        named<QAction>(editor, "InsertField")->trigger();
        clickItem(named<FieldList>(editor, "lvwFields"), QStringLiteral("[3]"), 1);
        named<QAction>(editor, "SaveAs")->trigger();
        named<QAction>(editor, "mnuExit")->trigger();
    });
    whenShown<FrmMain>(QStringLiteral("frmMain"), [&](FrmMain &window) {
        named<QPushButton>(window, "cmdEditor")->click();
        handedBack = named<QComboBox>(window, "cboPrompt")->currentText();
        named<QPushButton>(window, "cmdOK")->click();
    });

    const QString path = database.path();
    HostConnection host {[path] { return SqliteHostApplication::readForegroundWindowTitle(path); },
        [path] { return SqliteHostApplication::attach(path); }};
    RunState state;
    Settings settings;
    RecordingDialogs dialogs;
    Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    QtRunWindows windows(dialogs);
    windows.setEditorServices({&fileDialogs, {}});
    NoProgress progress;
    const ModalWatchdog watchdog(30000);
    RunDialogs runDialogs(dialogs);
    StartUp(state, host, evaluator, runDialogs, settings, windows, progress).Main();
    qunsetenv("ORVANTA_APP_DIR");
    qunsetenv("ORVANTA_HOST");

    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[25]=Abs([3])"));
    EXPECT_EQ(handedBack, QStringLiteral("File:") + file);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('\n')));
    EXPECT_EQ(
        database.field(QStringLiteral("C0001"), 25), database.field(QStringLiteral("C0001"), 3));
}

} // namespace
