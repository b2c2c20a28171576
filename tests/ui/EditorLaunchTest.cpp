#include "EditorFixture.h"
#include "FrmMainFixture.h"
#include "HostDatabaseProcess.h"
#include "LaunchOptions.h"
#include "UiLoader.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>

namespace {

// The editor alone: the rest of the command line is the file, whose kind, in any case, picks the
// fields; the call returns once the editor closes.
TEST(EditorLaunch, EditOptionOpensTheRestOfTheCommandLineInItsMode)
{
    const LaunchOptions plain = LaunchOptions::parse({QStringLiteral("/tmp/a.ocs")});
    EXPECT_FALSE(plain.edit);
    EXPECT_EQ(plain.commandLine, QStringLiteral("/tmp/a.ocs"));
    const LaunchOptions bare = LaunchOptions::parse({QStringLiteral("--edit")});
    EXPECT_TRUE(bare.edit && bare.error.isEmpty() && bare.commandLine.isEmpty());
    EXPECT_TRUE(LaunchOptions::usage().contains(QStringLiteral("--edit")));
    EXPECT_EQ(EditorMode::forViewType(3).kind(), EditorMode::Group);

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("MY TOTALS.OGS")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[4]=Sum");
    file.close();
    const LaunchOptions options = LaunchOptions::parse({QStringLiteral("--edit"),
        folder.filePath(QStringLiteral("MY")), QStringLiteral("TOTALS.OGS")});
    ASSERT_TRUE(options.edit && options.error.isEmpty());
    RecordingDialogs dialogs;
    QtRunWindows windows(dialogs);
    windows.setEditorServices({nullptr, [] { return std::make_unique<FakeDatabase>(); }});
    whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Syntax Editor - Group Fields"));
        EXPECT_EQ(editor.rtfSyntax().Text(), QStringLiteral("[4]=Sum"));
        // No preview window to hand the text to.
        EXPECT_FALSE(editor.findChild<QAction *>(QStringLiteral("PreviewMode"))->isEnabled());
        editor.close();
    });
    const ModalWatchdog watchdog;
    windows.showEditor(options.commandLine);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// As orvanta loads it, the window library gives the editor the host's own fields.
TEST(EditorLaunch, WindowLibraryEditorListsTheHostsFields)
{
    HostDatabaseProcess database;
    ASSERT_TRUE(database.host({QStringLiteral("init"), QStringLiteral("--demo")}));
    qputenv("ORVANTA_HOST", database.path().toUtf8());
    qputenv("ORVANTA_UI_MODULE", ORVANTA_UI_MODULE_FILE);
    const QByteArray ui = qgetenv("ORVANTA_UI");
    qunsetenv("ORVANTA_UI");
    QString firstField;
    whenShown<QDialog>(QStringLiteral("frmEditor"), [&](QDialog &editor) {
        const auto *fields = editor.findChild<QAbstractItemView *>(QStringLiteral("lvwFields"));
        firstField = fields->model()->index(0, 0).data().toString();
        editor.close();
    });
    const ModalWatchdog watchdog;
    UiLoader().showEditor(QString());
    qputenv("ORVANTA_UI", ui);
    qunsetenv("ORVANTA_HOST");
    EXPECT_EQ(firstField, QStringLiteral("Contact ID"));
}

// The main window's ways into the editor, over a fake host.
using FrmMainEditor = FrmMainFixture;

TEST_F(FrmMainEditor, PromptDecidesWhatTheEditorStartsWith)
{
    // Types the prompt and gives the command; the file and text the editor started with, and the
    // prompt once it closed answering No.
    const auto openEditor = [&](const QString &prompt, const char *command) {
        QStringList opened;
        whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
            opened << editor.sLoadedFile << editor.rtfSyntax().Text();
            EXPECT_EQ(editor.windowTitle(), QStringLiteral("Syntax Editor - Contact Fields"));
            EXPECT_TRUE(editor.findChild<QAction *>(QStringLiteral("PreviewMode"))->isEnabled());
            editor.close();
        });
        runWindow([&](FrmMain &window) {
            window.setEditorServices({nullptr, [] { return std::make_unique<FakeDatabase>(); }});
            type(window, prompt);
            if (std::string_view(command) == "cmdEditor")
                child<QPushButton>(window, "cmdEditor")->click();
            else
                trigger(window, command);
            opened << child<QComboBox>(window, "cboPrompt")->currentText();
            child<QPushButton>(window, "cmdCancel")->click();
        });
        return opened;
    };
    const QString file = appPath(QStringLiteral("Totals.ocs"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[25]=[3]*2");
    out.close();
    // opened: file, text, the prompt after
    const std::tuple<QString, const char *, QStringList> rows[] = {
        {QStringLiteral("File:") + file, "cmdEditor",
            {file, QStringLiteral("[25]=[3]*2"), QStringLiteral("File:") + file}},
        {QStringLiteral("/File:") + file + QStringLiteral("\\/[26]=1"), "mnuEditor",
            {file, QStringLiteral("[25]=[3]*2"), QStringLiteral("File:") + file}},
        {QStringLiteral("[25] = [3] ' note"), "cmdEditor",
            {QString(), QStringLiteral("[25] = [3] ' note"), QStringLiteral("[25] = [3]")}},
        {QStringLiteral("[25]=1 File:x"), "cmdEditor", {{}, {}, {}}},
        {QStringLiteral("[25]=1"), "mnuNew", {{}, {}, {}}},
    };
    for (const auto &[prompt, command, opened] : rows) {
        dialogs.clear();
        dialogs.scriptAnswers({Dialogs::Answer::No});
        EXPECT_EQ(openEditor(prompt, command), opened) << qPrintable(prompt);
    }
    // A prompt file that is not there is said, and the editor stays shut.
    dialogs.clear();
    runWindow([&](FrmMain &window) {
        type(window, QStringLiteral("File:") + appPath(QStringLiteral("gone.ocs")));
        child<QPushButton>(window, "cmdEditor")->click();
        child<QPushButton>(window, "cmdCancel")->click();
    });
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(
        dialogs.shown().constFirst().text, QStringLiteral("The specified file does not exist!"));
    EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
}

} // namespace
