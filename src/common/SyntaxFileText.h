#pragma once

#include <QByteArray>
#include <QString>

// The text of a syntax file: UTF-8, or what a byte-order mark names (UTF-16, as Windows
// editors may save). A file that is not UTF-8 was saved in the Windows code page the
// original program used, and is read in it rather than losing its accented letters.
namespace SyntaxFileText {

QString decode(const QByteArray &content);

} // namespace SyntaxFileText
