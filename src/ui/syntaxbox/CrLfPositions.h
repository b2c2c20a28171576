#pragma once

#include <QString>

class QTextDocument;

// Translates between the document's positions, where a line break is one character,
// and the control's, where it is CR LF. Each translation costs a few block look-ups,
// never a walk over the text.
class CrLfPositions
{
public:
    explicit CrLfPositions(const QTextDocument *document)
        : m_document(document)
    {
    }

    int toSurface(int documentPosition) const;
    // A position between CR and LF lands at the end of its line.
    int toDocument(int surfacePosition) const;
    // The length of the text with CR LF line breaks.
    int surfaceLength() const;
    int lineOf(int surfacePosition) const;

    // Any of CR LF, CR or LF becomes the document's one-character break.
    static QString toDocumentText(const QString &text);
    // The document's breaks (paragraph and line separators) become CR LF.
    static QString toSurfaceText(QString text);
    // The length a document text has once its breaks are CR LF.
    static int surfaceSizeOf(QStringView documentText);

private:
    int lineStartOnSurface(int blockNumber) const;

    const QTextDocument *m_document;
};
