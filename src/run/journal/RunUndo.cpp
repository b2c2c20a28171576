#include "RunUndo.h"

#include "Dialogs.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "JournalError.h"
#include "JournalRecorder.h"
#include "JournaledView.h"
#include "OrvantaError.h"
#include "PendingWrites.h"
#include "RunJournal.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

namespace {

QString timeText(const QDateTime &time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Where a write is found now: a key the run changed is found under the key it wrote.
QString recordNow(const JournalWrite &write)
{
    return write.field == HostField::Key ? write.written : write.record;
}

} // namespace

RunUndo::RunUndo(HostApplication &host, Dialogs &dialogs, QString journalPath, int busyTimeoutMs)
    : m_host(host)
    , m_dialogs(dialogs)
    , m_journalPath(std::move(journalPath))
    , m_busyTimeoutMs(busyTimeoutMs)
{
}

bool RunUndo::undo(std::optional<qint64> number)
{
    if (!QFileInfo::exists(m_journalPath)) {
        tell(QStringLiteral("There is no run to undo."));
        return false;
    }
    try {
        RunJournal journal(m_journalPath, RunJournal::Mode::ExistingOnly, m_busyTimeoutMs);
        const std::optional<JournalRun> run = findRun(journal, number);
        if (!run || !onThisHost(*run))
            return false;
        if (PendingWrites::stillRunning(*run)) {
            tell(QStringLiteral("Run %1 is still running.").arg(run->number));
            return false;
        }
        const std::shared_ptr<HostView> view
            = m_host.Views().Create(run->viewType, QStringLiteral("CV"));
        if (!view)
            throw OrvantaError(OrvantaError::ObjectNotSet);
        PendingWrites::settle(journal, *run, *view);
        const JournalRun settled = journal.run(run->number).value_or(*run);
        const Dialogs::Answer answer
            = m_dialogs.message(questionText(settled), Dialogs::programTitle(),
                Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No);
        if (answer != Dialogs::Answer::Yes)
            return false;
        takeBack(journal, settled, view);
        return true;
    } catch (const JournalError &error) {
        tell(error.text());
        return false;
    } catch (const OrvantaError &error) {
        tell(QStringLiteral("The undo stopped: %1").arg(error.description()));
        return false;
    }
}

std::optional<JournalRun> RunUndo::findRun(RunJournal &journal, std::optional<qint64> number)
{
    std::optional<JournalRun> run = number ? journal.run(*number) : journal.newestRun();
    if (!run)
        tell(number ? QStringLiteral("There is no run %1 in the history.").arg(*number)
                    : QStringLiteral("There is no run to undo."));
    return run;
}

bool RunUndo::onThisHost(const JournalRun &run)
{
    const QString open = m_host.GetOpenDBName();
    if (run.host == open)
        return true;
    tell(QStringLiteral("Run %1 was made on the host database %2, not on %3 which is open now. "
                        "Open that database to undo it.")
             .arg(run.number)
             .arg(run.host, open));
    return false;
}

void RunUndo::takeBack(
    RunJournal &journal, const JournalRun &settled, const std::shared_ptr<HostView> &view)
{
    const std::vector<JournalWrite> writes = journal.writes(settled.number);

    JournalRecorder recorder(m_journalPath, m_dialogs, m_busyTimeoutMs);
    recorder.describe([&] {
        JournalRun entry;
        entry.started = QDateTime::currentDateTimeUtc();
        entry.calculation = settled.calculation;
        entry.scope = QStringLiteral("undo of run %1").arg(settled.number);
        entry.host = settled.host;
        entry.viewType = settled.viewType;
        entry.process = QCoreApplication::applicationPid();
        return entry;
    });
    HostCommitListener *previous = m_host.watchCommits(&recorder);
    qint64 restored = 0;
    qint64 leftAlone = 0;
    try {
        JournaledView journaled(view, recorder);
        restore(writes, journaled, restored, leftAlone);
        m_host.Commit();
    } catch (...) {
        m_host.watchCommits(previous);
        throw;
    }
    m_host.watchCommits(previous);
    recorder.finish();
    tell(doneText(settled.number, restored, leftAlone));
}

void RunUndo::restore(
    const std::vector<JournalWrite> &writes, HostView &view, qint64 &restored, qint64 &leftAlone)
{
    std::optional<QString> home;
    try {
        home = view.getField(HostField::Key);
    } catch (const OrvantaError &) {
    }
    std::optional<QString> at;
    // A field the run wrote twice in a record is taken back twice but counted once.
    qint64 row = 0;
    QSet<qint32> counted;
    for (auto write = writes.rbegin(); write != writes.rend(); ++write) {
        if (write->id != row) {
            row = write->id;
            counted.clear();
        }
        qint64 &outcome = restoreOne(*write, view, at) ? restored : leftAlone;
        if (!counted.contains(write->field)) {
            counted.insert(write->field);
            ++outcome;
        }
    }
    if (home) {
        try {
            view.GoTo(*home);
        } catch (const OrvantaError &) {
        }
    }
}

bool RunUndo::restoreOne(const JournalWrite &write, HostView &view, std::optional<QString> &at)
{
    try {
        const QString record = recordNow(write);
        if (at != record) {
            at.reset();
            view.GoTo(record);
            at = record;
        }
        if (view.getField(write.field) != write.written)
            return false;
        view.SetField(write.field, write.before);
        if (write.field == HostField::Key)
            at = write.before;
        return true;
    } catch (const OrvantaError &) {
        // The record is gone or the host refused: the field is not the run's any more.
        return false;
    }
}

void RunUndo::tell(const QString &text)
{
    m_dialogs.inform(text);
}

QString RunUndo::questionText(const JournalRun &run)
{
    return QStringLiteral("Undo run %1 of %2 (%3)?\r%4 fields of %5 records get back the values "
                          "they had before it.\rCalculation: %6")
        .arg(run.number)
        .arg(timeText(run.started), run.scope)
        .arg(run.fields)
        .arg(run.records)
        .arg(run.calculation);
}

QString RunUndo::doneText(qint64 number, qint64 restored, qint64 leftAlone)
{
    QString text
        = QStringLiteral("Run %1 is undone: %2 fields restored.").arg(number).arg(restored);
    if (leftAlone > 0)
        text += QStringLiteral("\r%1 fields were changed since the run and are left as they are.")
                    .arg(leftAlone);
    return text;
}
