#include "MarkdownPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace {

constexpr int Resolution = 300;
constexpr qreal FooterHeightPoints = 24;

const QColor Accent(0x1b, 0x4f, 0x7a);
const QColor Rule(0x9f, 0xb6, 0xc8);
const QColor HeaderBackground(0xdd, 0xe7, 0xef);
const QColor CodeBackground(0xf1, 0xf4, 0xf7);

// Tables full width with thin rules and a shaded header row.
void styleTables(QTextDocument &document)
{
    const QList<QTextFrame *> frames = document.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setBorder(0.5);
        format.setBorderBrush(Rule);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBottomMargin(6);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            cellFormat.setBackground(HeaderBackground);
            cell.setFormat(cellFormat);
        }
    }
}

// Headings in the accent colour with room above them; code blocks on a light ground.
void styleBlocks(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        QTextCursor cursor(block);
        if (format.headingLevel() > 0) {
            format.setTopMargin(format.headingLevel() == 1 ? 4 : 14);
            format.setBottomMargin(4);
            cursor.setBlockFormat(format);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat colour;
            colour.setForeground(Accent);
            cursor.mergeCharFormat(colour);
        } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(CodeBackground);
            format.setLeftMargin(8);
            cursor.setBlockFormat(format);
        }
    }
}

void paintPageNumber(QPainter &painter, const QRectF &footer, int page)
{
    painter.save();
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(footer, Qt::AlignCenter, QString::number(page));
    painter.restore();
}

// Lays the document out page by page, leaving room at the foot for the page number.
// False when the PDF cannot be written.
bool paintPages(QTextDocument &document, QPdfWriter &writer)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF page = QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
    const qreal footer = FooterHeightPoints * Resolution / 72.0;
    const QSizeF body(page.width(), page.height() - footer);
    document.setPageSize(body);
    const int pageCount = document.pageCount();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        paintPageNumber(painter, QRectF(0, body.height(), page.width(), footer), i + 1);
    }
    return true;
}

} // namespace

QString MarkdownPdf::write(const QString &markdownPath, const QString &pdfPath)
{
    QFile in(markdownPath);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(markdownPath, in.errorString());

    QPdfWriter writer(pdfPath);
    writer.setResolution(Resolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Orvanta user's manual"));
    writer.setCreator(QStringLiteral("Orvanta"));

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(markdownPath).absolutePath() + u'/'));
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    // Points per inch over the writer's resolution: fonts keep their size on paper.
    document.documentLayout()->setPaintDevice(&writer);
    document.setMarkdown(QString::fromUtf8(in.readAll()));
    styleTables(document);
    styleBlocks(document);
    if (!paintPages(document, writer))
        return QStringLiteral("cannot write %1").arg(pdfPath);
    return {};
}
