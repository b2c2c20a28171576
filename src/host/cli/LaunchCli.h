#pragma once

#include "ProgramStart.h"
#include "RecordKind.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

class HostStore;

// orvanta-host's commands around the programs the host starts: the launch commands of
// the toolbar and Tools menu (aux, launch) and the field triggers (trigger, and the run
// that follows a set). Programs are started only after the command's transaction is
// committed, so the started program finds the database as the command left it.
class LaunchCli
{
public:
    static constexpr int DefaultTriggerTimeoutSeconds = 60;

    explicit LaunchCli(QTextStream &out);

    void aux(HostStore &store);
    ProgramStart launch(HostStore &store, const QString &name);

    // Shows the field's trigger, or sets it; an empty command line clears it.
    void trigger(
        HostStore &store, RecordKind kind, qint32 field, const std::optional<QString> &commandLine);
    // What a change of the field starts, when it has a trigger.
    static std::optional<ProgramStart> firedTrigger(
        HostStore &store, RecordKind kind, qint32 field);

    // ORVANTA_TRIGGER_TIMEOUT (seconds), else the default.
    static int triggerTimeoutSeconds();
    // The program and arguments of a trigger's command line; an unquoted program path
    // holding spaces is found as the host would, by the longest run of words naming a file.
    static QStringList programWords(const QString &commandLine);

private:
    QTextStream &m_out;
};
