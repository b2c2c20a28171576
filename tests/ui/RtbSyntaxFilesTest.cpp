#include "OrvantaError.h"
#include "SyntaxboxTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace SyntaxboxTestSupport;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PlainTextFiles, SaveUtf8WithCrLfAndNoLineEndAfterTheLastLine)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("calc.ocs"));
    RtbSyntax box;
    box.setText(QStringLiteral("[1]=\"Grüße\"\n[2]=Now"));
    box.SaveFile(path, RtbSyntax::rtfText);
    EXPECT_EQ(readAll(path),
        QByteArray("[1]=\"Gr\xC3\xBC\xC3\x9F"
                   "e\"\r\n[2]=Now"));

    RtbSyntax other;
    other.LoadFile(path, RtbSyntax::rtfText);
    EXPECT_EQ(other.Text(), box.Text());
    EXPECT_EQ(other.FileName(), path);

    QFile withMark(path);
    ASSERT_TRUE(withMark.open(QIODevice::WriteOnly));
    withMark.write("\xEF\xBB\xBFNow\nLen");
    withMark.close();
    other.LoadFile(path, RtbSyntax::rtfText);
    EXPECT_EQ(other.Text(), QStringLiteral("Now\r\nLen"));
}

TEST(RichFiles, KeepTheTextAndItsFormatting)
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
    EXPECT_TRUE(Qt::mightBeRichText(QString::fromUtf8(readAll(path))));

    RtbSyntax other;
    other.LoadFile(path);
    other.HighlightRefresh();
    EXPECT_EQ(other.Text(), box.Text());
    other.setSelStart(10);
    EXPECT_TRUE(other.SelBold());
    EXPECT_EQ(shownLetters(other), expectedLetters(other.Text()));
}

TEST(UnusableFile, RaisesAFileErrorAndKeepsTheText)
{
    const struct
    {
        const char *relativePath;
        bool save;
        int error;
    } rows[] = {
        {"missing.ocs", false, 53},
        {"sub", false, 75},
        {"none/calc.ocs", true, 75},
        {"sub", true, 75},
    };
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    for (const auto &row : rows) {
        const QString path = folder.filePath(QString::fromUtf8(row.relativePath));
        RtbSyntax box;
        box.setText(QStringLiteral("[1]=Now"));
        try {
            if (row.save)
                box.SaveFile(path, RtbSyntax::rtfText);
            else
                box.LoadFile(path, RtbSyntax::rtfText);
            ADD_FAILURE() << row.relativePath << ": no error raised";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), row.error) << row.relativePath;
        }
        EXPECT_EQ(box.Text(), QStringLiteral("[1]=Now")) << row.relativePath;
    }
}

TEST(BadText, NulBytesAreKeptAndColouredLikeAnyCharacter)
{
    RtbSyntax box;
    const QString text = QStringLiteral("Now") + QChar(0) + QStringLiteral(" Len\r\n") + QChar(0);
    box.setText(text);
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(shownLetters(box), expectedLetters(text));
}

TEST(BadText, AOneMegabyteLineAndAHundredThousandLinesAreColouredToTheEnd)
{
    QString line;
    while (line.size() < 1 << 20)
        line += QStringLiteral("Len([a]) + x ");
    RtbSyntax box;
    box.setText(line);
    const int last = int(line.size()) - 13;
    EXPECT_EQ(colourAt(box, 0), 0xFF0000u);
    EXPECT_EQ(colourAt(box, 4), 0xFF00FFu);
    EXPECT_EQ(colourAt(box, last), 0xFF0000u);
    EXPECT_EQ(colourAt(box, last + 5), 0xFF00FFu);
    EXPECT_EQ(colourAt(box, last + 11), 0u);

    QStringList lines;
    for (int n = 0; n < 100000; ++n)
        lines << QStringLiteral("[%1]=Now ' %1").arg(n);
    box.setText(lines.join(QStringLiteral("\r\n")));
    const int lastLine = int(box.Text().lastIndexOf(QStringLiteral("\r\n"))) + 2;
    EXPECT_EQ(box.GetLineFromChar(lastLine), 99999);
    EXPECT_EQ(colourAt(box, lastLine), 0xFF00FFu);
    EXPECT_EQ(colourAt(box, lastLine + 8), 0xFF0000u);
    EXPECT_EQ(colourAt(box, lastLine + 12), 0x008000u);
}

TEST(SelPrint, PrintsTheSelectionOrTheWholeText)
{
    QTemporaryDir folder;
    RtbSyntax box;
    QStringList lines;
    for (int n = 0; n < 200; ++n)
        lines << QStringLiteral("[%1]=Now ' line %1").arg(n);
    box.setText(lines.join(QStringLiteral("\r\n")));
    const auto printedSize = [&](const QString &name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(name));
        box.SelPrint(printer);
        return readAll(folder.filePath(name)).size();
    };
    const qsizetype whole = printedSize(QStringLiteral("whole.pdf"));
    box.setSelStart(0);
    box.setSelLength(5);
    const qsizetype selection = printedSize(QStringLiteral("selection.pdf"));
    EXPECT_GT(selection, 0);
    EXPECT_GT(whole, selection);
    EXPECT_EQ(box.SelText(), QStringLiteral("[0]=N"));
}

TEST(MaxLength, RefusesTypingAndPastingPastTheLimit)
{
    RtbSyntax box;
    box.show();
    box.setMaxLength(8);
    box.setText(QStringLiteral("Now\r\nab"));
    box.setSelStart(7);
    QPlainTextEdit *inner = innerOf(box);
    QTest::keyClicks(inner, QStringLiteral("cd"));
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nabc"));
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    inner->paste();
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nabc"));
    box.setSelStart(5);
    box.setSelLength(2);
    inner->paste();
    EXPECT_EQ(box.Text(), QStringLiteral("Now\r\nxyc"));
}

} // namespace
