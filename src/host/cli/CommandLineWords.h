#pragma once

#include <QString>
#include <QStringList>

// Cuts a command line into a program and its arguments as a POSIX shell cuts words, with
// no expansion: blanks separate words; single quotes keep everything literally; inside
// double quotes a backslash escapes only $ ` " \ and newline. Outside quotes a
// backslash escapes a blank, a quote or a backslash and is kept before anything else, so
// that the statement separator \/ of a calculation passes as it is written.
namespace CommandLineWords {

// Throws OrvantaError (5) with a message for an unbalanced quote.
QStringList split(const QString &commandLine);

} // namespace CommandLineWords
