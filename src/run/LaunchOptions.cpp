#include "LaunchOptions.h"

LaunchOptions LaunchOptions::parse(const QStringList &arguments)
{
    LaunchOptions options;
    qsizetype i = 0;
    for (; i < arguments.size() && arguments.at(i).startsWith(QStringLiteral("--")); ++i) {
        const QString &option = arguments.at(i);
        if (option == QLatin1String("--lookup")) {
            options.lookup = true;
        } else if (option == QLatin1String("--all")) {
            options.allContacts = true;
            options.lookup = true;
        } else if (option == QLatin1String("--help")) {
            options.help = true;
        } else if (option == QLatin1String("--explain")) {
            options.explain = true;
        } else if (option == QLatin1String("--edit")) {
            options.edit = true;
        } else if (option == QLatin1String("--version")) {
            options.version = true;
        } else if (option == QLatin1String("--history")) {
            options.history = true;
        } else if (option == QLatin1String("--undo")) {
            options.undo = true;
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QStringLiteral("--"))) {
                bool isNumber = false;
                options.undoRun = arguments.at(++i).toLongLong(&isNumber);
                if (!isNumber || *options.undoRun <= 0) {
                    options.error
                        = QStringLiteral("--undo takes a run number, not ") + arguments.at(i);
                    return options;
                }
            }
        } else {
            options.error = QStringLiteral("unknown option ") + option;
            return options;
        }
    }
    options.commandLine = arguments.mid(i).join(QLatin1Char(' '));
    return options;
}

QString LaunchOptions::usage()
{
    return QStringLiteral(
        "Usage: orvanta [--lookup | --all | --explain] [CALCULATION | [/]File:PATH]\n"
        "       orvanta --edit [PATH]\n"
        "       orvanta --history | --undo [N]\n"
        "\n"
        "Fills fields of the host's contact database with computed values.\n"
        "\n"
        "  CALCULATION   statements such as [25]=[3]*2, separated by \\/; write a space\n"
        "                inside quoted text as _\n"
        "  File:PATH     read the calculation from a syntax file (.ocs, .ogs); ? stands for\n"
        "                a space and AppPath for the program's folder\n"
        "  (nothing)     show the main window\n"
        "\n"
        "  --lookup      run for every record of the host's current lookup\n"
        "  --all         make the lookup hold all contacts, then run for every one\n"
        "  --explain     print, for the current record, each statement's substituted\n"
        "                expression, every group and function call with its value, and\n"
        "                the value a run would write; writes nothing\n"
        "  --help        show this text\n"
        "  --edit        open the syntax editor on PATH (group fields for .ogs files)\n"
        "  --version     show the version\n"
        "  --history     list the journaled runs, newest first\n"
        "  --undo [N]    take back run N of the history (the newest when N is left out)\n"
        "\n"
        "The host database is ORVANTA_HOST, else $XDG_DATA_HOME/orvanta/host.db.\n"
        "The run journal is $XDG_DATA_HOME/orvanta/journal.db; ORVANTA_JOURNAL=off runs\n"
        "without it.\n"
        "\n"
        "Exit status:\n"
        "  0  every statement was written\n"
        "  1  a statement or record reported an error, or the run was stopped (by the\n"
        "     user, or because the host's view allows no calculation), or a window was\n"
        "     needed and there is no display\n"
        "  2  a bad command line\n"
        "  3  the host could not be reached or its database failed\n");
}
