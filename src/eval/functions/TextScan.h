#pragma once

#include <QString>
#include <QStringView>

// Text rules of the single-argument text functions.
namespace TextScan {

// Trim, LTrim and RTrim: the space character only, not tabs or line breaks.
QString trimSpaces(const QString &text, bool leading, bool trailing);
// FCase: each piece between single spaces gets an upper-case first letter and lower-case
// rest; runs of spaces survive as empty pieces.
QString firstLettersUpper(const QString &text);
// Val: the number at the start of the text, ignoring spaces, tabs and line feeds, with "."
// as the decimal point in every locale and &H / &O prefixes; 0 when there is none. False
// when the number overflows.
bool leadingNumber(QStringView text, double &out);

} // namespace TextScan
