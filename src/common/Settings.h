#pragma once

#include <QString>

// The per-user settings store: application "Orvanta", group "Settings". Keys the program
// knows read their documented default when absent.
class Settings
{
public:
    static constexpr const char *Warning = "Warning";
    static constexpr const char *TrueWord = "True";
    static constexpr const char *FalseWord = "False";
    static constexpr const char *EditorWidth = "EditorWidth";
    static constexpr const char *EditorHeight = "EditorHeight";
    // The run journal keeps the runs among the newest JournalRuns or younger than
    // JournalDays, whichever keeps more.
    static constexpr const char *JournalRuns = "JournalRuns";
    static constexpr const char *JournalDays = "JournalDays";

    QString value(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue) const;
    void setValue(const QString &key, const QString &value);

    static QString defaultValue(const QString &key);
};
