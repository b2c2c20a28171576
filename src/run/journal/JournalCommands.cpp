#include "JournalCommands.h"

#include "Dialogs.h"
#include "HostApplication.h"
#include "JournalError.h"
#include "OrvantaError.h"
#include "RunHistory.h"
#include "RunJournal.h"
#include "RunUndo.h"
#include "StartUp.h"

#include <QFileInfo>

int JournalCommands::history(const QString &journalPath, QString &out, QString &err)
{
    if (!QFileInfo::exists(journalPath)) {
        out = RunHistory::table({});
        return Done;
    }
    try {
        RunJournal journal(journalPath, RunJournal::Mode::ExistingOnly);
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
