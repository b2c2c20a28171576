#include "RtbSyntax.h"
#include "SyntaxColours.h"
#include "SyntaxTokeniser.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

// Reading the colours a calculation box shows, one letter per character: C comment, R reference, P
// placeholder, F function, k black, | a line break.
char letterOfColour(quint32 colour)
{
    const quint32 colours[] = {0x008000, 0xFF00FF, 0x0000FF, 0xFF0000};
    return "CRPFk"[std::find(colours, colours + 4, colour) - colours];
}

// The colour of one character at the surface, read the way a host reads it.
quint32 colourAt(RtbSyntax &box, int position)
{
    box.setSelStart(position);
    box.setSelLength(1);
    return box.SelColor().toUInt();
}

std::string shownLetters(RtbSyntax &box)
{
    const QString text = box.Text();
    std::string letters;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        letters += (c == u'\r' || c == u'\n') ? '|' : letterOfColour(colourAt(box, i));
    }
    return letters;
}

// The letters of a line, '?' where no span covers a character, '!' where two do.
std::string tokenLetters(const QString &line)
{
    std::string letters(line.size(), '?');
    for (const Token &token : SyntaxTokeniser::tokeniseLine(line)) {
        for (int i = token.start; i < token.start + token.length; ++i)
            letters.at(i) = letters.at(i) == '?' ? "CRPFkk"[int(token.tokenClass)] : '!';
    }
    return letters;
}

// What the text should show: each line tokenised on its own.
std::string expectedLetters(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    std::string letters = tokenLetters(lines.constFirst());
    for (qsizetype n = 1; n < lines.size(); ++n)
        letters += "||" + tokenLetters(lines.at(n));
    return letters;
}

TEST(SyntaxTokeniser, ColoursEveryCharacterByItsToken)
{
    const std::tuple<const char *, const char *> rows[] = {
        {"Now now NOW", "FFFkFFFkFFF"},
        {"Nowhere x+Now", "kkkkkkkkkkFFF"},
        {"\tAbs(x)", "kFFFkkk"},
        {"DateDiff.x", "kkkkkkkkkk"},
        {"x=[Total", "kkRRRRRR"},
        {"[a[b]", "RRRkR"},
        {"[a b,c]+1", "RRRRRRRkk"},
        {"ab[c]", "kkRRR"},
        {"x = 1 ' note", "kkkkkkCCCCCC"},
        {"[it's]", "RRRRRR"},
        {"a'b", "kCC"},
        {"\"Now\" x>=Now", "kkkkkkkkkFFF"},
        {"", ""},
        {"Left(<value>;<#_of_chars>)", "FFFFkPPPPPPPkPPPPPPPPPPPPk"},
        {"<DATE> <{GUESS}>", "PPPPPPkPPPPPPPPP"},
        {"<value>x <date", "kkkkkkkkkkkkkk"},
    };
    for (const auto &[line, letters] : rows)
        EXPECT_EQ(tokenLetters(QString::fromUtf8(line)), letters) << line;
    EXPECT_EQ(SyntaxColours::toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(SyntaxColours::fromQColor(QColor(0, 128, 0)), 0x008000u);
}

TEST(Recolouring, ShowsEveryLineInItsTokenColoursAfterTheEdit)
{
    const std::tuple<const char *, QString, int, QKeySequence, QString> rows[] = {
        {"type", QStringLiteral("x = No + 1"), 6, QKeySequence(Qt::Key_W),
            QStringLiteral("x = Now + 1")},
        {"enter", QStringLiteral("x\r\n[1]=Now+Len([2])"), 11, QKeySequence(Qt::Key_Return),
            QStringLiteral("x\r\n[1]=Now+\r\nLen([2])")},
        {"shift enter", QStringLiteral("Now Now"), 3, QKeySequence(Qt::SHIFT | Qt::Key_Return),
            QStringLiteral("Now\r\n Now")},
        {"backspaces at the end", QStringLiteral("y\r\nx = Nowhere"), 14,
            QKeySequence(
                Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace),
            QStringLiteral("y\r\nx = Now")},
        {"delete joins two lines", QStringLiteral("Le\r\nft(x) ' c"), 2,
            QKeySequence(Qt::Key_Delete), QStringLiteral("Left(x) ' c")},
        {"paste of many lines", QStringLiteral("[1]=\r\nend"), 4,
            QKeySequence(Qt::CTRL | Qt::Key_V),
            QStringLiteral("[1]=Len([2])\r\n' note\r\nAbs(<number>)\r\nend")},
        {"undo of joining lines", QStringLiteral("Mi\r\nn"), 2,
            QKeySequence(QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_Z),
            QStringLiteral("Mi\r\nn")},
    };
    QApplication::clipboard()->setText(QStringLiteral("Len([2])\r\n' note\r\nAbs(<number>)"));
    RtbSyntax box;
    box.resize(400, 200);
    box.show();
    for (const auto &[name, before, caret, keys, after] : rows) {
        SCOPED_TRACE(name);
        box.setText(before);
        box.setSelStart(caret);
        QTest::keySequence(box.innerBox(), keys);
        ASSERT_EQ(box.Text(), after);
        EXPECT_EQ(shownLetters(box), expectedLetters(after));
    }
    box.setTextRTF(QStringLiteral("<p>[1]=<b>Len</b>(x)<br/>Now</p><p>'c</p>"));
    EXPECT_EQ(box.Text(), QStringLiteral("[1]=Len(x)\r\nNow\r\n'c"));
    EXPECT_EQ(shownLetters(box), expectedLetters(box.Text()));
}

// Colours live in the layout: no character format, no undo step, the selection kept. SelColor
// reads them as shown.
TEST(Recolouring, ChangesNothingButTheColourWhichSelColorReads)
{
    RtbSyntax box;
    box.setText(QStringLiteral("Left(<value>;x)"));
    QTextDocument *document = box.innerBox()->document();
    box.setSelStart(5);
    box.setSelLength(3);
    box.HighlightRefresh();
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 3);
    EXPECT_FALSE(document->isUndoAvailable());
    EXPECT_FALSE(document->isModified());
    EXPECT_FALSE(
        box.innerBox()->textCursor().charFormat().hasProperty(QTextFormat::ForegroundBrush));
    const std::pair<int, quint32> rows[] = {{0, 0xFF0000}, {1, 0xFF0000}, {6, 0x0000FF}, {5, 0}};
    for (const auto &[caret, colour] : rows) {
        box.setSelStart(caret);
        EXPECT_EQ(box.SelColor().toUInt(), colour) << caret;
    }
    box.setSelStart(4);
    box.setSelLength(3);
    EXPECT_FALSE(box.SelColor().isValid());
    box.setSelStart(5);
    box.setSelLength(7);
    box.setSelColor(0);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
    EXPECT_FALSE(box.innerBox()->document()->isUndoAvailable());
    box.setSelText(QStringLiteral("<string>"));
    EXPECT_EQ(shownLetters(box), expectedLetters(box.Text()));

    box.setText(QStringLiteral("Now\r\n\r\nLen"));
    box.setSelStart(0);
    box.setSelLength(10);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(4);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(5);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
}

TEST(RtbSyntaxFiles, RichFileKeepsTheTextAndItsFormatting)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("calc.html"));
    RtbSyntax box;
    box.show();
    box.setText(QStringLiteral("[1]=Now\r\nbold"));
    box.setSelStart(9);
    box.setSelLength(4);
    box.setSelBold(true);
    box.SaveFile(path);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Qt::mightBeRichText(QString::fromUtf8(saved.readAll())));
    RtbSyntax other;
    other.LoadFile(path);
    other.HighlightRefresh();
    EXPECT_EQ(other.Text(), box.Text());
    other.setSelStart(10);
    EXPECT_TRUE(other.SelBold());
    EXPECT_EQ(shownLetters(other), expectedLetters(other.Text()));
}

// NUL characters and a hundred thousand lines: all coloured to the end.
TEST(Recolouring, BadAndLargeTextIsColouredToTheEnd)
{
    RtbSyntax box;
    const QString nul = QStringLiteral("Now") + QChar(0) + QStringLiteral(" Len\r\n") + QChar(0);
    box.setText(nul);
    EXPECT_EQ(box.Text(), nul);
    EXPECT_EQ(shownLetters(box), expectedLetters(nul));
    QStringList lines;
    for (int n = 0; n < 100000; ++n)
        lines << QStringLiteral("[%1]=Now ' %1").arg(n);
    box.setText(lines.join(QStringLiteral("\r\n")));
    const int lastLine = int(box.Text().lastIndexOf(QStringLiteral("\r\n"))) + 2;
    EXPECT_EQ(box.GetLineFromChar(lastLine), 99999);
    EXPECT_EQ(colourAt(box, lastLine + 8), 0xFF0000u);
    EXPECT_EQ(colourAt(box, lastLine + 12), 0x008000u);
}

} // namespace
