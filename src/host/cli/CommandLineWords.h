#pragma once

#include <QString>
#include <QStringList>

// Cuts a command line into a program and its arguments as a POSIX shell cuts words, with
// no expansion: blanks separate words; single quotes keep everything literally; inside
// double quotes a backslash escapes only $ ` " \ and newline. Two departures let a
// calculation pass as it is written, since it holds no blank: a quote opens quoting only
// at the start of a word (so If([4]>1;"Yes";"No") keeps its quotes), and outside quotes a
// backslash escapes only a blank, a quote or a backslash and stays before anything else
// (so the statement separator \/ stays).
namespace CommandLineWords {

// Throws OrvantaError (5) with a message for an unbalanced quote.
QStringList split(const QString &commandLine);

} // namespace CommandLineWords
