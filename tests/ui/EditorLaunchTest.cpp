#include "EditorFixture.h"
#include "EditorMode.h"
#include "LaunchOptions.h"
#include "QtRunWindows.h"
#include "WhenShown.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(EditorLaunch, EditOptionTakesTheRestOfTheCommandLineAsThePath)
{
    const struct
    {
        QStringList arguments;
        bool edit;
        const char *path;
    } rows[] = {
        {{QStringLiteral("--edit")}, true, ""},
        {{QStringLiteral("--edit"), QStringLiteral("/tmp/a.ocs")}, true, "/tmp/a.ocs"},
        {{QStringLiteral("--edit"), QStringLiteral("/tmp/My"), QStringLiteral("Calcs.ogs")}, true,
            "/tmp/My Calcs.ogs"},
        {{QStringLiteral("/tmp/a.ocs")}, false, "/tmp/a.ocs"},
    };
    for (const auto &row : rows) {
        const LaunchOptions options = LaunchOptions::parse(row.arguments);
        EXPECT_TRUE(options.error.isEmpty());
        EXPECT_EQ(options.edit, row.edit) << row.path;
        EXPECT_EQ(options.commandLine, QLatin1String(row.path));
    }
    EXPECT_TRUE(LaunchOptions::usage().contains(QStringLiteral("--edit")));
}

TEST(EditorLaunch, GroupFieldsForGroupSyntaxFilesOnly)
{
    const struct
    {
        const char *path;
        EditorMode::Kind kind;
    } rows[] = {
        {"/calcs/totals.ogs", EditorMode::Group},
        {"/calcs/TOTALS.OGS", EditorMode::Group},
        {"/calcs/totals.ocs", EditorMode::Contact},
        {"/calcs/notes.txt", EditorMode::Contact},
        {"", EditorMode::Contact},
    };
    for (const auto &row : rows)
        EXPECT_EQ(EditorMode::forFile(QLatin1String(row.path)).kind(), row.kind) << row.path;
    EXPECT_EQ(EditorMode::forViewType(1).kind(), EditorMode::Contact);
    EXPECT_EQ(EditorMode::forViewType(3).kind(), EditorMode::Group);
    EXPECT_EQ(EditorMode::forViewType(0).kind(), EditorMode::Group);
}

// The editor alone: the file's kind picks the fields, and the call returns once it closes.
TEST(EditorLaunch, EditorAloneOpensTheFileInItsMode)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("totals.ogs"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[4]=Sum");
    }
    RecordingDialogs dialogs;
    QtRunWindows windows(dialogs);
    EditorServices services;
    services.createDatabase = [] { return std::make_unique<FakeDatabase>(); };
    windows.setEditorServices(services);
    QString caption;
    QString text;
    bool previewEnabled = true;
    whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
        caption = editor.windowTitle();
        text = editor.rtfSyntax().Text();
        previewEnabled = editor.findChild<QAction *>(QStringLiteral("PreviewMode"))->isEnabled();
        editor.close();
    });
    const ModalWatchdog watchdog;
    windows.showEditor(file);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(caption, QStringLiteral("Syntax Editor - Group Fields"));
    EXPECT_EQ(text, QStringLiteral("[4]=Sum"));
    EXPECT_FALSE(previewEnabled); // no preview window to hand the text to
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

} // namespace
