#include "EditorFixture.h"

#include <QDir>

namespace {

using EditorFiles = EditorFixture;
using Answer = Dialogs::Answer;

const QString SaveChanges = QStringLiteral("Do you want to save your changes?");
const QString Replace = QStringLiteral("A file with this name already exists. Do you want to "
                                       "replace the existing file?");

// How the document starts, what the user does, the answer to the close question, what the prompt
// box receives and what the file holds afterwards.
TEST_F(EditorFiles, CloseAsksForChangesAndHandsBackTheFileOrTheFirstLine)
{
    enum Start { Empty, File, Calculation };
    enum Step { Nothing, Type, SaveAs };
    // handBack: "@" stands for "File:" and the file's path
    const std::tuple<const char *, Start, const char *, Step, Answer, const char *, const char *>
        rows[] = {
            {"file untouched", File, "[25]=[3]*2", Nothing, Answer::No, "@", "[25]=[3]*2"},
            {"empty untouched", Empty, "", Nothing, Answer::No, "", "<missing>"},
            {"comment cut", Calculation, "\t[25]=[3]*2\x01 ' x\r\n[26]=1", Nothing, Answer::No,
                "[25]=[3]*2", "<missing>"},
            {"file typed in", File, "[25]=[3]*2", Type, Answer::No, "X[25]=[3]*2", "[25]=[3]*2"},
            {"file typed in, saved", File, "[25]=[3]*2", Type, Answer::Yes, "@", "X[25]=[3]*2"},
            {"saved then typed", Calculation, "[25]=1", SaveAs, Answer::No, "@", "[25]=1"},
        };
    const QString path = appPath(QStringLiteral("handback.ocs"));
    for (const auto &[name, start, content, step, answer, handBack, inFile] : rows) {
        SCOPED_TRACE(name);
        QFile::remove(path);
        dialogs.clear();
        if (start == File)
            writeFile(QStringLiteral("handback.ocs"), content);
        open(EditorMode::Contact, start == File ? path : QString());
        if (start == Calculation)
            text().setText(QLatin1String(content));
        if (step == SaveAs) {
            fileDialogs.scriptAnswers({path});
            action("mnuSaveAs")->trigger();
        }
        if (step != Nothing) {
            text().setSelStart(0);
            QTest::keyClicks(textBox(), QStringLiteral("X"));
        }
        dialogs.scriptAnswers({answer});
        EXPECT_TRUE(editor->close());
        const bool changed = start == Calculation || step != Nothing;
        EXPECT_EQ(dialogs.texts(), changed ? QStringList({SaveChanges}) : QStringList());
        if (changed) {
            EXPECT_EQ(dialogs.shown().constFirst().buttons, Dialogs::Buttons::YesNo);
            EXPECT_EQ(dialogs.shown().constFirst().icon, Dialogs::Icon::Exclamation);
            EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
        }
        EXPECT_EQ(editor->handBack(),
            *handBack == '@' ? QStringLiteral("File:") + path : QString::fromUtf8(handBack));
        EXPECT_EQ(readFile(path), QByteArray(inFile));
    }
}

// The toolbar's "SaveAs" key and the menu's Save write a document's own file without a dialog; only
// a document without a file asks where to save it.
TEST_F(EditorFiles, SaveWritesTheDocumentsFileAndSaveAsAsks)
{
    const std::tuple<bool, const char *, int, const char *, const char *> rows[] = {
        {true, "mnuSave", 0, "new", "<missing>"},
        {true, "SaveAs", 0, "new", "<missing>"},
        {true, "mnuSaveAs", 1, "old", "new"},
        {false, "mnuSave", 1, "<missing>", "new"},
    };
    const QString own = appPath(QStringLiteral("own.ocs"));
    const QString chosen = appPath(QStringLiteral("chosen")); // written as typed
    for (const auto &[hasFile, command, dialogsAsked, inOwnFile, inChosenFile] : rows) {
        SCOPED_TRACE(command);
        QFile::remove(own);
        QFile::remove(chosen);
        if (hasFile)
            writeFile(QStringLiteral("own.ocs"), "old");
        fileDialogs = ScriptedFileDialogs();
        fileDialogs.scriptAnswers({chosen});
        open(EditorMode::Contact, hasFile ? own : QString());
        text().setText(QStringLiteral("new"));
        action(command)->trigger();
        EXPECT_EQ(fileDialogs.requests().size(), dialogsAsked);
        EXPECT_EQ(readFile(own), QByteArray(inOwnFile));
        EXPECT_EQ(readFile(chosen), QByteArray(inChosenFile));
        EXPECT_TRUE(editor->close());
        EXPECT_TRUE(dialogs.shown().isEmpty()); // saved: nothing to ask
    }
}

// A close whose save is cancelled, does not replace the file or fails stays open with the text.
TEST_F(EditorFiles, CloseStaysOpenWhenItsSaveIsCancelledDeclinedOrFails)
{
    QDir folder(appPath(QStringLiteral("sub")));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    const QString existing = writeFile(QStringLiteral("sub/existing.ocs"), "keep me");
    open();
    text().setText(QStringLiteral("[25]=1"));
    dialogs.scriptAnswers({Answer::Yes});
    EXPECT_FALSE(editor->close());
    EXPECT_EQ(editor->handBack(), QStringLiteral("[25]=1")); // written even so
    dialogs.clear();
    dialogs.scriptAnswers({Answer::Yes, Answer::No});
    fileDialogs.scriptAnswers({existing});
    EXPECT_FALSE(editor->close());
    EXPECT_EQ(dialogs.texts(), QStringList({SaveChanges, Replace}));
    EXPECT_EQ(dialogs.shown().at(1).defaultAnswer, Answer::No);
    EXPECT_EQ(dialogs.shown().at(1).icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(readFile(existing), QByteArray("keep me"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=1"));

    fileDialogs.scriptAnswers({existing});
    dialogs.scriptAnswers({Answer::Yes});
    action("mnuSaveAs")->trigger();
    EXPECT_EQ(readFile(existing), QByteArray("[25]=1"));
    text().setText(QStringLiteral("[25]=2"));
    ASSERT_TRUE(folder.removeRecursively());
    dialogs.clear();
    action("mnuSave")->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().constFirst().text.contains(
        QStringLiteral("in frmEditor: Sub mnuSave_Click - Line # ")));
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=2"));
    dialogs.clear();
    dialogs.scriptAnswers({Answer::Yes});
    EXPECT_FALSE(editor->close());
    EXPECT_EQ(dialogs.shown().size(), 2); // the question, then the report again
}

// New empties the document without asking. Cancelled or refused, Open leaves the document; a
// chosen file is loaded as unchanged.
TEST_F(EditorFiles, NewEmptiesAndOpenLoadsTheChosenFile)
{
    const QString binary = writeFile(QStringLiteral("binary.ocs"), QByteArray("a\0b", 3));
    const QString path = writeFile(QStringLiteral("opened.ocs"), "[26]=If([4]>100;1;0)");
    open(EditorMode::Contact, path);
    action("mnuNew")->trigger();
    EXPECT_EQ(text().Text(), QString());
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
    EXPECT_TRUE(editor->close());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(editor->handBack(), QStringLiteral("File:") + path);
}

// Two or more pieces go to the chooser; otherwise the whole text goes to the preview.
TEST_F(EditorFiles, PreviewCutsTheTextAtEverySeparator)
{
    const std::tuple<const char *, QStringList> rows[] = {
        {"a\\/b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\\b/c", {QStringLiteral("a\\b/c")}},
        {"", {}},
    };
    open();
    for (const auto &[content, pieces] : rows) {
        SCOPED_TRACE(content);
        preview = RecordingPreview();
        text().setText(QLatin1String(content));
        action("PreviewMode")->trigger();
        const bool chooser = pieces.size() >= 2;
        EXPECT_EQ(preview.chooser, chooser ? QList<QStringList>({pieces}) : QList<QStringList>());
        EXPECT_EQ(preview.previews, chooser ? QStringList() : QStringList({content}));
    }
}

} // namespace
