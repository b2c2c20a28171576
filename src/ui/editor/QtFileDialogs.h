#pragma once

#include "FileDialogs.h"

#include <QStringList>

// File dialogs as Qt shows them, over the active window. The program asks its own replace
// question, so the save dialog asks none.
class QtFileDialogs : public FileDialogs
{
public:
    std::optional<QString> choose(const Request &request) override;

    // "Notes (*.txt)|*.txt|All (*)|*" as Qt's name filters: the descriptions, which carry
    // their patterns in parentheses.
    static QStringList nameFilters(const QString &filter);
};
