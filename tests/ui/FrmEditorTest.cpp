#include "EditorFixture.h"
#include "ErrorReport.h"
#include "FieldList.h"
#include "Settings.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

namespace {

using FrmEditorWindow = EditorFixture;

QString errorReport(int number, const QString &description, const char *procedure, int step)
{
    return ErrorReport(
        QStringLiteral("frmEditor"), ErrorReport::Kind::Sub, QLatin1String(procedure))
        .text(OrvantaError(number, description), step);
}

TEST_F(FrmEditorWindow, ModeSetsCaptionHeadingMenuTooltipAndFileFilter)
{
    const struct
    {
        EditorMode::Kind kind;
        const char *caption;
        const char *heading;
        const char *menuItem;
        const char *tooltip;
        const char *filter;
        const char *firstField;
    } modes[] = {
        {EditorMode::Contact, "Syntax Editor - Contact Fields", "Contact Fields",
            "Insert Contact Field...", "Insert Contact Field",
            "Orvanta Contact Syntax (*.ocs)|*.ocs", "[25]"},
        {EditorMode::Group, "Syntax Editor - Group Fields", "Group Fields", "Insert Group Field...",
            "Insert Group Field", "Orvanta Group Syntax (*.ogs)|*.ogs", "[7]"},
    };
    for (const auto &mode : modes) {
        database = std::make_unique<FakeDatabase>();
        database->contact = FakeFields({{25, QStringLiteral("Total"), 1, 0}});
        database->group = FakeFields({{7, QStringLiteral("Group Name"), 1, 0}});
        open(mode.kind);
        EXPECT_EQ(editor->windowTitle(), QLatin1String(mode.caption));
        EXPECT_EQ(
            child<FieldList>("lvwFields")->headings().constFirst(), QLatin1String(mode.heading));
        EXPECT_EQ(action("mnuInsertField")->text(), QLatin1String(mode.menuItem));
        EXPECT_EQ(action("InsertField")->toolTip(), QLatin1String(mode.tooltip));
        EXPECT_EQ(child<FieldList>("lvwFields")->topLevelItem(0)->text(1),
            QLatin1String(mode.firstField));

        action("mnuOpen")->trigger();
        action("mnuSaveAs")->trigger();
        ASSERT_EQ(fileDialogs.requests().size(), 2);
        for (const FileDialogs::Request &request : fileDialogs.requests()) {
            EXPECT_EQ(request.filter, QLatin1String(mode.filter));
            EXPECT_EQ(request.initialFolder, appFolder());
        }
        EXPECT_TRUE(fileDialogs.requests().at(0).fileMustExist);
        EXPECT_EQ(fileDialogs.requests().at(0).mode, FileDialogs::Mode::Open);
        EXPECT_EQ(fileDialogs.requests().at(1).mode, FileDialogs::Mode::Save);
        fileDialogs = ScriptedFileDialogs();
    }
}

TEST_F(FrmEditorWindow, MenusStartWithTheEditingCommandsDisabled)
{
    open();
    const struct
    {
        const char *name;
        const char *caption;
        bool enabled;
    } items[] = {
        {"mnuFile", "File", true},
        {"mnuNew", "New", true},
        {"mnuOpen", "Open...", true},
        {"mnuSave", "Save", true},
        {"mnuSaveAs", "Save As...", true},
        {"mnuExit", "Close", true},
        {"mnuEdit", "Edit", true},
        {"mnuUndo", "Undo", false},
        {"mnuCut", "Cut", false},
        {"mnuCopy", "Copy", false},
        {"mnuPaste", "Paste", false},
        {"mnuInsert", "Insert", true},
        {"mnuInsertFunction", "Insert Function...", true},
        {"mnuInsertOperator", "Insert Operator...", true},
        {"mnuInsertComment", "Insert Comment", true},
        {"mnuPopCut", "Cut", true},
        {"mnuPopCopy", "Copy", true},
        {"mnuPopPaste", "Paste", false},
    };
    for (const auto &item : items) {
        QAction *found = action(item.name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->text(), QLatin1String(item.caption)) << item.name;
        EXPECT_EQ(found->isEnabled(), item.enabled) << item.name;
    }
    QStringList barMenus;
    for (QAction *menu : child<QMenuBar>("")->actions())
        barMenus << menu->text();
    EXPECT_EQ(barMenus,
        QStringList({QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("Insert")}));
}

TEST_F(FrmEditorWindow, ShortcutsAreThePlatformsStandardOnes)
{
    open();
    const struct
    {
        const char *name;
        QKeySequence::StandardKey key;
    } rows[] = {
        {"mnuNew", QKeySequence::New},
        {"mnuOpen", QKeySequence::Open},
        {"mnuSave", QKeySequence::Save},
        {"mnuUndo", QKeySequence::Undo},
        {"Redo", QKeySequence::Redo},
        {"mnuCut", QKeySequence::Cut},
        {"mnuCopy", QKeySequence::Copy},
        {"mnuPaste", QKeySequence::Paste},
    };
    for (const auto &row : rows)
        EXPECT_EQ(action(row.name)->shortcut(), QKeySequence(row.key)) << row.name;
    EXPECT_EQ(action("PreviewMode")->shortcut(), QKeySequence(Qt::Key_F5));
}

TEST_F(FrmEditorWindow, ToolbarHasTenDrawnButtonsInThreeGroups)
{
    open();
    QStringList keys;
    for (QAction *entry : child<QToolBar>("tlb1")->actions()) {
        if (entry->isSeparator()) {
            keys << QStringLiteral("|");
            continue;
        }
        keys << entry->data().toString() + QLatin1Char('=') + entry->toolTip();
        for (int size : {16, 32}) {
            const QImage picture = entry->icon().pixmap(size).toImage();
            EXPECT_EQ(picture.width(), size) << qPrintable(entry->toolTip());
            EXPECT_FALSE(picture.isNull());
        }
    }
    EXPECT_EQ(keys,
        QStringList({QStringLiteral("Open=Open Orvanta File"),
            QStringLiteral("SaveAs=Save Orvanta File"), QStringLiteral("|"),
            QStringLiteral("Cut=Cut"), QStringLiteral("Copy=Copy"), QStringLiteral("Paste=Paste"),
            QStringLiteral("|"), QStringLiteral("InsertField=Insert Contact Field"),
            QStringLiteral("InsertFunction=Insert Function"),
            QStringLiteral("InsertOperator=Insert Operator"),
            QStringLiteral("InsertComment=Insert Comment"), QStringLiteral("|"),
            QStringLiteral("PreviewMode=Preview and Test")}));
}

TEST_F(FrmEditorWindow, PopUpListsShowOneAtATime)
{
    open();
    QWidget *fields = child<QWidget>("lvwFields");
    QWidget *functions = child<QWidget>("lstFunctions");
    QWidget *operators = child<QWidget>("lstOperators");
    const auto shown = [&]() -> QString {
        return QString::number(fields->isVisible()) + QString::number(functions->isVisible())
            + QString::number(operators->isVisible());
    };
    EXPECT_EQ(shown(), QLatin1String("000"));
    const struct
    {
        const char *command;
        const char *after;
    } steps[] = {
        {"mnuInsertField", "100"},
        {"mnuInsertField", "000"},
        {"mnuInsertFunction", "010"},
        {"mnuInsertFunction", "000"},
        {"mnuInsertOperator", "001"},
        {"mnuInsertOperator", "001"},
        {"mnuInsertField", "100"},
        {"cmdCancelList", "000"},
        {"InsertFunction", "010"},
        // A toolbar button puts the lists away before its command: always shown after.
        {"InsertFunction", "010"},
        {"InsertOperator", "001"},
        {"InsertField", "100"},
        {"InsertComment", "000"},
    };
    for (const auto &step : steps) {
        if (std::string_view(step.command) == "cmdCancelList")
            child<QPushButton>("cmdCancelList")->click();
        else
            action(step.command)->trigger();
        EXPECT_EQ(shown(), QLatin1String(step.after)) << step.command;
    }
    action("mnuInsertOperator")->trigger();
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_EQ(shown(), QLatin1String("000"));
    EXPECT_TRUE(editor->isVisible());
    action("mnuInsertOperator")->trigger();
    editor->resize(editor->width() + 40, editor->height() + 30);
    QTest::qWait(20);
    EXPECT_EQ(shown(), QLatin1String("000"));
}

TEST_F(FrmEditorWindow, PickListsAreSortedAndCarryTheirRow)
{
    open();
    auto *functions = child<QListWidget>("lstFunctions");
    auto *operators = child<QListWidget>("lstOperators");
    ASSERT_EQ(functions->count(), 55);
    ASSERT_EQ(operators->count(), 17);
    QStringList shownFunctions;
    for (int i = 0; i < functions->count(); ++i)
        shownFunctions << functions->item(i)->text();
    EXPECT_LT(shownFunctions.indexOf(QStringLiteral("Abs()")),
        shownFunctions.indexOf(QStringLiteral("Age()")));
    EXPECT_GT(shownFunctions.indexOf(QStringLiteral("Now()")),
        shownFunctions.indexOf(QStringLiteral("Mid()")));
    EXPECT_EQ(shownFunctions.constFirst(), QStringLiteral("Abs()"));
    const QList<QListWidgetItem *> now
        = functions->findItems(QStringLiteral("Now()"), Qt::MatchExactly);
    ASSERT_EQ(now.size(), 1);
    EXPECT_EQ(now.constFirst()->data(Qt::UserRole).toInt(), 0);
    const QList<QListWidgetItem *> ampersand
        = operators->findItems(QStringLiteral("&"), Qt::MatchExactly);
    ASSERT_EQ(ampersand.size(), 1);
    EXPECT_EQ(ampersand.constFirst()->data(Qt::UserRole).toInt(), 16);
}

TEST_F(FrmEditorWindow, MissingHostIsReportedAndTheRestOfTheLoadSkipped)
{
    const QString file = writeFile(QStringLiteral("a.ocs"), "[25]=1");
    database->hostMissing = true;
    open(EditorMode::Contact, file);
    EXPECT_EQ(dialogs.texts(),
        QStringList({errorReport(429, OrvantaError::standardDescription(429), "Form_Load", 1)}));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Syntax Editor"));
    EXPECT_EQ(child<QListWidget>("lstFunctions")->count(), 0);
    EXPECT_EQ(child<FieldList>("lvwFields")->topLevelItemCount(), 0);
    EXPECT_EQ(text().Text(), QString());
}

// Start files the editor cannot take: the message, the standard report, never a crash.
TEST_F(FrmEditorWindow, UnusableStartFilesAreReported)
{
    QByteArray large(FrmEditor::MaxFileBytes + 1, 'x');
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *expected;
    } rows[] = {
        {"gone.ocs", {}, "The file specified in the prompt box does not exist!"},
        {"binary.ocs", QByteArray("[25]=1\0\x01\x02", 9), "Error 321: 'Invalid file format'"},
        {"large.ocs", large, "Error 7: 'The file is too large for the editor (more than 4 MB)'"},
    };
    for (const auto &row : rows) {
        QString path = appPath(QLatin1String(row.name));
        if (!row.bytes.isEmpty())
            writeFile(QLatin1String(row.name), row.bytes);
        database = std::make_unique<FakeDatabase>();
        dialogs.clear();
        open(EditorMode::Contact, path);
        ASSERT_EQ(dialogs.shown().size(), 1) << row.name;
        EXPECT_TRUE(dialogs.shown().constFirst().text.startsWith(QLatin1String(row.expected)))
            << qPrintable(dialogs.shown().constFirst().text);
        EXPECT_EQ(text().Text(), QString()) << row.name;
    }
    EXPECT_EQ(dialogs.shown().constFirst().icon, Dialogs::Icon::None);
}

TEST_F(FrmEditorWindow, MissingStartFileLeavesANamelessDocument)
{
    open(EditorMode::Contact, appPath(QStringLiteral("gone.ocs")));
    EXPECT_EQ(dialogs.shown().constFirst().icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
    EXPECT_EQ(editor->sLoadedFile, QString());
    EXPECT_TRUE(closeEditor());
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
    EXPECT_TRUE(closeEditor());
    EXPECT_EQ(settings.value(QLatin1String(Settings::EditorWidth)), QStringLiteral("10500"));
    EXPECT_EQ(settings.value(QLatin1String(Settings::EditorHeight)), QStringLiteral("6750"));
}

} // namespace
