#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Evaluator;
class HostApplication;
class JournalRecorder;
class RunDialogs;
class RunProgress;
class RunWindows;
class Settings;
struct RunState;

// How a run reaches its host: the title of the host's foreground window (nothing when
// there is no host to ask) and the attachment itself, which throws 429 for a missing host.
struct HostConnection
{
    std::function<std::optional<QString>()> foregroundWindowTitle;
    std::function<std::unique_ptr<HostApplication>()> attach;
};

// The start of every process: attach to the host, look at its active view, run one
// calculation or show the Contact List warning, clean up. Errors before the view is
// examined are reported as module "Module1"; after it the program ends silently. Either
// way the run state's exit status tells what happened.
class StartUp
{
public:
    StartUp(RunState &state, HostConnection host, Evaluator &evaluator, RunDialogs &dialogs,
        Settings &settings, RunWindows &windows, RunProgress &progress);

    void Main();

    // Journals the run's writes there; no journal when never called.
    void journalTo(JournalRecorder *recorder);

private:
    void journalRun();
    bool launchedFromHostWindow();
    std::unique_ptr<HostApplication> attach();
    void examineViewAndRun();
    void deleteTemporaryCalculation();

    RunState &m_state;
    HostConnection m_host;
    Evaluator &m_evaluator;
    RunDialogs &m_dialogs;
    Settings &m_settings;
    RunWindows &m_windows;
    RunProgress &m_progress;
    JournalRecorder *m_journal = nullptr;
};
