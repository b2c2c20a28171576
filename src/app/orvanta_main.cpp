#include "CalculationExplainer.h"
#include "ConsoleProgress.h"
#include "Evaluator.h"
#include "ExitStatus.h"
#include "HostConnector.h"
#include "JournalCommands.h"
#include "JournalRecorder.h"
#include "LaunchOptions.h"
#include "LocaleInfo.h"
#include "OrvantaVersion.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunJournal.h"
#include "RunState.h"
#include "Settings.h"
#include "StartUp.h"
#include "UiLoader.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

int showHistory()
{
    QString out;
    QString err;
    const int status = JournalCommands::history(
        RunJournal::defaultPath(), HostConnector::connection(), out, err);
    std::fputs(qPrintable(out), stdout);
    std::fputs(qPrintable(err), stderr);
    return status;
}

int explain(const QString &commandLine)
{
    RunState state;
    Settings settings;
    RecordingDialogs messages;
    Evaluator evaluator(userLocale(), messages);
    QTextStream out(stdout);
    return CalculationExplainer(state, evaluator, messages, settings)
        .run(HostConnector::connection(), commandLine, out);
}

int calculate(const LaunchOptions &options, UiLoader &ui)
{
    RunState state;
    state.commandLine = options.commandLine;
    state.lookupFlag = options.lookup;
    state.allContactsRequested = options.allContacts;

    RunDialogs dialogs(ui);
    RunWindows &windows = ui;
    Settings settings;
    Evaluator evaluator(userLocale(), dialogs);
    ConsoleProgress progress;
    // The journal's own reports are always shown and never count as a record's error.
    JournalRecorder journal(RunJournal::defaultPath(), dialogs.shown(), RunJournal::BusyTimeoutMs);
    {
        StartUp startUp(
            state, HostConnector::connection(), evaluator, dialogs, settings, windows, progress);
        if (qEnvironmentVariable("ORVANTA_JOURNAL") != QLatin1String("off"))
            startUp.journalTo(&journal);
        startUp.Main();
    }
    // The host has made its last writes durable: the journal can call the run complete.
    journal.finish();
    if (state.hostNotFound && !ui.windowsAvailable())
        std::fprintf(stderr, "%s\n", qPrintable(HostConnector::missingHostHint()));
    return int(state.exitStatus);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const LaunchOptions options = LaunchOptions::parse(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "orvanta: %s\n%s", qPrintable(options.error),
            qPrintable(LaunchOptions::usage()));
        return int(ExitStatus::BadCommandLine);
    }
    if (options.help) {
        std::fputs(qPrintable(LaunchOptions::usage()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("orvanta %s\n", OrvantaVersion);
        return 0;
    }
    if (options.history)
        return showHistory();
    if (options.explain)
        return explain(options.commandLine);

    // Windows and Qt message boxes are loaded only if this run shows one.
    UiLoader ui;
    if (options.edit) {
        ui.showEditor(options.commandLine);
        // Without a display the editor only says so, and a script must not take that as done.
        return ui.windowsAvailable() ? 0 : int(ExitStatus::NotWritten);
    }
    if (options.undo)
        return JournalCommands::undo(
            RunJournal::defaultPath(), HostConnector::connection(), ui, options.undoRun);
    return calculate(options, ui);
}
