#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The leading "--" options of orvanta (no command line of the host's own form starts with
// them), and the command line that follows: the remaining arguments joined by spaces.
struct LaunchOptions
{
    bool lookup = false;
    bool allContacts = false;
    bool help = false;
    bool version = false;
    bool explain = false; // print how each statement evaluates, write nothing
    bool edit = false; // the syntax editor alone, on the file named by the command line
    bool history = false;
    bool undo = false;
    std::optional<qint64> undoRun; // the newest when absent
    QString error; // an unknown option
    QString commandLine;

    static LaunchOptions parse(const QStringList &arguments);
    static QString usage();
};
