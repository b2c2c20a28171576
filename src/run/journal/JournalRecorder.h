#pragma once

#include "HostCommitListener.h"
#include "JournalEntries.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Dialogs;
class JournalError;
class RunJournal;

// Journals one run in step with the host's commits. The writes a host commit carries
// are written to the journal just before that commit and confirmed after it, so after a
// kill at any moment the journal holds every write that reached the host, and at most
// the one commit in flight is unconfirmed (see PendingWrites). A journal that cannot be
// used is reported once, when the run ends; the run goes on writing its fields.
class JournalRecorder : public HostCommitListener
{
public:
    struct Retention
    {
        int runs = 100;
        int days = 90;
    };

    JournalRecorder(QString path, Dialogs &dialogs, int busyTimeoutMs);
    ~JournalRecorder() override;

    // What the run is called in the history, asked for when it first writes.
    void describe(std::function<JournalRun()> description);
    void setRetention(Retention retention);

    // A field the run is about to hand to the host.
    void add(const QString &record, qint32 field, const QString &before, const QString &written);

    void aboutToCommit(int fieldWrites) override;
    void committed() override;

    // After the host's last commit: the run is complete in the journal and a slice of the
    // runs past retention is deleted.
    void finish();

    std::optional<qint64> runNumber() const { return m_run; }

    static QString notJournaledText(const QString &reason);

private:
    void writeAnnounced(int count);
    void fail(const JournalError &error);
    void reportFailure();
    void abandonPartialRun();

    QString m_path;
    Dialogs &m_dialogs;
    int m_busyTimeoutMs;
    std::function<JournalRun()> m_description;
    Retention m_retention;
    std::unique_ptr<RunJournal> m_journal;
    std::optional<QString> m_failure;
    std::optional<qint64> m_run;
    std::vector<JournalWrite> m_buffer;
    int m_announced = 0; // written to the journal, the host's commit not yet seen
    qint64 m_firstWritten = 0;
    qint64 m_lastWritten = 0;
    qint64 m_confirmed = 0;
    qint64 m_fields = 0;
    qint64 m_records = 0;
    QString m_lastRecord;
};
