#pragma once

struct JournalRun;
class HostView;
class RunJournal;

// The writes of a run that was killed while the host committed them: journaled, but
// not confirmed. The host's commit is all or nothing, so one field whose value tells
// the written value from the one before settles the whole commit.
class PendingWrites
{
public:
    // Settles a killed run's unconfirmed writes against the host's values in view and
    // marks the run finished. Nothing for a run that finished or is still running.
    static void settle(RunJournal &journal, const JournalRun &run, HostView &view);

    static bool stillRunning(const JournalRun &run);
};
