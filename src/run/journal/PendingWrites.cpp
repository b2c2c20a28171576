#include "PendingWrites.h"

#include "HostNumbers.h"
#include "HostView.h"
#include "JournalEntries.h"
#include "OrvantaError.h"
#include "RunJournal.h"

#include <QCoreApplication>
#include <QMap>
#include <cerrno>
#include <optional>
#include <signal.h>

namespace {

struct FieldChange
{
    QString before; // before the commit's first write to the field
    QString written; // its last write
};

QMap<std::pair<QString, qint32>, FieldChange> changesOf(const std::vector<JournalWrite> &writes)
{
    QMap<std::pair<QString, qint32>, FieldChange> changes;
    for (const JournalWrite &write : writes) {
        if (write.field == HostField::Key)
            continue;
        const std::pair key(write.record, write.field);
        auto found = changes.find(key);
        if (found == changes.end())
            changes.insert(key, {write.before, write.written});
        else
            found->written = write.written;
    }
    return changes;
}

// Whether the commit reached the host; a commit no field can tell about counts as
// reached, since taking it back would give every field the value it has anyway.
bool reachedHost(const std::vector<JournalWrite> &pending, HostView &view)
{
    const auto changes = changesOf(pending);
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it->before == it->written)
            continue;
        try {
            view.GoTo(it.key().first);
            const QString current = view.getField(it.key().second);
            if (current == it->written)
                return true;
            if (current == it->before)
                return false;
        } catch (const OrvantaError &) {
            // A record gone since tells nothing.
        }
    }
    return true;
}

std::optional<QString> currentKey(HostView &view)
{
    try {
        return view.getField(HostField::Key);
    } catch (const OrvantaError &) {
        return std::nullopt;
    }
}

} // namespace

void PendingWrites::settle(RunJournal &journal, const JournalRun &run, HostView &view)
{
    if (run.finished || stillRunning(run))
        return;
    std::vector<JournalWrite> pending = journal.writes(run.number);
    std::erase_if(pending, [&](const JournalWrite &write) { return write.id <= run.confirmed; });
    if (pending.empty()) {
        journal.dropWritesAfter(run.number, run.confirmed);
        return;
    }
    const std::optional<QString> home = currentKey(view);
    const bool reached = reachedHost(pending, view);
    if (home)
        view.GoTo(*home);
    journal.dropWritesAfter(run.number, reached ? pending.back().id : run.confirmed);
}

bool PendingWrites::stillRunning(const JournalRun &run)
{
    if (run.finished || run.process <= 0)
        return false;
    if (run.process == QCoreApplication::applicationPid())
        return true;
    return ::kill(pid_t(run.process), 0) == 0 || errno == EPERM;
}
