#pragma once

#include <QString>
#include <QStringList>

// A program the host starts and waits for, as a field trigger or a launch button does.
// The started program reaches the same host database through ORVANTA_HOST.
struct ProgramStart
{
    QString what; // "the trigger of field 3", for messages
    QString program;
    QStringList arguments;
    QString folder; // the working folder; empty keeps the host's
    int timeoutSeconds = 0; // 0 waits as long as it takes

    // Throws OrvantaError (5) with one line saying what went wrong: the program could
    // not start, crashed, ended with a status other than 0, or ran past the time limit
    // (it is then stopped).
    void run(const QString &databasePath) const;
};
