#include "RtbSyntax.h"
#include "OrvantaError.h"
#include "PropertyBag.h"
#include "SyntaxColours.h"
#include "SyntaxTokeniser.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

const QString threeLines = QStringLiteral("ab\r\ncd\r\n\r\nef");

void select(RtbSyntax &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

// The colour of one character at the surface, read the way a host reads it.
quint32 colourAt(RtbSyntax &box, int position)
{
    select(box, position, 1);
    return box.SelColor().toUInt();
}

// The colours a calculation box shows, one letter per character: C comment, R reference, P
// placeholder, F function, k black, | a line break.
std::string shownLetters(RtbSyntax &box)
{
    const quint32 colours[] = {0x008000, 0xFF00FF, 0x0000FF, 0xFF0000};
    const QString text = box.Text();
    std::string letters;
    for (int i = 0; i < text.size(); ++i) {
        const quint32 *found = std::find(colours, colours + 4, colourAt(box, i));
        letters += text.at(i) == u'\r' || text.at(i) == u'\n' ? '|' : "CRPFk"[found - colours];
    }
    return letters;
}

// What the text should show, each line tokenised on its own: '?' where no span covers a character,
// '!' where two do.
std::string tokenLetters(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    std::string letters;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        std::string line(lines.at(n).size(), '?');
        for (const Token &token : SyntaxTokeniser::tokeniseLine(lines.at(n))) {
            for (int i = token.start; i < token.start + token.length; ++i)
                line.at(i) = line.at(i) == '?' ? "CRPFkk"[int(token.tokenClass)] : '!';
        }
        letters += (n ? "||" : "") + line;
    }
    return letters;
}

class RtbSyntaxSurface : public ::testing::Test
{
protected:
    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
    QByteArray readAll(const char *name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    RtbSyntax box;
};
using Recolouring = RtbSyntaxSurface;

TEST_F(RtbSyntaxSurface, SelectionAndLineOfAPositionCountCrLfAsTwo)
{
    const std::tuple<int, int, QString, int> rows[] = {
        {1, 3, QStringLiteral("b\r\n"), 0},
        {4, 2, QStringLiteral("cd"), 1},
        {8, 0, QString(), 2},
        {10, 2, QStringLiteral("ef"), 3},
    };
    box.setText(threeLines);
    for (const auto &[start, length, selected, line] : rows) {
        SCOPED_TRACE(start);
        select(box, start, length);
        EXPECT_EQ(box.SelText(), selected);
        EXPECT_EQ(box.GetLineFromChar(start), line);
    }
    box.setSelStart(3); // between CR and LF: the end of its line
    EXPECT_EQ(box.SelStart(), 2);
    box.setSelStart(1000);
    EXPECT_EQ(box.SelStart(), int(threeLines.size()));
    select(box, 1, 5);
    box.setSelText(QStringLiteral("X\r\nY"));
    EXPECT_EQ(box.Text(), QStringLiteral("aX\r\nY\r\n\r\nef"));
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 0);
    box.setText(QStringLiteral("a\r\r\nb\n\rc\n"));
    EXPECT_EQ(box.Text(), QStringLiteral("a\r\n\r\nb\r\n\r\nc\r\n"));
}

TEST_F(RtbSyntaxSurface, FindSpanAndUpToWorkInSurfacePositions)
{
    const std::tuple<const char *, QString, QVariant, QVariant, QVariant, int> rows[] = {
        {"first", QStringLiteral("now"), {}, {}, {}, 0},
        {"fromStart", QStringLiteral("now"), 1, {}, {}, 5},
        {"matchCase", QStringLiteral("NOW"), 1, {}, RtbSyntax::rtfMatchCase, 18},
        {"wholeWord", QStringLiteral("now"), 1, {}, RtbSyntax::rtfWholeWord, 13},
        {"notInRange", QStringLiteral("NOW"), 14, 19, {}, -1},
        {"noHighlight", QStringLiteral("here"), {}, {}, RtbSyntax::rtfNoHighlight, 8},
    };
    box.setText(QStringLiteral("Now\r\nnowhere now\r\nNOW"));
    for (const auto &[name, what, start, end, options, found] : rows) {
        SCOPED_TRACE(name);
        box.setSelStart(0);
        EXPECT_EQ(box.Find(what, start, end, options), found);
        const bool selects = found >= 0 && !(options.toInt() & RtbSyntax::rtfNoHighlight);
        EXPECT_EQ(box.SelStart(), selects ? found : 0);
        EXPECT_EQ(box.SelLength(), selects ? what.size() : 0);
    }

    // Span selects a placeholder; UpTo moves to a delimiter.
    const QString delimiters = QStringLiteral(" ,()[]-+*%/='~!&|\\?:;\t");
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
    box.Span(QStringLiteral("Left"));
    EXPECT_EQ(box.SelText(), QStringLiteral("Left"));
}

// Plain text is UTF-8 with CR LF and no line end after the last line; a byte order mark is
// skipped. A file that cannot be read or written raises a file error and keeps the text.
TEST_F(RtbSyntaxSurface, PlainTextFilesRoundTripOrRaiseAFileError)
{
    box.setText(QStringLiteral("[1]=\"Grüße\"\n[2]=Now"));
    box.SaveFile(path("calc.ocs"), RtbSyntax::rtfText);
    EXPECT_EQ(readAll("calc.ocs"),
        QByteArray("[1]=\"Gr\xC3\xBC\xC3\x9F"
                   "e\"\r\n[2]=Now"));
    RtbSyntax other;
    other.LoadFile(path("calc.ocs"), RtbSyntax::rtfText);
    EXPECT_EQ(other.Text(), box.Text());
    EXPECT_EQ(other.FileName(), path("calc.ocs"));
    QFile withMark(path("calc.ocs"));
    ASSERT_TRUE(withMark.open(QIODevice::WriteOnly));
    withMark.write("\xEF\xBB\xBFNow\nLen");
    withMark.close();
    other.LoadFile(path("calc.ocs"), RtbSyntax::rtfText);
    EXPECT_EQ(other.Text(), QStringLiteral("Now\r\nLen"));

    const std::tuple<const char *, bool, int> rows[]
        = {{"missing.ocs", false, 53}, {"sub", false, 75}, {"none/calc.ocs", true, 75}};
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    for (const auto &[name, save, code] : rows) {
        try {
            save ? other.SaveFile(path(name), RtbSyntax::rtfText)
                 : other.LoadFile(path(name), RtbSyntax::rtfText);
            ADD_FAILURE() << name << ": no error raised";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), code) << name;
        }
        EXPECT_EQ(other.Text(), QStringLiteral("Now\r\nLen")) << name;
    }
}

TEST_F(RtbSyntaxSurface, RichFileKeepsTheTextAndItsFormatting)
{
    box.show();
    box.setText(QStringLiteral("[1]=Now\r\nbold"));
    select(box, 9, 4);
    box.setSelBold(true);
    box.SaveFile(path("calc.html"));
    EXPECT_TRUE(Qt::mightBeRichText(QString::fromUtf8(readAll("calc.html"))));
    RtbSyntax other;
    other.LoadFile(path("calc.html"));
    other.HighlightRefresh();
    EXPECT_EQ(other.Text(), box.Text());
    other.setSelStart(10);
    EXPECT_TRUE(other.SelBold());
    EXPECT_EQ(shownLetters(other), tokenLetters(other.Text()));
}

TEST_F(RtbSyntaxSurface, SelPrintPrintsTheSelectionOrTheWholeText)
{
    box.setText(QStringLiteral("[0]=Now ' line\r\n").repeated(200));
    const auto printedSize = [&](const char *name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path(name));
        box.SelPrint(printer);
        return readAll(name).size();
    };
    const qsizetype whole = printedSize("whole.pdf");
    select(box, 0, 5);
    const qsizetype selection = printedSize("selection.pdf");
    EXPECT_GT(selection, 0);
    EXPECT_GT(whole, selection);
    EXPECT_EQ(box.SelText(), QStringLiteral("[0]=N"));
}

TEST_F(RtbSyntaxSurface, MaxLengthRefusesTypingAndPastingPastTheLimit)
{
    box.show();
    box.setMaxLength(8);
    box.setText(QStringLiteral("Now\r\nab"));
    box.setSelStart(7);
    QTest::keyClicks(box.innerBox(), QStringLiteral("cd"));
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nabc"));
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    box.innerBox()->paste();
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nabc"));
    select(box, 5, 2);
    box.innerBox()->paste();
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nxyc"));
}

// Tab types a tab unless the host's KeyDown changed the key.
TEST_F(RtbSyntaxSurface, KeyEventsReportKeyCodesAndLetAHandlerChangeTheKeyOrTypedCharacter)
{
    box.show();
    QList<int> codes;
    int changes = 0;
    int tabBecomes = 9;
    QObject::connect(&box, &RtbSyntax::Change, [&] { ++changes; });
    QObject::connect(&box, &RtbSyntax::KeyDown, [&](int &keyCode, int &shift) {
        if (keyCode == 9)
            keyCode = tabBecomes;
        else if (keyCode != 16) // QTest presses Shift on its own before Shift+Left
            codes << keyCode << shift;
    });
    QObject::connect(&box, &RtbSyntax::KeyPress, [](int &keyAscii) {
        if (keyAscii == 'a')
            keyAscii = 'b';
        else if (keyAscii == 'x')
            keyAscii = 0;
    });
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_X, Qt::Key_C})
        QTest::keyClick(box.innerBox(), key);
    EXPECT_EQ(box.Text(), QStringLiteral("bc"));
    EXPECT_GE(changes, 2);
    QTest::keyClick(box.innerBox(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box.innerBox(), Qt::Key_Delete);
    EXPECT_EQ(box.Text(), QStringLiteral("b"));
    EXPECT_EQ(codes, (QList<int> {65, 0, 88, 0, 67, 0, 37, 1, 46, 0}));
    changes = 0;
    box.HighlightRefresh();
    EXPECT_GE(changes, 1);
    for (const char *expected : {"a\td", "abcd"}) {
        box.setText(QStringLiteral("abcd"));
        select(box, 1, 2);
        QTest::keyClick(box.innerBox(), Qt::Key_Tab);
        EXPECT_EQ(box.Text(), QLatin1String(expected));
        tabBecomes = 0;
    }
}

TEST_F(RtbSyntaxSurface, DesignModeRefusesRunTimeOnlyPropertiesAndLeavesTheBoxAlone)
{
    const std::tuple<const char *, std::function<void(RtbSyntax &)>, int> rows[] = {
        {"SelStart", [](RtbSyntax &b) { b.SelStart(); }, 394},
        {"setSelStart", [](RtbSyntax &b) { b.setSelStart(4); }, 383},
    };
    box.setText(QStringLiteral("Len(x)"));
    for (const auto &[name, access, code] : rows) {
        SCOPED_TRACE(name);
        box.setSelStart(2);
        box.setDesignMode(true);
        try {
            access(box);
            ADD_FAILURE() << "no error raised";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), code);
            EXPECT_EQ(error.description(),
                code == 394 ? QStringLiteral("Get not supported (write-only property)")
                            : QStringLiteral("Set not supported (read-only property)"));
        }
        box.setDesignMode(false);
        EXPECT_EQ(box.SelStart(), 2);
        EXPECT_NO_THROW(access(box));
    }
}

TEST_F(RtbSyntaxSurface, PropertyBagRestoresEveryPropertyButTheFont)
{
    box.setBackColor(0x00FFFF);
    box.setFileName(QStringLiteral("C:/calc.ocs"));
    box.setFont(QFont(QStringLiteral("Serif"), 20));
    box.setLocked(true);
    box.setMaxLength(500);
    box.setText(QStringLiteral("[1]=Now\r\n' c"));
    PropertyBag bag;
    box.WriteProperties(bag);

    RtbSyntax loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.BackColor(), 0x00FFFFu);
    EXPECT_EQ(loaded.FileName(), QStringLiteral("C:/calc.ocs"));
    EXPECT_TRUE(loaded.Locked());
    EXPECT_EQ(loaded.MaxLength(), 500);
    EXPECT_EQ(loaded.Text(), QStringLiteral("[1]=Now\r\n' c"));
    EXPECT_EQ(loaded.Font().pointSizeF(), 9.75);
    loaded.setSelStart(5);
    EXPECT_EQ(loaded.SelColor().toUInt(), 0xFF0000u);
}

TEST(SyntaxTokeniser, ColoursEveryCharacterByItsToken)
{
    const std::tuple<const char *, const char *> rows[] = {
        {"Now now NOW", "FFFkFFFkFFF"},
        {"Nowhere x+Now", "kkkkkkkkkkFFF"},
        {"DateDiff.x", "kkkkkkkkkk"},
        {"x=[Total", "kkRRRRRR"},
        {"[a[b]", "RRRkR"},
        {"[a b,c]+1", "RRRRRRRkk"},
        {"ab[c]", "kkRRR"},
        {"x = 1 ' note", "kkkkkkCCCCCC"},
        {"[it's]", "RRRRRR"},
        {"\"Now\" x>=Now", "kkkkkkkkkFFF"},
        {"Left(<value>;<#_of_chars>)", "FFFFkPPPPPPPkPPPPPPPPPPPPk"},
        {"<DATE> <{GUESS}>", "PPPPPPkPPPPPPPPP"},
        {"<value>x <date", "kkkkkkkkkkkkkk"},
    };
    for (const auto &[line, letters] : rows)
        EXPECT_EQ(tokenLetters(QString::fromUtf8(line)), letters) << line;
    EXPECT_EQ(SyntaxColours::toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(SyntaxColours::fromQColor(QColor(0, 128, 0)), 0x008000u);
}

TEST_F(Recolouring, ShowsEveryLineInItsTokenColoursAfterTheEdit)
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
    box.resize(400, 200);
    box.show();
    for (const auto &[name, before, caret, keys, after] : rows) {
        SCOPED_TRACE(name);
        box.setText(before);
        box.setSelStart(caret);
        QTest::keySequence(box.innerBox(), keys);
        ASSERT_EQ(box.Text(), after);
        EXPECT_EQ(shownLetters(box), tokenLetters(after));
    }
    box.setTextRTF(QStringLiteral("<p>[1]=<b>Len</b>(x)<br/>Now</p><p>'c</p>"));
    EXPECT_EQ(box.Text(), QStringLiteral("[1]=Len(x)\r\nNow\r\n'c"));
    EXPECT_EQ(shownLetters(box), tokenLetters(box.Text()));
}

// Colours live in the layout: no character format, no undo step, the selection kept. SelColor
// reads them as shown.
TEST_F(Recolouring, ChangesNothingButTheColourWhichSelColorReads)
{
    box.setText(QStringLiteral("Left(<value>;x)"));
    QTextDocument *document = box.innerBox()->document();
    select(box, 5, 3);
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
    select(box, 4, 3);
    EXPECT_FALSE(box.SelColor().isValid());
    select(box, 5, 7);
    box.setSelColor(0);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
    EXPECT_FALSE(document->isUndoAvailable());
    box.setSelText(QStringLiteral("<string>"));
    EXPECT_EQ(shownLetters(box), tokenLetters(box.Text()));

    box.setText(QStringLiteral("Now\r\n\r\nLen"));
    select(box, 0, 10);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(4);
    EXPECT_EQ(box.SelColor().toUInt(), 0xFF0000u);
    box.setSelStart(5);
    EXPECT_EQ(box.SelColor().toUInt(), 0u);
}

// NUL characters and a hundred thousand lines: all coloured to the end.
TEST_F(Recolouring, BadAndLargeTextIsColouredToTheEnd)
{
    const QString nul = QStringLiteral("Now") + QChar(0) + QStringLiteral(" Len\r\n") + QChar(0);
    box.setText(nul);
    EXPECT_EQ(box.Text(), nul);
    EXPECT_EQ(shownLetters(box), tokenLetters(nul));
    box.setText(QStringLiteral("\r\n[1]=Now ' x").repeated(100000));
    const int lastLine = int(box.Text().size()) - 11;
    EXPECT_EQ(box.GetLineFromChar(lastLine), 100000);
    EXPECT_EQ(colourAt(box, lastLine + 4), 0xFF0000u);
    EXPECT_EQ(colourAt(box, lastLine + 8), 0x008000u);
}

} // namespace
