#include "CrLfPositions.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

int CrLfPositions::toSurface(int documentPosition) const
{
    const int last = m_document->characterCount() - 1;
    const int position = std::clamp(documentPosition, 0, std::max(last, 0));
    return position + m_document->findBlock(position).blockNumber();
}

int CrLfPositions::lineStartOnSurface(int blockNumber) const
{
    return m_document->findBlockByNumber(blockNumber).position() + blockNumber;
}

int CrLfPositions::lineOf(int surfacePosition) const
{
    // The last line whose start on the surface is at or before the position.
    int low = 0;
    int high = m_document->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (lineStartOnSurface(middle) <= surfacePosition)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int CrLfPositions::toDocument(int surfacePosition) const
{
    const int position = std::clamp(surfacePosition, 0, surfaceLength());
    const QTextBlock block = m_document->findBlockByNumber(lineOf(position));
    const int offset = position - lineStartOnSurface(block.blockNumber());
    return block.position() + std::min(offset, block.length() - 1);
}

int CrLfPositions::surfaceLength() const
{
    return m_document->characterCount() - 1 + m_document->blockCount() - 1;
}

QString CrLfPositions::toDocumentText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString CrLfPositions::toSurfaceText(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text;
}

int CrLfPositions::surfaceSizeOf(QStringView documentText)
{
    int size = int(documentText.size());
    for (QChar c : documentText) {
        if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++size;
    }
    return size;
}
