#pragma once

#include <QString>

// What the editor writes into the main window's prompt box when it closes: a "File:"
// reference to the file that holds the text, or the calculation itself.
namespace HandBack {

// The first line of the text, cut before the text's first apostrophe when that lies on it,
// without control characters and trimmed of spaces.
QString firstLineCalculation(const QString &text);

QString forDocument(
    const QString &text, const QString &sLoadedFile, const QString &sSavedFile, bool bChanged);

// The text up to its first CR LF, or all of it.
QString GetFirstLine(const QString &text);

} // namespace HandBack
