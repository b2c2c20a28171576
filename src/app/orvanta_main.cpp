#include "ConsoleProgress.h"
#include "Evaluator.h"
#include "HostConnector.h"
#include "JournalCommands.h"
#include "JournalRecorder.h"
#include "LaunchOptions.h"
#include "LocaleInfo.h"
#include "OrvantaVersion.h"
#include "RunJournal.h"
#include "RunState.h"
#include "Settings.h"
#include "StartUp.h"
#include "UiLoader.h"

#include <QLocale>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const LaunchOptions options = LaunchOptions::parse(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "orvanta: %s\n%s", qPrintable(options.error),
            qPrintable(LaunchOptions::usage()));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(LaunchOptions::usage()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("orvanta %s\n", OrvantaVersion);
        return 0;
    }

    if (options.history) {
        QString out;
        QString err;
        const int status = JournalCommands::history(
            RunJournal::defaultPath(), HostConnector::connection(), out, err);
        std::fputs(qPrintable(out), stdout);
        std::fputs(qPrintable(err), stderr);
        return status;
    }

    RunState state;
    state.commandLine = options.commandLine;
    state.lookupFlag = options.lookup;
    state.allContactsRequested = options.allContacts;

    // Windows and Qt message boxes are loaded only if this run shows one.
    UiLoader ui;
    Dialogs &dialogs = ui;
    RunWindows &windows = ui;
    Settings settings;
    Evaluator evaluator(userLocale(), dialogs);
    if (options.undo)
        return JournalCommands::undo(
            RunJournal::defaultPath(), HostConnector::connection(), dialogs, options.undoRun);
    ConsoleProgress progress;
    JournalRecorder journal(RunJournal::defaultPath(), dialogs, RunJournal::BusyTimeoutMs);
    {
        StartUp startUp(
            state, HostConnector::connection(), evaluator, dialogs, settings, windows, progress);
        if (qEnvironmentVariable("ORVANTA_JOURNAL") != QLatin1String("off"))
            startUp.journalTo(&journal);
        startUp.Main();
    }
    // The host has made its last writes durable: the journal can call the run complete.
    journal.finish();
    return 0;
}
