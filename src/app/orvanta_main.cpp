#include "CalculationExplainer.h"
#include "ConsoleProgress.h"
#include "Evaluator.h"
#include "ExitStatus.h"
#include "HostConnector.h"
#include "LaunchOptions.h"
#include "LocaleInfo.h"
#include "OrvantaVersion.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "Settings.h"
#include "StartUp.h"
#include "UiLoader.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>
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

    // Windows and Qt message boxes are loaded only if this run shows one.
    UiLoader ui;
    if (options.edit) {
        ui.showEditor(options.commandLine);
        return 0;
    }

    RunState state;
    if (options.explain) {
        Settings settings;
        RecordingDialogs messages;
        Evaluator evaluator(userLocale(), messages);
        QTextStream out(stdout);
        return CalculationExplainer(state, evaluator, messages, settings)
            .run(HostConnector::connection(), options.commandLine, out);
    }

    state.commandLine = options.commandLine;
    state.lookupFlag = options.lookup;
    state.allContactsRequested = options.allContacts;

    RunDialogs dialogs(ui);
    RunWindows &windows = ui;
    Settings settings;
    Evaluator evaluator(userLocale(), dialogs);
    ConsoleProgress progress;
    StartUp(state, HostConnector::connection(), evaluator, dialogs, settings, windows, progress)
        .Main();
    if (state.hostNotFound && !ui.windowsAvailable())
        std::fprintf(stderr, "%s\n", qPrintable(HostConnector::missingHostHint()));
    return int(state.exitStatus);
}
