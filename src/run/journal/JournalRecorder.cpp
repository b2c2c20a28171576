#include "JournalRecorder.h"

#include "Dialogs.h"
#include "JournalChanges.h"
#include "JournalError.h"
#include "RunJournal.h"

#include <algorithm>

namespace {
// A run deletes at least this many old writes when there are any to prune, and at most
// twice what it wrote itself, so pruning keeps pace with writing at a cost in
// proportion to the run.
constexpr int MinimumPruneSlice = 256;
// A run of this many writes or more has the journal's log copied in less often.
constexpr qint64 ManyWrites = 1000;
} // namespace

JournalRecorder::JournalRecorder(QString path, Dialogs &dialogs, int busyTimeoutMs)
    : m_path(std::move(path))
    , m_dialogs(dialogs)
    , m_busyTimeoutMs(busyTimeoutMs)
{
}

JournalRecorder::~JournalRecorder() = default;

void JournalRecorder::describe(std::function<JournalRun()> description)
{
    m_description = std::move(description);
}

void JournalRecorder::setRetention(Retention retention)
{
    m_retention = retention;
}

void JournalRecorder::add(
    const QString &record, qint32 field, const QString &before, const QString &written)
{
    m_buffer.push_back({0, record, field, before, written});
}

void JournalRecorder::aboutToCommit(int fieldWrites)
{
    // A commit that failed before is tried again with the writes announced for it.
    const int count = std::min(std::max(fieldWrites - m_announced, 0), int(m_buffer.size()));
    if (m_failure) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + count);
        return;
    }
    if (count == 0 && m_confirmed == m_lastWritten)
        return;
    try {
        writeAnnounced(count);
    } catch (const JournalError &error) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + count);
        fail(error);
    }
}

void JournalRecorder::writeAnnounced(int count)
{
    if (!m_journal)
        m_journal = std::make_unique<RunJournal>(
            m_path, RunJournal::Mode::CreateIfMissing, m_busyTimeoutMs);
    m_journal->transaction([&] {
        if (!m_run) {
            JournalRun run = m_description ? m_description() : JournalRun();
            m_run = m_journal->addRun(run);
        }
        int fields = 0;
        for (int i = 0; i < count;) {
            // A run writes a record's fields one after the other.
            const JournalWrite &first = m_buffer.at(size_t(i));
            int same = 1;
            while (i + same < count && m_buffer.at(size_t(i + same)).record == first.record)
                ++same;
            m_lastWritten = m_journal->addWrites(*m_run, &first, same);
            fields += JournalChanges::distinctFields(&first, same);
            if (m_firstWritten == 0)
                m_firstWritten = m_lastWritten;
            if (first.record != m_lastRecord) {
                ++m_records;
                m_lastRecord = first.record;
            }
            i += same;
        }
        if (m_fields < ManyWrites && m_fields + fields >= ManyWrites)
            m_journal->expectManyWrites();
        m_fields += fields;
        m_journal->updateProgress(
            *m_run, m_records, m_fields, m_confirmed, m_firstWritten, m_lastWritten);
    });
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + count);
    m_announced += count;
}

void JournalRecorder::committed()
{
    m_confirmed = m_lastWritten;
    m_announced = 0;
}

void JournalRecorder::finish()
{
    if (m_failure) {
        abandonPartialRun();
        reportFailure();
        return;
    }
    if (!m_run)
        return;
    try {
        // Writes of a last commit that failed never reached the host.
        if (m_confirmed < m_lastWritten)
            m_journal->dropWritesAfter(*m_run, m_confirmed);
        else
            m_journal->transaction([&] { m_journal->finishRun(*m_run, m_confirmed); });
    } catch (const JournalError &error) {
        fail(error);
        abandonPartialRun();
        reportFailure();
        return;
    }
    try {
        if (m_fields >= ManyWrites)
            m_journal->emptyLog();
        const int budget = int(std::clamp<qint64>(2 * m_fields, MinimumPruneSlice, 1 << 20));
        m_journal->prune(m_retention.runs, m_retention.days, budget);
    } catch (const JournalError &) {
        // Pruning waits for the next run: a busy journal is no reason to bother anyone.
    }
}

// Told when the run ends, not when it happens: the host may be committing just then,
// and a message box must not keep other writers of the host waiting.
void JournalRecorder::fail(const JournalError &error)
{
    m_failure = error.text();
    m_journal.reset();
}

// What the journal holds of a run it lost track of is not the whole run: offered for undo
// it would take back only part of it.
void JournalRecorder::abandonPartialRun()
{
    if (!m_run)
        return;
    try {
        RunJournal(m_path, RunJournal::Mode::ExistingOnly, m_busyTimeoutMs).abandonRun(*m_run);
    } catch (const JournalError &) {
        // Still unreachable: the history lists the part that was journaled.
    }
}

void JournalRecorder::reportFailure()
{
    m_dialogs.message(notJournaledText(*m_failure), Dialogs::programTitle(), Dialogs::Buttons::Ok,
        Dialogs::Icon::Exclamation, Dialogs::Answer::Ok);
}

QString JournalRecorder::notJournaledText(const QString &reason)
{
    return reason
        + QStringLiteral("\rYour fields are written, but this run is not journaled and "
                         "cannot be undone.");
}
