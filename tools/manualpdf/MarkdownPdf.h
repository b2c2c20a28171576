#pragma once

#include <QString>

// A Markdown text laid out as an A4 PDF: headings, tables, lists and code blocks as Qt's
// text document renders them, with a page number at the foot of every page.
class MarkdownPdf
{
public:
    // Images in the text are found beside the Markdown file. Returns an empty text, or
    // what went wrong.
    static QString write(const QString &markdownPath, const QString &pdfPath);
};
