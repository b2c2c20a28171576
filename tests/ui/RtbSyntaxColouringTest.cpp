#include "SyntaxboxTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <gtest/gtest.h>

using namespace SyntaxboxTestSupport;

namespace {

struct EditCase
{
    const char *name;
    QString before;
    int caret;
    std::function<void(RtbSyntax &, QPlainTextEdit *)> edit;
    QString after;
};

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

void press(QPlainTextEdit *inner, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(inner, key, modifiers);
}

INSTANTIATE_TEST_SUITE_P(Edits, Recolouring,
    ::testing::Values(EditCase {"typeCompletesAFunctionName", QStringLiteral("x = No + 1"), 6,
                          [](RtbSyntax &, QPlainTextEdit *inner) {
                              QTest::keyClicks(inner, QStringLiteral("w"));
                          },
                          QStringLiteral("x = Now + 1")},
        EditCase {"apostropheTurnsTheRestIntoAComment", QStringLiteral("a\r\nx = Now\r\nb"), 5,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                QTest::keyClicks(inner, QStringLiteral("'"));
            },
            QStringLiteral("a\r\nx '= Now\r\nb")},
        EditCase {"openBracketRunsToTheEndOfTheLine", QStringLiteral("Abs(x) + Now\r\nNow"), 4,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                QTest::keyClicks(inner, QStringLiteral("["));
            },
            QStringLiteral("Abs([x) + Now\r\nNow")},
        EditCase {"enterInTheMiddleOfALine", QStringLiteral("x\r\n[1]=Now+Len([2])"), 11,
            [](RtbSyntax &, QPlainTextEdit *inner) { press(inner, Qt::Key_Return); },
            QStringLiteral("x\r\n[1]=Now+\r\nLen([2])")},
        EditCase {"shiftEnterIsAPlainLineBreak", QStringLiteral("Now Now"), 3,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                press(inner, Qt::Key_Return, Qt::ShiftModifier);
            },
            QStringLiteral("Now\r\n Now")},
        EditCase {"deleteAtTheVeryEnd", QStringLiteral("y\r\nx = Nowhere"), 14,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                for (int i = 0; i < 4; ++i)
                    press(inner, Qt::Key_Backspace);
            },
            QStringLiteral("y\r\nx = Now")},
        EditCase {"deleteJoinsTwoLines", QStringLiteral("Le\r\nft(x) ' c"), 2,
            [](RtbSyntax &, QPlainTextEdit *inner) { press(inner, Qt::Key_Delete); },
            QStringLiteral("Left(x) ' c")},
        EditCase {"pasteOfManyLines", QStringLiteral("[1]=\r\nend"), 4,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                QApplication::clipboard()->setText(
                    QStringLiteral("Len([2])\r\n' note\r\nAbs(<number>)"));
                press(inner, Qt::Key_V, Qt::ControlModifier);
            },
            QStringLiteral("[1]=Len([2])\r\n' note\r\nAbs(<number>)\r\nend")},
        EditCase {"selTextInsertsAFunctionTemplate", QStringLiteral("[5]=\r\nx"), 4,
            [](RtbSyntax &box, QPlainTextEdit *) {
                box.setSelText(QStringLiteral("Left(<value>;<#_of_chars>)"));
            },
            QStringLiteral("[5]=Left(<value>;<#_of_chars>)\r\nx")},
        EditCase {"undoOfJoiningLines", QStringLiteral("Mi\r\nn"), 2,
            [](RtbSyntax &, QPlainTextEdit *inner) {
                press(inner, Qt::Key_Delete);
                inner->undo();
            },
            QStringLiteral("Mi\r\nn")},
        EditCase {"assignTextRtf", QStringLiteral("x"), 0,
            [](RtbSyntax &box, QPlainTextEdit *) {
                box.setTextRTF(QStringLiteral(
                    "<html><body><p>[1]=<b>Len</b>(x)<br/>Now</p><p>'c</p></body></html>"));
            },
            QStringLiteral("[1]=Len(x)\r\nNow\r\n'c")}),
    [](const auto &info) { return std::string(info.param.name); });

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
