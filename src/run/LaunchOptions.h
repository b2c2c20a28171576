#pragma once

#include <QString>
#include <QStringList>

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
    QString error; // an unknown option
    QString commandLine;

    static LaunchOptions parse(const QStringList &arguments);
    static QString usage();
};
