#include "RtbSyntax.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

const QString threeLines = QStringLiteral("ab\r\ncd\r\n\r\nef");

TEST(CrLfPositions, CountALineBreakAsTwoCharacters)
{
    const struct
    {
        int start;
        int length;
        QString selected;
        int line;
    } rows[] = {
        {0, 2, QStringLiteral("ab"), 0},
        {1, 3, QStringLiteral("b\r\n"), 0},
        {4, 2, QStringLiteral("cd"), 1},
        {2, 6, QStringLiteral("\r\ncd\r\n"), 0},
        {8, 0, QString(), 2},
        {10, 2, QStringLiteral("ef"), 3},
        {0, 12, threeLines, 0},
    };
    RtbSyntax box;
    box.setText(threeLines);
    for (const auto &row : rows) {
        box.setSelStart(row.start);
        box.setSelLength(row.length);
        EXPECT_EQ(box.SelStart(), row.start);
        EXPECT_EQ(box.SelLength(), row.length) << row.start;
        EXPECT_EQ(box.SelText(), row.selected) << row.start;
        EXPECT_EQ(box.GetLineFromChar(row.start), row.line) << row.start;
    }
}

TEST(CrLfPositions, TextReturnsCrLfWhateverBreaksWereAssigned)
{
    const struct
    {
        QString assigned;
        QString text;
    } rows[] = {
        {QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb")},
        {QStringLiteral("a\nb\n"), QStringLiteral("a\r\nb\r\n")},
        {QStringLiteral("a\rb"), QStringLiteral("a\r\nb")},
        {QStringLiteral("a\r\r\nb\n\rc"), QStringLiteral("a\r\n\r\nb\r\n\r\nc")},
        {QString(), QString()},
    };
    for (const auto &row : rows) {
        RtbSyntax box;
        box.setText(row.assigned);
        EXPECT_EQ(box.Text(), row.text) << row.assigned.toStdString();
    }
}

TEST(CrLfPositions, APositionBetweenCrAndLfLandsAtTheEndOfItsLine)
{
    RtbSyntax box;
    box.setText(threeLines);
    box.setSelStart(3);
    EXPECT_EQ(box.SelStart(), 2);
    box.setSelStart(1000);
    EXPECT_EQ(box.SelStart(), int(threeLines.size()));
}

TEST(CrLfPositions, AgreeAtEveryLineOfALongDocument)
{
    QStringList lines;
    for (int n = 0; n < 3000; ++n)
        lines << QStringLiteral("line%1 = Len([%1])").arg(n);
    RtbSyntax box;
    box.setText(lines.join(QStringLiteral("\r\n")));
    const QString text = box.Text();
    for (int n = 0; n < lines.size(); n += 37) {
        const int at = int(text.indexOf(lines.at(n) + QStringLiteral("\r\n")));
        ASSERT_GE(at, 0);
        box.setSelStart(at);
        box.setSelLength(int(lines.at(n).size()));
        EXPECT_EQ(box.SelStart(), at);
        EXPECT_EQ(box.SelText(), lines.at(n));
        EXPECT_EQ(box.GetLineFromChar(at + 3), n);
        box.setSelStart(0);
        EXPECT_EQ(box.Find(lines.at(n) + QStringLiteral("\r\n")), at);
        EXPECT_EQ(box.SelLength(), lines.at(n).size() + 2);
    }
}

TEST(CrLfPositions, SelTextReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    RtbSyntax box;
    box.setText(threeLines);
    box.setSelStart(1);
    box.setSelLength(5);
    box.setSelText(QStringLiteral("X\r\nY"));
    EXPECT_EQ(box.Text(), QStringLiteral("aX\r\nY\r\n\r\nef"));
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 0);
}

TEST(FindInText, ReturnsTheSurfacePositionAndSelectsTheMatch)
{
    const struct
    {
        const char *name;
        QString what;
        QVariant start;
        QVariant end;
        QVariant options;
        int found;
    } rows[] = {
        {"first", QStringLiteral("now"), {}, {}, {}, 0},
        {"fromStart", QStringLiteral("now"), 1, {}, {}, 5},
        {"matchCase", QStringLiteral("NOW"), 1, {}, RtbSyntax::rtfMatchCase, 18},
        {"wholeWord", QStringLiteral("now"), 1, {}, RtbSyntax::rtfWholeWord, 13},
        {"beforeEnd", QStringLiteral("NOW"), 6, 16, {}, 13},
        {"notInRange", QStringLiteral("NOW"), 14, 19, {}, -1},
        {"noHighlight", QStringLiteral("here"), {}, {}, RtbSyntax::rtfNoHighlight, 8},
        {"absent", QStringLiteral("then"), {}, {}, {}, -1},
    };
    for (const auto &row : rows) {
        RtbSyntax box;
        box.setText(QStringLiteral("Now\r\nnowhere now\r\nNOW"));
        EXPECT_EQ(box.Find(row.what, row.start, row.end, row.options), row.found) << row.name;
        if (row.found >= 0 && !(row.options.toInt() & RtbSyntax::rtfNoHighlight)) {
            EXPECT_EQ(box.SelStart(), row.found) << row.name;
            EXPECT_EQ(box.SelLength(), row.what.size()) << row.name;
        }
    }
}

TEST(SpanAndUpTo, SelectAPlaceholderAroundTheCaretAndMoveToADelimiter)
{
    const QString delimiters = QStringLiteral(" ,()[]-+*%/='~!&|\\?:;\t");
    RtbSyntax box;
    box.setText(QStringLiteral("x\r\nLeft(<value>;<#_of_chars>)"));
    box.setSelStart(10);
    box.Span(delimiters, false, true);
    box.Span(delimiters, true, true);
    EXPECT_EQ(box.SelText(), QStringLiteral("<value>"));
    EXPECT_EQ(box.SelStart(), 8);

    box.setSelStart(3);
    box.UpTo(QStringLiteral("("));
    EXPECT_EQ(box.SelStart(), 7);
    EXPECT_EQ(box.SelLength(), 0);
    box.UpTo(QStringLiteral("\r\n"), false);
    EXPECT_EQ(box.SelStart(), 3);
    box.setSelStart(3);
    box.Span(QStringLiteral("Left"));
    EXPECT_EQ(box.SelText(), QStringLiteral("Left"));
}

} // namespace
