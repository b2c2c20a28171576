#include "EditorFixture.h"

#include <QDir>
#include <QMessageBox>

namespace {

using EditorFiles = EditorFixture;

const QString SaveChanges = QStringLiteral("Do you want to save your changes?");
const QString Replace = QStringLiteral(
    "A file with this name already exists. Do you want to replace the existing file?");

// How the document starts, what the user does, the answer to the close question, and what
// the prompt box receives.
TEST_F(EditorFiles, HandBackNamesTheFileOrTheFirstLineOfTheCalculation)
{
    enum Start { Empty, File, Calculation };
    enum Step { Nothing, Type, SaveAs };
    const struct
    {
        const char *name;
        Start start;
        const char *text;
        Step step;
        bool asked;
        const char *handBack; // "@" stands for "File:" and the file's path
    } rows[] = {
        {"file untouched", File, "[25]=[3]*2", Nothing, false, "@"},
        {"empty untouched", Empty, "", Nothing, false, ""},
        {"comment cut", Calculation, "[25]=[3]*2 ' doubled\r\n[26]=1", Nothing, true, "[25]=[3]*2"},
        {"comment on the second line", Calculation, "  [25]=[3]*2 \r\n' note", Nothing, true,
            "[25]=[3]*2"},
        {"control characters", Calculation, "\t[25]=1\x01", Nothing, true, "[25]=1"},
        {"file typed in", File, "[25]=[3]*2", Type, true, "X[25]=[3]*2"},
        {"saved then typed", Calculation, "[25]=1", SaveAs, true, "@"},
        {"typed into empty", Empty, "", Type, true, "X"},
    };
    for (const auto &row : rows) {
        const QString path = appPath(QStringLiteral("handback.ocs"));
        QFile::remove(path);
        database = std::make_unique<FakeDatabase>();
        dialogs.clear();
        if (row.start == File)
            writeFile(QStringLiteral("handback.ocs"), row.text);
        open(EditorMode::Contact, row.start == File ? path : QString());
        if (row.start == Calculation)
            text().setText(QLatin1String(row.text));
        if (row.step == SaveAs) {
            fileDialogs.scriptAnswers({path});
            action("mnuSaveAs")->trigger();
        }
        if (row.step == Type || row.step == SaveAs) {
            text().setSelStart(0);
            QTest::keyClicks(textBox(), QStringLiteral("X"));
        }
        dialogs.scriptAnswers({Dialogs::Answer::No});
        EXPECT_TRUE(closeEditor()) << row.name;
        EXPECT_EQ(dialogs.texts(), row.asked ? QStringList({SaveChanges}) : QStringList())
            << row.name;
        const QString expected = QLatin1String(row.handBack) == QLatin1String("@")
            ? QString(QStringLiteral("File:") + path)
            : QString(QLatin1String(row.handBack));
        EXPECT_EQ(editor->handBack(), expected) << row.name;
    }
}

TEST_F(EditorFiles, CloseQuestionYesSavesAndNoDiscards)
{
    const struct
    {
        Dialogs::Answer answer;
        const char *written;
    } rows[] = {
        {Dialogs::Answer::Yes, "[26]=2"},
        {Dialogs::Answer::No, "[26]=1"},
    };
    for (const auto &row : rows) {
        const QString path = writeFile(QStringLiteral("close.ocs"), "[26]=1");
        database = std::make_unique<FakeDatabase>();
        dialogs.clear();
        open(EditorMode::Contact, path);
        text().setText(QStringLiteral("[26]=2"));
        dialogs.scriptAnswers({row.answer});
        QString handedBack;
        editor->setHandBackTarget([&](const QString &handBack) { handedBack = handBack; });
        EXPECT_TRUE(closeEditor());
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().constFirst().text, SaveChanges);
        EXPECT_EQ(dialogs.shown().constFirst().buttons, Dialogs::Buttons::YesNo);
        EXPECT_EQ(dialogs.shown().constFirst().icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
        EXPECT_EQ(readFile(path), QByteArray(row.written));
        EXPECT_EQ(handedBack,
            row.answer == Dialogs::Answer::Yes ? QString(QStringLiteral("File:") + path)
                                               : QStringLiteral("[26]=2"));
    }
}

// The toolbar's "SaveAs" key and the menu's Save write a document's own file without a
// dialog; only a document without a file asks where to save it.
TEST_F(EditorFiles, SaveWritesTheDocumentsFileAndSaveAsAsks)
{
    enum Command { Save, ToolbarSave, SaveAs };
    const struct
    {
        const char *name;
        bool hasFile;
        Command command;
        int dialogsAsked;
        const char *inOwnFile;
        const char *inChosenFile;
    } rows[] = {
        {"Save with a file", true, Save, 0, "new", "<missing>"},
        {"toolbar with a file", true, ToolbarSave, 0, "new", "<missing>"},
        {"Save As with a file", true, SaveAs, 1, "old", "new"},
        {"Save without a file", false, Save, 1, "<missing>", "new"},
        {"toolbar without a file", false, ToolbarSave, 1, "<missing>", "new"},
        {"Save As without a file", false, SaveAs, 1, "<missing>", "new"},
    };
    for (const auto &row : rows) {
        const QString own = appPath(QStringLiteral("own.ocs"));
        const QString chosen = appPath(QStringLiteral("chosen"));
        QFile::remove(own);
        QFile::remove(chosen);
        if (row.hasFile)
            writeFile(QStringLiteral("own.ocs"), "old");
        database = std::make_unique<FakeDatabase>();
        fileDialogs = ScriptedFileDialogs();
        fileDialogs.scriptAnswers({chosen});
        dialogs.clear();
        open(EditorMode::Contact, row.hasFile ? own : QString());
        text().setText(QStringLiteral("new"));
        const char *const commands[] = {"mnuSave", "SaveAs", "mnuSaveAs"};
        action(commands[row.command])->trigger();
        EXPECT_EQ(fileDialogs.requests().size(), row.dialogsAsked) << row.name;
        EXPECT_EQ(readFile(own), QByteArray(row.inOwnFile)) << row.name;
        // A name typed without extension is written as typed.
        EXPECT_EQ(readFile(chosen), QByteArray(row.inChosenFile)) << row.name;
        EXPECT_TRUE(closeEditor()) << row.name;
        EXPECT_TRUE(dialogs.shown().isEmpty()) << row.name; // saved: nothing to ask
    }
}

TEST_F(EditorFiles, ReplaceQuestionDecidesWhetherTheFileIsWritten)
{
    const QString existing = writeFile(QStringLiteral("existing.ocs"), "keep me");
    open();
    text().setText(QStringLiteral("[25]=1"));
    fileDialogs.scriptAnswers({existing});
    dialogs.scriptAnswers({Dialogs::Answer::No});
    action("mnuSaveAs")->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().constFirst().text, Replace);
    EXPECT_EQ(dialogs.shown().constFirst().defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(dialogs.shown().constFirst().icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(readFile(existing), QByteArray("keep me"));
    // A close whose save did not replace the file stays open with the text.
    dialogs.clear();
    dialogs.scriptAnswers({Dialogs::Answer::Yes, Dialogs::Answer::No});
    fileDialogs.scriptAnswers({existing});
    EXPECT_FALSE(closeEditor());
    EXPECT_EQ(dialogs.texts(), QStringList({SaveChanges, Replace}));
    EXPECT_EQ(readFile(existing), QByteArray("keep me"));
    fileDialogs.scriptAnswers({existing});
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    action("mnuSaveAs")->trigger();
    EXPECT_EQ(readFile(existing), QByteArray("[25]=1"));
    dialogs.clear();
    EXPECT_TRUE(closeEditor());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(editor->handBack(), QStringLiteral("File:") + existing);
}

// A close whose save is cancelled or fails stays open with the text and its changes.
TEST_F(EditorFiles, CloseStaysOpenWhenItsSaveDoesNotHappen)
{
    open();
    text().setText(QStringLiteral("[25]=1"));
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    EXPECT_FALSE(closeEditor());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=1"));
    EXPECT_EQ(editor->handBack(), QStringLiteral("[25]=1")); // written even so
    dialogs.clear();
    dialogs.scriptAnswers({Dialogs::Answer::No});
    EXPECT_TRUE(closeEditor());
    EXPECT_EQ(dialogs.texts(), QStringList({SaveChanges}));
}

TEST_F(EditorFiles, FailedSaveIsReportedAndKeepsTheChanges)
{
    QDir folder(appPath(QStringLiteral("gone")));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    const QString path = folder.filePath(QStringLiteral("calc.ocs"));
    writeFile(QStringLiteral("gone/calc.ocs"), "[25]=1");
    open(EditorMode::Contact, path);
    text().setText(QStringLiteral("[25]=2"));
    ASSERT_TRUE(folder.removeRecursively());

    action("mnuSave")->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().constFirst().text.contains(
        QStringLiteral("in frmEditor: Sub mnuSave_Click - Line # ")));
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=2"));

    dialogs.clear();
    dialogs.scriptAnswers({Dialogs::Answer::Yes});
    EXPECT_FALSE(closeEditor());
    EXPECT_EQ(dialogs.shown().size(), 2); // the question, then the report again
    dialogs.clear();
    dialogs.scriptAnswers({Dialogs::Answer::No});
    EXPECT_TRUE(closeEditor());
}

// Cancelled or refused, Open leaves the document; a chosen file is loaded as unchanged.
TEST_F(EditorFiles, OpenLoadsTheChosenFileOrLeavesTheDocument)
{
    const QString binary = writeFile(QStringLiteral("binary.ocs"), QByteArray("a\0b", 3));
    const QString path = writeFile(QStringLiteral("opened.ocs"), "[26]=If([4]>100;1;0)");
    open();
    text().setText(QStringLiteral("mine"));
    fileDialogs.scriptAnswers({std::nullopt, binary, path});
    action("mnuOpen")->trigger();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    action("mnuOpen")->trigger();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(text().Text(), QStringLiteral("mine"));
    EXPECT_EQ(editor->sLoadedFile, QString());
    dialogs.clear();
    action("Open")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[26]=If([4]>100;1;0)"));
    EXPECT_EQ(editor->sLoadedFile, path);
    EXPECT_TRUE(closeEditor());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(editor->handBack(), QStringLiteral("File:") + path);
}

TEST_F(EditorFiles, NewEmptiesTheDocumentWithoutAsking)
{
    const QString path = writeFile(QStringLiteral("calc.ocs"), "[25]=1");
    open(EditorMode::Contact, path);
    action("mnuNew")->trigger();
    EXPECT_EQ(text().Text(), QString());
    EXPECT_EQ(editor->sLoadedFile, QString());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    dialogs.scriptAnswers({Dialogs::Answer::No});
    EXPECT_TRUE(closeEditor());
    EXPECT_EQ(dialogs.texts(), QStringList({SaveChanges})); // emptying was a change
}

// Two or more pieces go to the chooser; otherwise the whole text goes to the preview.
TEST_F(EditorFiles, PreviewCutsTheTextAtEverySeparator)
{
    const struct
    {
        const char *text;
        QStringList pieces;
    } rows[] = {
        {"a\\/b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a", {QStringLiteral("a")}},
        {"a\\/", {QStringLiteral("a"), QString()}},
        {"[25]=1\r\n\\/[26]=2\\/[27]=3",
            {QStringLiteral("[25]=1\r\n"), QStringLiteral("[26]=2"), QStringLiteral("[27]=3")}},
        {"a\\b/c", {QStringLiteral("a\\b/c")}},
        {"", {}},
    };
    open();
    for (const auto &row : rows) {
        preview = RecordingPreview();
        text().setText(QLatin1String(row.text));
        action("PreviewMode")->trigger();
        EXPECT_EQ(editor->vCalcs, row.pieces) << row.text;
        if (row.pieces.size() >= 2) {
            EXPECT_EQ(preview.chooser, QList<QStringList>({row.pieces})) << row.text;
            EXPECT_TRUE(preview.previews.isEmpty()) << row.text;
        } else {
            EXPECT_TRUE(preview.chooser.isEmpty()) << row.text;
            EXPECT_EQ(preview.previews, QStringList({QLatin1String(row.text)})) << row.text;
        }
    }
}

} // namespace
