#pragma once

#include <QList>
#include <QObject>
#include <QTextCharFormat>
#include <QTextLayout>
#include <array>
#include <optional>
#include <vector>

#include "TokenClass.h"

class QTextBlock;
class QTextDocument;

// Keeps every line of a document shown in its token colours. Colours live in the
// blocks' layout formats, as a highlighter's do: they never enter the undo history,
// never mark the document modified and leave the selection alone. After an edit only
// the lines the edit touched are coloured again.
class DocumentColourer : public QObject
{
    Q_OBJECT

public:
    explicit DocumentColourer(QTextDocument *document);

    // While suspended, edits colour nothing (the owner recolours afterwards).
    void setSuspended(bool suspended) { m_suspended = suspended; }

    void colourAll();
    // Colours the lines holding the positions from..to (document positions).
    void colourRange(int from, int to);

    // The colour shown throughout the document positions from..to-1 as a 24-bit value
    // (red low; black where nothing is coloured), or nothing when it varies.
    std::optional<quint32> shownColour(int from, int to) const;
    // Shows the characters from..to-1 in the given colour, until their lines change.
    void paint(int from, int to, quint32 colour);

private:
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    void colourBlocks(const QTextBlock &first, const QTextBlock &last);
    bool colourBlock(const QTextBlock &block);
    QList<QTextLayout::FormatRange> rangesOf(const std::vector<Token> &tokens) const;
    QTextCharFormat formatOf(quint32 colour) const;

    QTextDocument *m_document;
    std::array<QTextCharFormat, 6> m_classFormats;
    std::vector<Token> m_tokens;
    bool m_suspended = false;
    bool m_colouring = false;
};
