#include "EditorFixture.h"
#include "ErrorReport.h"
#include "Settings.h"

namespace {

using FrmEditorWindow = EditorFixture;

TEST_F(FrmEditorWindow, ModePicksTheFieldsAndTheFileFilter)
{
    const std::tuple<EditorMode::Kind, const char *, const char *> modes[] = {
        {EditorMode::Contact, "Orvanta Contact Syntax (*.ocs)|*.ocs", "[25]"},
        {EditorMode::Group, "Orvanta Group Syntax (*.ogs)|*.ogs", "[7]"},
    };
    for (const auto &[kind, filter, firstField] : modes) {
        fileDialogs = ScriptedFileDialogs();
        open(kind);
        EXPECT_EQ(
            child<FieldList>("lvwFields")->topLevelItem(0)->text(1), QLatin1String(firstField));
        action("mnuOpen")->trigger();
        action("mnuSaveAs")->trigger();
        ASSERT_EQ(fileDialogs.requests().size(), 2);
        for (const FileDialogs::Request &request : fileDialogs.requests()) {
            EXPECT_EQ(request.filter, QLatin1String(filter));
            EXPECT_EQ(request.initialFolder, appFolder());
        }
        EXPECT_TRUE(fileDialogs.requests().at(0).fileMustExist);
        EXPECT_EQ(fileDialogs.requests().at(0).mode, FileDialogs::Mode::Open);
        EXPECT_EQ(fileDialogs.requests().at(1).mode, FileDialogs::Mode::Save);
    }
}

// Which lists show after each command: fields, functions (in alphabetical order), operators.
TEST_F(FrmEditorWindow, PopUpListsShowOneAtATime)
{
    open();
    auto *functions = child<QListWidget>("lstFunctions");
    EXPECT_EQ(functions->item(0)->text(), QStringLiteral("Abs()"));
    EXPECT_EQ(functions->item(functions->count() - 1)->text(), QStringLiteral("Year()"));
    const auto shown = [&] {
        std::string visible;
        for (const char *name : {"lvwFields", "lstFunctions", "lstOperators"})
            visible += child<QWidget>(name)->isVisible() ? '1' : '0';
        return visible;
    };
    const std::tuple<const char *, const char *> steps[] = {
        {"mnuInsertField", "100"},
        {"mnuInsertField", "000"},
        {"mnuInsertFunction", "010"},
        {"mnuInsertFunction", "000"},
        {"mnuInsertOperator", "001"},
        {"mnuInsertOperator", "001"},
        // A toolbar button puts the lists away before its command: always shown after.
        {"InsertFunction", "010"},
        {"InsertFunction", "010"},
        {"InsertOperator", "001"},
        {"InsertComment", "000"},
    };
    for (const auto &[command, after] : steps) {
        action(command)->trigger();
        EXPECT_EQ(shown(), after) << command;
    }
    action("mnuInsertOperator")->trigger();
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_EQ(shown(), "000");
    EXPECT_TRUE(editor->isVisible());
    action("mnuInsertOperator")->trigger();
    editor->resize(editor->width() + 40, editor->height() + 30);
    QTest::qWait(20);
    EXPECT_EQ(shown(), "000");
}

TEST_F(FrmEditorWindow, MissingHostIsReportedAndTheRestOfTheLoadSkipped)
{
    database->hostMissing = true;
    open(EditorMode::Contact, writeFile(QStringLiteral("a.ocs"), "[25]=1"));
    const QString report = ErrorReport(
        QStringLiteral("frmEditor"), ErrorReport::Kind::Sub, QStringLiteral("Form_Load"))
                               .text(OrvantaError(429, OrvantaError::standardDescription(429)), 1);
    EXPECT_EQ(dialogs.texts(), QStringList({report}));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Syntax Editor"));
    EXPECT_EQ(child<QListWidget>("lstFunctions")->count(), 0);
    EXPECT_EQ(child<FieldList>("lvwFields")->topLevelItemCount(), 0);
    EXPECT_EQ(text().Text(), QString());
}

TEST_F(FrmEditorWindow, UnusableStartFilesAreReported)
{
    const std::tuple<const char *, QByteArray, const char *, Dialogs::Icon> rows[] = {
        {"binary.ocs", QByteArray("[25]=1\0\x01\x02", 9), "Error 321: 'Invalid file format'",
            Dialogs::Icon::None},
        {"large.ocs", QByteArray(FrmEditor::MaxFileBytes + 1, 'x'),
            "Error 7: 'The file is too large for the editor (more than 4 MB)'",
            Dialogs::Icon::None},
        {"gone.ocs", {}, "The file specified in the prompt box does not exist!",
            Dialogs::Icon::Exclamation},
    };
    for (const auto &[name, bytes, expected, icon] : rows) {
        SCOPED_TRACE(name);
        if (!bytes.isEmpty())
            writeFile(QLatin1String(name), bytes);
        dialogs.clear();
        open(EditorMode::Contact, appPath(QLatin1String(name)));
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.shown().constFirst().text.startsWith(QLatin1String(expected)))
            << qPrintable(dialogs.shown().constFirst().text);
        EXPECT_EQ(dialogs.shown().constFirst().icon, icon);
        EXPECT_EQ(text().Text(), QString());
    }
    // The missing file leaves a nameless document.
    EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(editor->handBack(), QString());
}

TEST_F(FrmEditorWindow, SizeIsKeptInTwipsBetweenShowings)
{
    Settings settings;
    settings.setValue(QLatin1String(Settings::EditorWidth), QStringLiteral("9000"));
    settings.setValue(QLatin1String(Settings::EditorHeight), QStringLiteral("6000"));
    open();
    EXPECT_EQ(editor->size(), QSize(600, 400));
    editor->resize(700, 450);
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(settings.value(QLatin1String(Settings::EditorWidth)), QStringLiteral("10500"));
    EXPECT_EQ(settings.value(QLatin1String(Settings::EditorHeight)), QStringLiteral("6750"));
}

} // namespace
