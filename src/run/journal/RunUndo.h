#pragma once

#include "JournalEntries.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class Dialogs;
class HostApplication;
class HostView;
class JournalRecorder;
class RunJournal;

// Takes back one journaled run through the host interface, after asking. A field whose
// value is no longer what the run wrote has been changed since and is left alone. The
// undo is journaled as a run of its own, so it can be undone in turn.
class RunUndo
{
public:
    RunUndo(HostApplication &host, Dialogs &dialogs, QString journalPath, int busyTimeoutMs);

    // Run number, or the newest when absent. False when nothing was undone.
    bool undo(std::optional<qint64> number);

    static QString questionText(const JournalRun &run);
    static QString doneText(qint64 number, qint64 restored, qint64 leftAlone);

private:
    std::optional<JournalRun> findRun(RunJournal &journal, std::optional<qint64> number);
    bool onThisHost(const JournalRun &run);
    void takeBack(
        RunJournal &journal, const JournalRun &settled, const std::shared_ptr<HostView> &view);
    void restore(const std::vector<JournalWrite> &writes, HostView &view, qint64 &restored,
        qint64 &leftAlone);
    // Gives one field back its value before the run; false when it was changed since.
    static bool restoreOne(const JournalWrite &write, HostView &view, std::optional<QString> &at);
    void tell(const QString &text);

    HostApplication &m_host;
    Dialogs &m_dialogs;
    QString m_journalPath;
    int m_busyTimeoutMs;
};
