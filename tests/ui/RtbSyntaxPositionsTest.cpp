#include "RtbSyntax.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <ostream>

namespace {

const QString threeLines = QStringLiteral("ab\r\ncd\r\n\r\nef");

struct SelectionCase
{
    int start;
    int length;
    QString selected;
    int line;
};

void PrintTo(const SelectionCase &row, std::ostream *out)
{
    *out << "start " << row.start << " length " << row.length;
}

class CrLfSelection : public ::testing::TestWithParam<SelectionCase>
{
};

TEST_P(CrLfSelection, CountsALineBreakAsTwoCharacters)
{
    RtbSyntax box;
    box.setText(threeLines);
    box.setSelStart(GetParam().start);
    box.setSelLength(GetParam().length);
    EXPECT_EQ(box.SelStart(), GetParam().start);
    EXPECT_EQ(box.SelLength(), GetParam().length);
    EXPECT_EQ(box.SelText(), GetParam().selected);
    EXPECT_EQ(box.GetLineFromChar(GetParam().start), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(ThreeLines, CrLfSelection,
    ::testing::Values(SelectionCase {0, 2, QStringLiteral("ab"), 0},
        SelectionCase {1, 3, QStringLiteral("b\r\n"), 0},
        SelectionCase {4, 2, QStringLiteral("cd"), 1},
        SelectionCase {2, 6, QStringLiteral("\r\ncd\r\n"), 0}, SelectionCase {8, 0, QString(), 2},
        SelectionCase {10, 2, QStringLiteral("ef"), 3}, SelectionCase {0, 12, threeLines, 0}));

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

struct FindCase
{
    const char *name;
    QString what;
    QVariant start;
    QVariant end;
    QVariant options;
    int found;
};

void PrintTo(const FindCase &row, std::ostream *out)
{
    *out << row.name;
}

class FindInText : public ::testing::TestWithParam<FindCase>
{
};

TEST_P(FindInText, ReturnsTheSurfacePositionAndSelectsTheMatch)
{
    RtbSyntax box;
    box.setText(QStringLiteral("Now\r\nnowhere now\r\nNOW"));
    const FindCase &row = GetParam();
    EXPECT_EQ(box.Find(row.what, row.start, row.end, row.options), row.found);
    if (row.found >= 0 && !(row.options.toInt() & RtbSyntax::rtfNoHighlight)) {
        EXPECT_EQ(box.SelStart(), row.found);
        EXPECT_EQ(box.SelLength(), row.what.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Options, FindInText,
    ::testing::Values(FindCase {"first", QStringLiteral("now"), {}, {}, {}, 0},
        FindCase {"fromStart", QStringLiteral("now"), 1, {}, {}, 5},
        FindCase {"matchCase", QStringLiteral("NOW"), 1, {}, RtbSyntax::rtfMatchCase, 18},
        FindCase {"wholeWord", QStringLiteral("now"), 1, {}, RtbSyntax::rtfWholeWord, 13},
        FindCase {"beforeEnd", QStringLiteral("NOW"), 6, 16, {}, 13},
        FindCase {"notInRange", QStringLiteral("NOW"), 14, 19, {}, -1},
        FindCase {"noHighlight", QStringLiteral("here"), {}, {}, RtbSyntax::rtfNoHighlight, 8},
        FindCase {"absent", QStringLiteral("then"), {}, {}, {}, -1}));

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
