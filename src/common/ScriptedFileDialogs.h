#pragma once

#include "FileDialogs.h"

#include <QList>

// Answers file dialogs from a script and keeps every request, for tests.
class ScriptedFileDialogs : public FileDialogs
{
public:
    std::optional<QString> choose(const Request &request) override;

    // Paths chosen, in order; nothing stands for Cancel, and so does an exhausted script.
    void scriptAnswers(QList<std::optional<QString>> answers) { m_script = std::move(answers); }

    const QList<Request> &requests() const { return m_requests; }

private:
    QList<Request> m_requests;
    QList<std::optional<QString>> m_script;
};
