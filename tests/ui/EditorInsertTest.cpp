#include "EditorFixture.h"
#include "SyntaxCatalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>

namespace {

constexpr quint32 Red = 255;
constexpr quint32 Black = 0;

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
        clickListEntry(child<QListWidget>(list), listText);
    }
    void chooseField(const QString &reference)
    {
        action("mnuInsertField")->trigger();
        clickField(child<FieldList>("lvwFields"), reference);
    }
    // Clicks in the text just after the character at position (CR LF counting two).
    void clickAfter(int position)
    {
        text().setSelStart(position);
        const QPoint at = textBox()->cursorRect().center();
        QTest::mouseClick(textBox()->viewport(), Qt::LeftButton, {}, at);
    }
    quint32 colourBefore(int position) const
    {
        text().setSelStart(position);
        text().setSelLength(0);
        return text().SelColor().toUInt();
    }
    void startWith(const QString &content)
    {
        text().setText(content);
        text().setSelStart(int(content.size()));
    }
    bool enabled(const char *name) const { return action(name)->isEnabled(); }
};

TEST_F(EditorInsert, EveryFunctionRowInsertsItsTemplateWithRedPlaceholders)
{
    // A placeholder standing as a word of its own; "1<value1>" of Count is one plain word.
    const QRegularExpression placeholder(QStringLiteral("(?<=[(;])<[^>]*>"));
    for (const SyntaxCatalogue::Entry &entry :
        SyntaxCatalogue::entries(SyntaxCatalogue::List::Functions)) {
        startWith(QString());
        choose("mnuInsertFunction", "lstFunctions", entry.listText);
        EXPECT_EQ(text().Text(), entry.insertedText);
        EXPECT_EQ(text().SelStart(), entry.insertedText.size()) << qPrintable(entry.listText);
        EXPECT_EQ(text().SelLength(), 0);
        EXPECT_FALSE(child<QWidget>("lstFunctions")->isVisible());
        for (const QRegularExpressionMatch &match : placeholder.globalMatch(entry.insertedText))
            EXPECT_EQ(colourBefore(int(match.capturedEnd())), Red)
                << qPrintable(entry.insertedText) << ' ' << qPrintable(match.captured());
    }
}

TEST_F(EditorInsert, EveryOperatorIsInsertedAsListed)
{
    for (const SyntaxCatalogue::Entry &entry :
        SyntaxCatalogue::entries(SyntaxCatalogue::List::Operators)) {
        startWith(QStringLiteral("[25]"));
        choose("mnuInsertOperator", "lstOperators", entry.listText);
        EXPECT_EQ(text().Text(), QStringLiteral("[25]") + entry.listText);
        EXPECT_FALSE(child<QWidget>("lstOperators")->isVisible());
    }
    startWith(QStringLiteral("[1]"));
    choose("InsertOperator", "lstOperators", QStringLiteral("AND"));
    EXPECT_EQ(text().Text(), QStringLiteral("[1]AND"));
}

TEST_F(EditorInsert, CommentReplacesTheSelectionAndIsGreen)
{
    startWith(QStringLiteral("[25]=1 word"));
    text().setSelStart(7);
    text().setSelLength(4);
    action("mnuInsertComment")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=1 ' Comment"));
    EXPECT_EQ(colourBefore(16), 0x008000u);
    startWith(QStringLiteral("x"));
    action("InsertComment")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("x' Comment"));
}

TEST_F(EditorInsert, FieldReplacesThePlaceholderUnderTheCaretOrTheSelection)
{
    const struct
    {
        const char *text;
        int caret;
        int selected;
        const char *reference;
        const char *result;
    } rows[] = {
        {"Day(<date>)", 6, 0, "[25]", "Day([25])"},
        {"Day(<date>)", 10, 0, "[3]", "Day([3])"},
        {"Day(<date>)", 4, 0, "[25]", "Day([25]<date>)"},
        {"[26]=word*2", 5, 4, "[3]", "[26]=[3]*2"},
        {"[26]=", 5, 0, "[25]", "[26]=[25]"},
    };
    for (const auto &row : rows) {
        startWith(QLatin1String(row.text));
        text().setSelStart(row.caret);
        text().setSelLength(row.selected);
        chooseField(QLatin1String(row.reference));
        EXPECT_EQ(text().Text(), QLatin1String(row.result)) << row.text;
        EXPECT_FALSE(child<QWidget>("lvwFields")->isVisible());
    }
}

TEST_F(EditorInsert, ClickSelectsAPlaceholderWholeAndTypingReplacesIt)
{
    startWith(QString());
    choose("mnuInsertFunction", "lstFunctions", QStringLiteral("If()"));
    // If(<logical_test>;<value_if_true>;<value_if_false>)
    clickAfter(24);
    EXPECT_EQ(text().SelText(), QStringLiteral("<value_if_true>"));
    QTest::keyClicks(textBox(), QStringLiteral("y"));
    EXPECT_EQ(text().Text(), QStringLiteral("If(<logical_test>;y;<value_if_false>)"));

    clickAfter(1); // on the black function name
    EXPECT_EQ(text().SelLength(), 0);
}

TEST_F(EditorInsert, KeysTypeOverAPlaceholderFromTheCaretsSide)
{
    const struct
    {
        const char *name;
        int caret;
        Qt::Key key;
        const char *result;
    } rows[] = {
        {"letter after >", 10, Qt::Key_A, "Day(a)"},
        {"letter before <", 4, Qt::Key_A, "Day(a<date>)"},
        {"letter inside", 7, Qt::Key_B, "Day(b)"},
        {"backspace inside", 7, Qt::Key_Backspace, "Day(<dte>)"},
        {"space inside", 7, Qt::Key_Space, "Day(<da te>)"},
        {"delete inside", 7, Qt::Key_Delete, "Day()"},
    };
    for (const auto &row : rows) {
        startWith(QStringLiteral("Day(<date>)"));
        text().setSelStart(row.caret);
        QTest::keyClick(textBox(), row.key);
        EXPECT_EQ(text().Text(), QLatin1String(row.result)) << row.name;
    }
}

TEST_F(EditorInsert, UndoTakesBackAnInsertion)
{
    EXPECT_FALSE(enabled("mnuUndo"));
    startWith(QStringLiteral("[25]="));
    EXPECT_TRUE(enabled("mnuUndo"));
    text().setSelStart(5);
    choose("mnuInsertFunction", "lstFunctions", QStringLiteral("Len()"));
    ASSERT_EQ(text().Text(), QStringLiteral("[25]=Len(<string>)"));
    action("mnuUndo")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]="));
    EXPECT_TRUE(enabled("mnuUndo"));
}

TEST_F(EditorInsert, PasteWaitsForACutOrCopyInThisWindow)
{
    QApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    const char *const pasteCommands[] = {"mnuPaste", "mnuPopPaste", "Paste"};
    for (const char *name : pasteCommands)
        EXPECT_FALSE(enabled(name)) << name;

    startWith(QStringLiteral("[25]=[3]*2"));
    text().setSelStart(8);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(textBox(), Qt::Key_Left, Qt::ShiftModifier);
    action("mnuCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("[3]"));
    for (const char *name : pasteCommands)
        EXPECT_TRUE(enabled(name)) << name;

    QApplication::clipboard()->clear();
    text().setSelStart(0);
    text().setSelLength(0);
    action("Paste")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=[3]*2"));
    for (const char *name : pasteCommands)
        EXPECT_TRUE(enabled(name)) << name;

    QApplication::clipboard()->setText(QStringLiteral("Abs"));
    action("mnuPopPaste")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("Abs[25]=[3]*2"));
}

TEST_F(EditorInsert, CutAndCopyFollowTheSelection)
{
    const char *const cutCopy[] = {"mnuCut", "mnuCopy", "mnuPopCut", "mnuPopCopy", "Cut", "Copy"};
    startWith(QStringLiteral("[25]=[3]*2"));
    textBox()->setFocus();
    QTest::keyClick(textBox(), Qt::Key_Left, Qt::ShiftModifier);
    for (const char *name : cutCopy)
        EXPECT_TRUE(enabled(name)) << name;

    action("Cut")->trigger();
    EXPECT_EQ(text().Text(), QStringLiteral("[25]=[3]*"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2"));
    for (const char *name : cutCopy)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("mnuPaste"));
}

TEST_F(EditorInsert, RightButtonOpensTheContextMenu)
{
    startWith(QStringLiteral("[25]=1"));
    text().setSelStart(0);
    text().setSelLength(4);
    auto *popup = child<QMenu>("mnuPopup");
    QTest::mousePress(textBox()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(popup->isVisible());
    popup->close();
}

} // namespace
