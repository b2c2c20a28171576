#pragma once

#include <QChar>

// The 8-bit code page of Chr and Asc, fixed so that results are the same on every machine,
// and of syntax files saved by Windows editors.
namespace Windows1252 {

QChar toUnicode(quint8 code);
// The code of a character, or 63 ("?") for one the code page does not hold.
int fromUnicode(QChar c);

} // namespace Windows1252
