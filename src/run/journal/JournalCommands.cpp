#include "JournalCommands.h"

#include "Dialogs.h"
#include "HostApplication.h"
#include "HostView.h"
#include "HostViews.h"
#include "JournalError.h"
#include "OrvantaError.h"
#include "PendingWrites.h"
#include "RunHistory.h"
#include "RunJournal.h"
#include "RunUndo.h"
#include "StartUp.h"

#include <QFileInfo>

namespace {

// Runs killed on the host open now get their last commit settled, so that the history
// counts what reached the host. Without a host they stay marked as cut short.
void settleKilledRuns(RunJournal &journal, const HostConnection &host)
{
    std::unique_ptr<HostApplication> application;
    for (const JournalRun &run : journal.runs()) {
        if (run.finished || PendingWrites::stillRunning(run))
            continue;
        try {
            if (!application)
                application = host.attach();
            if (run.host != application->GetOpenDBName())
                continue;
            if (const auto view = application->Views().Create(run.viewType, QStringLiteral("CV")))
                PendingWrites::settle(journal, run, *view);
        } catch (const OrvantaError &) {
            return;
        }
    }
}

} // namespace

int JournalCommands::history(
    const QString &journalPath, const HostConnection &host, QString &out, QString &err)
{
    if (!QFileInfo::exists(journalPath)) {
        out = RunHistory::table({});
        return Done;
    }
    try {
        RunJournal journal(journalPath, RunJournal::Mode::ExistingOnly);
        settleKilledRuns(journal, host);
        out = RunHistory::table(journal.runs());
        return Done;
    } catch (const JournalError &error) {
        err = error.text() + QLatin1Char('\n');
        return NotDone;
    }
}

int JournalCommands::undo(const QString &journalPath, const HostConnection &host, Dialogs &dialogs,
    std::optional<qint64> number)
{
    std::unique_ptr<HostApplication> application;
    try {
        application = host.attach();
    } catch (const OrvantaError &error) {
        dialogs.inform(
            QStringLiteral("Orvanta cannot reach the host: %1").arg(error.description()));
        return HostUnreachable;
    }
    const bool undone
        = RunUndo(*application, dialogs, journalPath, RunJournal::BusyTimeoutMs).undo(number);
    return undone ? Done : NotDone;
}
