#include "DocumentColourer.h"

#include "SyntaxColours.h"
#include "SyntaxTokeniser.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

DocumentColourer::DocumentColourer(QTextDocument *document)
    : QObject(document)
    , m_document(document)
{
    for (int i = 0; i < int(m_classFormats.size()); ++i)
        m_classFormats[i] = formatOf(SyntaxColours::colourOf(i));
    connect(document, &QTextDocument::contentsChange, this, &DocumentColourer::onContentsChange);
}

QTextCharFormat DocumentColourer::formatOf(quint32 colour) const
{
    QTextCharFormat format;
    format.setForeground(SyntaxColours::toQColor(colour));
    return format;
}

void DocumentColourer::onContentsChange(int position, int, int charsAdded)
{
    if (m_suspended || m_colouring)
        return;
    colourRange(position, position + charsAdded);
}

void DocumentColourer::colourAll()
{
    colourBlocks(m_document->firstBlock(), m_document->lastBlock());
}

void DocumentColourer::colourRange(int from, int to)
{
    QTextBlock first = m_document->findBlock(from);
    QTextBlock last = m_document->findBlock(to);
    if (!first.isValid())
        first = m_document->lastBlock();
    if (!last.isValid())
        last = m_document->lastBlock();
    colourBlocks(first, last);
}

void DocumentColourer::colourBlocks(const QTextBlock &first, const QTextBlock &last)
{
    m_colouring = true;
    int dirtyFrom = -1;
    int dirtyTo = -1;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (colourBlock(block)) {
            if (dirtyFrom < 0)
                dirtyFrom = block.position();
            dirtyTo = block.position() + block.length();
        }
        if (block == last)
            break;
    }
    // One layout update for the whole run of lines, not one per line.
    if (dirtyFrom >= 0)
        m_document->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
    m_colouring = false;
}

bool DocumentColourer::colourBlock(const QTextBlock &block)
{
    m_tokens.clear();
    SyntaxTokeniser::tokeniseLine(block.text(), m_tokens);
    QList<QTextLayout::FormatRange> ranges = rangesOf(m_tokens);
    QTextLayout *layout = block.layout();
    if (layout->formats() == ranges)
        return false;
    layout->setFormats(ranges);
    return true;
}

QList<QTextLayout::FormatRange> DocumentColourer::rangesOf(const std::vector<Token> &tokens) const
{
    // Neighbouring spans of one colour become one range: fewer ranges, same picture.
    QList<QTextLayout::FormatRange> ranges;
    quint32 lastColour = 0;
    for (const Token &token : tokens) {
        const quint32 colour = SyntaxColours::colourOf(token.tokenClass);
        if (!ranges.isEmpty() && lastColour == colour
            && ranges.last().start + ranges.last().length == token.start) {
            ranges.last().length += token.length;
            continue;
        }
        ranges.append({token.start, token.length, m_classFormats[int(token.tokenClass)]});
        lastColour = colour;
    }
    return ranges;
}

namespace {

quint32 colourAt(const QList<QTextLayout::FormatRange> &ranges, int offset)
{
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        if (offset >= it->start && offset < it->start + it->length
            && it->format.hasProperty(QTextFormat::ForegroundBrush))
            return SyntaxColours::fromQColor(it->format.foreground().color());
    }
    return 0;
}

} // namespace

std::optional<quint32> DocumentColourer::shownColour(int from, int to) const
{
    std::optional<quint32> shown;
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), block.length() - 1);
        for (int offset = start; offset < end; ++offset) {
            const quint32 colour = colourAt(ranges, offset);
            if (shown && *shown != colour)
                return std::nullopt;
            shown = colour;
        }
    }
    // Only line breaks (or nothing) in the range: they show no colour of their own.
    return shown ? shown : std::optional<quint32>(0);
}

void DocumentColourer::paint(int from, int to, quint32 colour)
{
    const QTextCharFormat format = formatOf(colour);
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), block.length() - 1);
        if (end <= start)
            continue;
        QList<QTextLayout::FormatRange> ranges;
        for (QTextLayout::FormatRange range : block.layout()->formats()) {
            const int rangeEnd = range.start + range.length;
            if (rangeEnd <= start || range.start >= end) {
                ranges.append(range);
                continue;
            }
            if (range.start < start)
                ranges.append({range.start, start - range.start, range.format});
            if (rangeEnd > end)
                ranges.append({end, rangeEnd - end, range.format});
        }
        ranges.append({start, end - start, format});
        std::sort(ranges.begin(), ranges.end(),
            [](const auto &a, const auto &b) { return a.start < b.start; });
        block.layout()->setFormats(ranges);
        m_document->markContentsDirty(block.position(), block.length());
    }
}
