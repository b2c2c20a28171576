#include "SyntaxboxTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

using namespace SyntaxboxTestSupport;

namespace {

QPlainTextEdit *innerOf(RtbSyntax &box)
{
    return box.findChild<QPlainTextEdit *>(QStringLiteral("rtb"));
}

struct EditCase
{
    const char *name;
    QString before;
    int caret;
    std::function<void(RtbSyntax &, QPlainTextEdit *)> edit;
    QString after;
};

void PrintTo(const EditCase &row, std::ostream *out)
{
    *out << row.name;
}

class Recolouring : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(Recolouring, ShowsEveryLineInItsTokenColoursAfterTheEdit)
{
    const EditCase &row = GetParam();
    RtbSyntax box;
    box.resize(400, 200);
    box.show();
    box.setText(row.before);
    box.setSelStart(row.caret);
    row.edit(box, innerOf(box));
    ASSERT_EQ(box.Text(), row.after);
    EXPECT_EQ(shownLetters(box), expectedLetters(row.after));
}

void typeText(QPlainTextEdit *inner, const QString &text)
{
    QTest::keyClicks(inner, text);
}

void press(QPlainTextEdit *inner, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(inner, key, modifiers);
}

void selectBack(RtbSyntax &box, int length)
{
    const int end = box.SelStart();
    box.setSelStart(end - length);
    box.setSelLength(length);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, Recolouring,
    ::testing::Values(
        EditCase{"typeCompletesAFunctionName", QStringLiteral("x = No + 1"), 6,
                 [](RtbSyntax &, QPlainTextEdit *inner) { typeText(inner, QStringLiteral("w")); },
                 QStringLiteral("x = Now + 1")},
        EditCase{"typeSpoilsAFunctionName", QStringLiteral("[1]=Len(x)"), 7,
                 [](RtbSyntax &, QPlainTextEdit *inner) { typeText(inner, QStringLiteral("g")); },
                 QStringLiteral("[1]=Leng(x)")},
        EditCase{"apostropheTurnsTheRestIntoAComment", QStringLiteral("a\r\nx = Now\r\nb"), 5,
                 [](RtbSyntax &, QPlainTextEdit *inner) { typeText(inner, QStringLiteral("'")); },
                 QStringLiteral("a\r\nx '= Now\r\nb")},
        EditCase{"openBracketRunsToTheEndOfTheLine", QStringLiteral("Abs(x) + Now\r\nNow"), 4,
                 [](RtbSyntax &, QPlainTextEdit *inner) { typeText(inner, QStringLiteral("[")); },
                 QStringLiteral("Abs([x) + Now\r\nNow")},
        EditCase{"enterInTheMiddleOfALine", QStringLiteral("x\r\n[1]=Now+Len([2])"), 11,
                 [](RtbSyntax &, QPlainTextEdit *inner) { press(inner, Qt::Key_Return); },
                 QStringLiteral("x\r\n[1]=Now+\r\nLen([2])")},
        EditCase{"enterSplitsAFunctionName", QStringLiteral("MinC"), 3,
                 [](RtbSyntax &, QPlainTextEdit *inner) { press(inner, Qt::Key_Return); },
                 QStringLiteral("Min\r\nC")},
        EditCase{"shiftEnterIsAPlainLineBreak", QStringLiteral("Now Now"), 3,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     press(inner, Qt::Key_Return, Qt::ShiftModifier);
                 },
                 QStringLiteral("Now\r\n Now")},
        EditCase{"deleteAtTheVeryEnd", QStringLiteral("y\r\nx = Nowhere"), 14,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     for (int i = 0; i < 4; ++i)
                         press(inner, Qt::Key_Backspace);
                 },
                 QStringLiteral("y\r\nx = Now")},
        EditCase{"deleteJoinsTwoLines", QStringLiteral("Le\r\nft(x) ' c"), 2,
                 [](RtbSyntax &, QPlainTextEdit *inner) { press(inner, Qt::Key_Delete); },
                 QStringLiteral("Left(x) ' c")},
        EditCase{"pasteOfManyLines", QStringLiteral("[1]=\r\nend"), 4,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     QApplication::clipboard()->setText(
                         QStringLiteral("Len([2])\r\n' note\r\nAbs(<number>)"));
                     press(inner, Qt::Key_V, Qt::ControlModifier);
                 },
                 QStringLiteral("[1]=Len([2])\r\n' note\r\nAbs(<number>)\r\nend")},
        EditCase{"cutLeavesAFunctionName", QStringLiteral("Nowhere"), 7,
                 [](RtbSyntax &box, QPlainTextEdit *inner) {
                     selectBack(box, 4);
                     press(inner, Qt::Key_X, Qt::ControlModifier);
                 },
                 QStringLiteral("Now")},
        EditCase{"selTextInsertsAFunctionTemplate", QStringLiteral("[5]=\r\nx"), 4,
                 [](RtbSyntax &box, QPlainTextEdit *) {
                     box.setSelText(QStringLiteral("Left(<value>;<#_of_chars>)"));
                 },
                 QStringLiteral("[5]=Left(<value>;<#_of_chars>)\r\nx")},
        EditCase{"undoOfTyping", QStringLiteral("Now"), 3,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     typeText(inner, QStringLiteral("here"));
                     press(inner, Qt::Key_Z, Qt::ControlModifier);
                 },
                 QStringLiteral("Now")},
        EditCase{"redoOfTyping", QStringLiteral("Ab"), 2,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     typeText(inner, QStringLiteral("s"));
                     inner->undo();
                     inner->redo();
                 },
                 QStringLiteral("Abs")},
        EditCase{"undoOfJoiningLines", QStringLiteral("Mi\r\nn"), 2,
                 [](RtbSyntax &, QPlainTextEdit *inner) {
                     press(inner, Qt::Key_Delete);
                     inner->undo();
                 },
                 QStringLiteral("Mi\r\nn")},
        EditCase{"assignText", QStringLiteral("x"), 0,
                 [](RtbSyntax &box, QPlainTextEdit *) {
                     box.setText(QStringLiteral("' a\r\n[1]=Now\r\nIf(<logical_test>;1;2)"));
                 },
                 QStringLiteral("' a\r\n[1]=Now\r\nIf(<logical_test>;1;2)")},
        EditCase{"assignTextRtf", QStringLiteral("x"), 0,
                 [](RtbSyntax &box, QPlainTextEdit *) {
                     box.setTextRTF(QStringLiteral(
                         "<html><body><p>[1]=<b>Len</b>(x)<br/>Now</p><p>'c</p></body></html>"));
                 },
                 QStringLiteral("[1]=Len(x)\r\nNow\r\n'c")}));

TEST(Recolouring, LoadFileFollowedByHighlightRefreshColoursTheWholeFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("calc.ocs"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[25]=Now ' stamp\r\n[26]=If([3]>1;1;0)\r\n[27]=Year(Now)");
    file.close();
    RtbSyntax box;
    box.LoadFile(path, RtbSyntax::rtfText);
    box.HighlightRefresh();
    EXPECT_EQ(shownLetters(box), expectedLetters(box.Text()));
    EXPECT_EQ(box.FileName(), path);
}

TEST(Recolouring, KeepsTheSelectionAndNeverEntersTheUndoHistory)
{
    RtbSyntax box;
    box.setText(QStringLiteral("[1]=Now + 1\r\n[2]=Len([1])"));
    QTextDocument *document = innerOf(box)->document();
    box.setSelStart(5);
    box.setSelLength(3);
    box.HighlightRefresh();
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 3);
    EXPECT_FALSE(document->isUndoAvailable());
    EXPECT_FALSE(document->isModified());

    box.setSelStart(7);
    QTest::keyClicks(innerOf(box), QStringLiteral("here"));
    EXPECT_EQ(colourAt(box, 4), 0u);
    innerOf(box)->undo();
    EXPECT_EQ(box.Text(), QStringLiteral("[1]=Now + 1\r\n[2]=Len([1])"));
    EXPECT_FALSE(document->isUndoAvailable());
    EXPECT_EQ(colourAt(box, 4), 0xFF0000u);
}

TEST(Recolouring, ChangesNothingButTheColour)
{
    RtbSyntax box;
    box.setText(QStringLiteral("[1]=Now ' c"));
    const QTextCharFormat before = innerOf(box)->document()->begin().charFormat();
    box.HighlightRefresh();
    QTextCursor cursor(innerOf(box)->document());
    for (int i = 1; i <= 11; ++i) {
        cursor.setPosition(i);
        EXPECT_FALSE(cursor.charFormat().hasProperty(QTextFormat::ForegroundBrush)) << i;
        EXPECT_EQ(
            cursor.charFormat().font(), innerOf(box)->document()->begin().charFormat().font());
    }
    EXPECT_EQ(before, innerOf(box)->document()->begin().charFormat());
}

TEST(SelColor, ReadsTheColourBeforeTheCaretAsShown)
{
    RtbSyntax box;
    box.setText(QStringLiteral("Left(<value>;x)"));
    const struct
    {
        int caret;
        quint32 colour;
    } rows[] = {{1, 0xFF0000}, {6, 0x0000FF}, {12, 0x0000FF}, {13, 0}, {5, 0}, {0, 0xFF0000}};
    for (const auto &row : rows) {
        box.setSelStart(row.caret);
        EXPECT_EQ(box.SelColor().toUInt(), row.colour) << row.caret;
    }
    box.setSelStart(4);
    box.setSelLength(3);
    EXPECT_FALSE(box.SelColor().isValid());
    box.setText(QStringLiteral("Now\r\n\r\nLen"));
    box.setSelStart(0);
    box.setSelLength(10);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(4);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(5);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
}

TEST(SelColor, WrittenColourShowsUntilTheLineChanges)
{
    RtbSyntax box;
    box.setText(QStringLiteral("Left(<value>;x)"));
    box.setSelStart(5);
    box.setSelLength(7);
    box.setSelColor(0);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
    EXPECT_FALSE(innerOf(box)->document()->isUndoAvailable());
    box.setSelText(QStringLiteral("<string>"));
    EXPECT_EQ(shownLetters(box), expectedLetters(box.Text()));
}

} // namespace
