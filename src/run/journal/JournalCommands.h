#pragma once

#include <QString>
#include <optional>

class Dialogs;
struct HostConnection;

// orvanta --history and --undo. Each returns the process's exit status.
class JournalCommands
{
public:
    static constexpr int Done = 0;
    static constexpr int NotDone = 1;
    static constexpr int HostUnreachable = 3;

    // The history on out, or why there is none on err.
    static int history(
        const QString &journalPath, const HostConnection &host, QString &out, QString &err);
    static int undo(const QString &journalPath, const HostConnection &host, Dialogs &dialogs,
        std::optional<qint64> number);
};
