#pragma once

#include <QString>

// What the editor refuses to load: a file too large to edit, or one that is not text.
namespace SyntaxFileCheck {

constexpr int InvalidFileFormat = 321;

// Throws OrvantaError 7 for a file over maxBytes and 321 for one holding NUL characters.
// A file that cannot be opened passes: loading it reports that in its own words.
void ensureEditable(const QString &path, qint64 maxBytes);

} // namespace SyntaxFileCheck
