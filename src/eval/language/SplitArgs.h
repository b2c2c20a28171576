#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Stands for "\;" while an argument list is cut, so an escaped semicolon survives.
inline const QString ArgPlaceholder = QStringLiteral("^^\u00e9\u00e8");

// Cuts a function's argument text at every ";" ("\;" is a semicolon inside an argument).
// Knows nothing of quotes or parentheses; an empty text is one empty argument.
QStringList SplitArgs(QStringView argumentText);
