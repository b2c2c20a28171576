#include "EditorFixture.h"
#include "ErrorReport.h"
#include "PopulateACTLists.h"
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

class FieldPicker : public ::testing::Test
{
protected:
    QStringList fill(FakeFields &fields)
    {
        dialogs.clear();
        PopulateACTLists(fields, dialogs)
            .Populate_lvwFields(list, QStringLiteral("|1|2|3|4|5|6|8|9|10|14|15|"));
        return rows();
    }
    QStringList rows() const
    {
        QStringList result;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            result << list.topLevelItem(i)->text(0) + QLatin1Char(' ')
                    + list.topLevelItem(i)->text(1);
        return result;
    }

    FieldList list;
    RecordingDialogs dialogs;
};

TEST_F(FieldPicker, ListsTheTypesAskedForInPositionOrderButNotTheInternalIds)
{
    FakeFields fields;
    int position = 0;
    for (int internalId : {203, 201, 202, 90, 125})
        fields.fields.append({internalId, QStringLiteral("internal"), 1, position++});
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 21}) {
        fields.fields.append({100 + type, QStringLiteral("T%1").arg(type), type, position});
        position += 2; // gaps between the positions
    }
    fields.fields.prepend({901, QStringLiteral("last"), 1, position});
    QStringList expected;
    for (int type : {1, 2, 3, 4, 5, 6, 8, 9, 10, 14, 15})
        expected << QStringLiteral("T%1 [%2]").arg(type).arg(100 + type);
    EXPECT_EQ(fill(fields), expected << QStringLiteral("last [901]"));
    // The walk ends at the last field instead of running on into empty positions.
    EXPECT_EQ(fields.positionsAsked, position + 1);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(FieldPicker, HostTroubleKeepsWhatWasListed)
{
    const QList<FieldDefinition> three = {{1, QStringLiteral("One"), 1, 0},
        {2, QStringLiteral("Two"), 1, 1}, {3, QStringLiteral("Three"), 1, 2}};
    // A failTypeOf of 0 fails nothing; an empty report stands for no message.
    const std::tuple<const char *, QList<FieldDefinition>, std::optional<qint16>, qint32,
        std::optional<qint16>, QStringList, int, const char *>
        rows[] = {
            {"empty host", {}, {}, 0, {}, {}, 1, ""},
            {"failing half way", three, 2, 0, {},
                {QStringLiteral("One [1]"), QStringLiteral("Two [2]")}, 3, ""},
            {"failing at zero", three, 0, 0, {}, {}, 1,
                "in modPopulateACTLists: Sub Populate_lvwFields - Line # "},
            {"type lookup failing", three, {}, 2, {},
                {QStringLiteral("One [1]"), QStringLiteral("Three [3]")}, 3,
                "in modPopulateACTLists: Function Include_Field - Line # 1"},
            // Stops at the last 16-bit position instead of hanging.
            {"count beyond the fields", {{7, QStringLiteral("Seven"), 1, 0}}, {}, 0, 2,
                {QStringLiteral("Seven [7]")}, 32768, ""},
        };
    for (const auto &[name, layout, failFromPosition, failTypeOf, countOverride, listed,
             positionsAsked, report] : rows) {
        SCOPED_TRACE(name);
        FakeFields fields(layout);
        fields.failFromPosition = failFromPosition;
        fields.failTypeOf = failTypeOf;
        fields.countOverride = countOverride;
        EXPECT_EQ(fill(fields), listed);
        EXPECT_EQ(fields.positionsAsked, positionsAsked);
        ASSERT_EQ(dialogs.shown().size(), *report ? 1 : 0);
        EXPECT_TRUE(dialogs.texts().join(QString()).contains(QLatin1String(report)));
    }
}

// Headings and the order after each click on a heading, starting from the position order.
TEST_F(FieldPicker, HeadingClicksToggleTheOrderAndMoveTheMarker)
{
    FakeFields fields({{25, QStringLiteral("Alpha"), 1, 0}, {100, QStringLiteral("Gamma"), 1, 1},
        {3, QStringLiteral("Beta"), 1, 2}});
    list.setFieldHeading(QStringLiteral("Contact Fields"));
    fill(fields);
    // IDs sort as text: [100] before [25] before [3].
    const std::tuple<int, const char *, const char *, const char *, const char *> clicks[] = {
        {0, "Contact Fields <<", "ID", "Gamma [100]", "Alpha [25]"},
        {0, "Contact Fields >>", "ID", "Alpha [25]", "Gamma [100]"},
        {1, "Contact Fields", "ID <<", "Beta [3]", "Gamma [100]"},
        {1, "Contact Fields", "ID >>", "Gamma [100]", "Beta [3]"},
    };
    for (const auto &[column, labelHeading, idHeading, firstRow, lastRow] : clicks) {
        SCOPED_TRACE(firstRow);
        list.ColumnClick(column);
        EXPECT_EQ(
            list.headings(), QStringList({QLatin1String(labelHeading), QLatin1String(idHeading)}));
        EXPECT_EQ(rows().constFirst(), QLatin1String(firstRow));
        EXPECT_EQ(rows().constLast(), QLatin1String(lastRow));
    }
}

} // namespace
