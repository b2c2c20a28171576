#pragma once

#include <QString>
#include <optional>

// Every file dialog of the program goes through this interface, so the same code runs with
// Qt's file dialog or against a test's script.
class FileDialogs
{
public:
    enum class Mode { Open, Save };

    struct Request
    {
        Mode mode = Mode::Open;
        QString initialFolder;
        // Pairs of description and pattern separated by "|": "Notes (*.txt)|*.txt".
        QString filter;
        bool fileMustExist = false;
    };

    virtual ~FileDialogs() = default;

    // The path the user chose; nothing when the dialog was cancelled.
    virtual std::optional<QString> choose(const Request &request) = 0;
};
