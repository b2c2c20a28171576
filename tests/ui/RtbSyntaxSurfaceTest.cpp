#include "OrvantaError.h"
#include "PropertyBag.h"
#include "RtbSyntax.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString threeLines = QStringLiteral("ab\r\ncd\r\n\r\nef");

class RtbSyntaxSurface : public ::testing::Test
{
protected:
    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
    QByteArray readAll(const char *name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void select(int start, int length)
    {
        box.setSelStart(start);
        box.setSelLength(length);
    }

    QTemporaryDir folder;
    RtbSyntax box;
};

// The surface counts a line break as the two characters CR LF.
TEST_F(RtbSyntaxSurface, SelectionAndLineOfAPositionCountCrLfAsTwo)
{
    const std::tuple<int, int, QString, int> rows[] = {
        {1, 3, QStringLiteral("b\r\n"), 0},
        {4, 2, QStringLiteral("cd"), 1},
        {8, 0, QString(), 2},
        {10, 2, QStringLiteral("ef"), 3},
        {0, 12, threeLines, 0},
    };
    box.setText(threeLines);
    for (const auto &[start, length, selected, line] : rows) {
        SCOPED_TRACE(start);
        select(start, length);
        EXPECT_EQ(box.SelStart(), start);
        EXPECT_EQ(box.SelLength(), length);
        EXPECT_EQ(box.SelText(), selected);
        EXPECT_EQ(box.GetLineFromChar(start), line);
    }
    box.setSelStart(3); // between CR and LF: the end of its line
    EXPECT_EQ(box.SelStart(), 2);
    box.setSelStart(1000);
    EXPECT_EQ(box.SelStart(), int(threeLines.size()));
    select(1, 5);
    box.setSelText(QStringLiteral("X\r\nY"));
    EXPECT_EQ(box.Text(), QStringLiteral("aX\r\nY\r\n\r\nef"));
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 0);
    box.setText(QStringLiteral("a\r\r\nb\n\rc\n"));
    EXPECT_EQ(box.Text(), QStringLiteral("a\r\n\r\nb\r\n\r\nc\r\n"));
}

TEST_F(RtbSyntaxSurface, FindReturnsTheSurfacePositionAndSelectsTheMatch)
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
        if (found >= 0) {
            const bool selects = !(options.toInt() & RtbSyntax::rtfNoHighlight);
            EXPECT_EQ(box.SelStart(), selects ? found : 0);
            EXPECT_EQ(box.SelLength(), selects ? what.size() : 0);
        }
    }
}

TEST_F(RtbSyntaxSurface, SpanAndUpToSelectAPlaceholderAndMoveToADelimiter)
{
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

// UTF-8 with CR LF and no line end after the last line; a byte order mark is skipped.
TEST_F(RtbSyntaxSurface, PlainTextFileRoundTrip)
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
}

TEST_F(RtbSyntaxSurface, UnusableFileRaisesAFileErrorAndKeepsTheText)
{
    const std::tuple<const char *, bool, int> rows[]
        = {{"missing.ocs", false, 53}, {"sub", false, 75}, {"none/calc.ocs", true, 75}};
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    box.setText(QStringLiteral("[1]=Now"));
    for (const auto &[name, save, code] : rows) {
        try {
            save ? box.SaveFile(path(name), RtbSyntax::rtfText)
                 : box.LoadFile(path(name), RtbSyntax::rtfText);
            ADD_FAILURE() << name << ": no error raised";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), code) << name;
        }
        EXPECT_EQ(box.Text(), QStringLiteral("[1]=Now")) << name;
    }
}

TEST_F(RtbSyntaxSurface, SelPrintPrintsTheSelectionOrTheWholeText)
{
    QStringList lines;
    for (int n = 0; n < 200; ++n)
        lines << QStringLiteral("[%1]=Now ' line %1").arg(n);
    box.setText(lines.join(QStringLiteral("\r\n")));
    const auto printedSize = [&](const char *name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(name));
        box.SelPrint(printer);
        return readAll(name).size();
    };
    const qsizetype whole = printedSize("whole.pdf");
    select(0, 5);
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
    select(5, 2);
    box.innerBox()->paste();
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nxyc"));
}

TEST_F(RtbSyntaxSurface, TabInsertsATabUnlessTheHostChangedTheKey)
{
    box.show();
    int hostKey = 9;
    QObject::connect(&box, &RtbSyntax::KeyDown, [&](int &keyCode, int &) { keyCode = hostKey; });
    for (const char *expected : {"a\td", "abcd"}) {
        box.setText(QStringLiteral("abcd"));
        select(1, 2);
        QTest::keyClick(box.innerBox(), Qt::Key_Tab);
        EXPECT_EQ(box.Text(), QLatin1String(expected));
        hostKey = 0;
    }
}

TEST_F(RtbSyntaxSurface, KeyEventsReportKeyCodesAndLetAHandlerChangeTheTypedCharacter)
{
    box.show();
    QList<int> codes;
    int changes = 0;
    QObject::connect(&box, &RtbSyntax::Change, [&] { ++changes; });
    QObject::connect(&box, &RtbSyntax::KeyDown, [&](int &keyCode, int &shift) {
        if (keyCode != 16) // QTest presses Shift on its own before Shift+Left
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
}

// Run-time-only reads (394) and writes (383) refused in design mode.
TEST_F(RtbSyntaxSurface, DesignModeRefusesRunTimeOnlyPropertiesAndLeavesTheBoxAlone)
{
    const std::tuple<const char *, std::function<void(RtbSyntax &)>, int> rows[] = {
        {"SelStart", [](RtbSyntax &b) { b.SelStart(); }, 394},
        {"SelColor", [](RtbSyntax &b) { b.SelColor(); }, 394},
        {"setSelStart", [](RtbSyntax &b) { b.setSelStart(4); }, 383},
        {"setSelText", [](RtbSyntax &b) { b.setSelText(QString()); }, 383},
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
        EXPECT_EQ(box.Text(), QStringLiteral("Len(x)"));
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
    EXPECT_TRUE(bag.contains(QStringLiteral("Font")));
    EXPECT_EQ(loaded.Font().pointSizeF(), 9.75);
    loaded.setSelStart(5);
    EXPECT_EQ(loaded.SelColor().toUInt(), 0xFF0000u);
}

} // namespace
