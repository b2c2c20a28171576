#include "EditorFixture.h"
#include "SyntaxCatalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>

namespace {

class EditorInsert : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        open();
    }

    void choose(const char *command, const char *list, const QString &listText)
    {
        action(command)->trigger();
        clickItem(child<QListWidget>(list), listText);
    }
    // Clicks in the text just after the character at position (CR LF counting two).
    void clickAfter(int position)
    {
        text().setSelStart(position);
        QTest::mouseClick(
            textBox()->viewport(), Qt::LeftButton, {}, textBox()->cursorRect().center());
    }
    void startWith(const QString &content, int caret = -1)
    {
        text().setText(content);
        text().setSelStart(caret < 0 ? int(content.size()) : caret);
    }
};

TEST_F(EditorInsert, EveryFunctionRowInsertsItsTemplateWithRedPlaceholders)
{
    // A placeholder standing as a word of its own; "1<value1>" of Count is one plain word.
    const QRegularExpression placeholder(QStringLiteral("(?<=[(;])<[^>]*>"));
    for (const SyntaxCatalogue::Entry &entry :
        SyntaxCatalogue::entries(SyntaxCatalogue::List::Functions)) {
        SCOPED_TRACE(qPrintable(entry.listText));
        startWith(QString());
        choose("mnuInsertFunction", "lstFunctions", entry.listText);
        EXPECT_EQ(text().Text(), entry.insertedText);
        EXPECT_EQ(text().SelStart(), entry.insertedText.size());
        EXPECT_FALSE(child<QWidget>("lstFunctions")->isVisible());
        for (const QRegularExpressionMatch &match : placeholder.globalMatch(entry.insertedText)) {
            text().setSelStart(int(match.capturedEnd()));
            EXPECT_EQ(text().SelColor().toUInt(), 0x0000FFu) << qPrintable(match.captured());
        }
    }
}

TEST_F(EditorInsert, OperatorsAreInsertedAsListedUndoneAndCommentsReplaceTheSelection)
{
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    startWith(QStringLiteral("[25]"));
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    choose("InsertOperator", "lstOperators", QStringLiteral("<>"));
    EXPECT_EQ(text().Text(), QStringLiteral("[25]<>"));
    EXPECT_FALSE(child<QWidget>("lstOperators")->isVisible());
    action("mnuUndo")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]"));

    startWith(QStringLiteral("[25]=1 word"), 7);
    text().setSelLength(4);
    action("mnuInsertComment")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=1 ' Comment"));
    EXPECT_EQ(text().SelColor().toUInt(), 0x008000u); // green like every comment
    action("InsertComment")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=1 ' Comment' Comment"));
}

TEST_F(EditorInsert, FieldReplacesThePlaceholderUnderTheCaretOrTheSelection)
{
    const std::tuple<const char *, int, int, const char *> rows[] = {
        {"Day(<date>)", 6, 0, "Day([3])"},
        {"Day(<date>)", 4, 0, "Day([3]<date>)"},
        {"[26]=word*2", 5, 4, "[26]=[3]*2"},
        {"[26]=", 5, 0, "[26]=[3]"},
    };
    for (const auto &[content, caret, selected, result] : rows) {
        startWith(QLatin1String(content), caret);
        text().setSelLength(selected);
        action("mnuInsertField")->trigger();
        clickItem(child<FieldList>("lvwFields"), QStringLiteral("[3]"), 1);
        EXPECT_EQ(text().Text(), QLatin1String(result)) << content;
        EXPECT_FALSE(child<QWidget>("lvwFields")->isVisible());
    }
}

TEST_F(EditorInsert, ClickSelectsAPlaceholderWholeAndKeysTypeOverIt)
{
    startWith(QString());
    choose("mnuInsertFunction", "lstFunctions", QStringLiteral("If()"));
    clickAfter(24); // If(<logical_test>;<value_if_true>;<value_if_false>)
    EXPECT_EQ(text().SelText(), QStringLiteral("<value_if_true>"));
    clickAfter(1); // on the black function name
    EXPECT_EQ(text().SelLength(), 0);

    const std::tuple<int, Qt::Key, const char *> rows[] = {
        {10, Qt::Key_A, "Day(a)"},
        {4, Qt::Key_A, "Day(a<date>)"},
        {7, Qt::Key_Backspace, "Day(<dte>)"},
        {7, Qt::Key_Delete, "Day()"},
    };
    for (const auto &[caret, key, result] : rows) {
        startWith(QStringLiteral("Day(<date>)"), caret);
        QTest::keyClick(textBox(), key);
        EXPECT_EQ(text().Text(), QLatin1String(result)) << caret << ' ' << key;
    }
    // A selection made inside a placeholder is typed over alone.
    startWith(QStringLiteral("Day(<date>)"), 6);
    text().setSelLength(2);
    QTest::keyClick(textBox(), Qt::Key_A);
    EXPECT_EQ(text().Text(), QStringLiteral("Day(<dae>)"));
}

// Cut and Copy follow the selection; Paste waits for a cut or copy in this window. The right button
// opens the same commands.
TEST_F(EditorInsert, ClipboardCommandsFollowTheSelectionAndTheFirstCopy)
{
    const char *const cutCopy[] = {"mnuCut", "mnuCopy", "mnuPopCut", "mnuPopCopy", "Cut", "Copy"};
    const char *const paste[] = {"mnuPaste", "mnuPopPaste", "Paste"};
    const auto expectEnabled = [&](const auto &names, bool expected) {
        for (const char *name : names)
            EXPECT_EQ(action(name)->isEnabled(), expected) << name;
    };
    QApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    expectEnabled(paste, false);
    startWith(QStringLiteral("[25]=[3]*2"));
    QTest::keyClick(textBox(), Qt::Key_Left, Qt::ShiftModifier);
    expectEnabled(cutCopy, true);
    QTest::mousePress(textBox()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(child<QMenu>("mnuPopup")->isVisible());
    child<QMenu>("mnuPopup")->close();
    action("Cut")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=[3]*"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2"));
    expectEnabled(cutCopy, false);
    expectEnabled(paste, true);

    open();
    startWith(QStringLiteral("[25]=[3]*2"), 8);
    QTest::keyClick(textBox(), Qt::Key_Home, Qt::ShiftModifier);
    action("mnuCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("[25]=[3]"));
    expectEnabled(paste, true);
    QApplication::clipboard()->setText(QStringLiteral("Abs"));
    text().setSelStart(0);
    action("mnuPopPaste")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("Abs[25]=[3]*2"));
    QApplication::clipboard()->clear();
    action("Paste")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("Abs[25]=[3]*2"));
}

} // namespace
