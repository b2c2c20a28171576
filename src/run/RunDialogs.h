#pragma once

#include "Dialogs.h"

#include <functional>

// The dialogs of a run, which the evaluator shares. Every message is passed on and
// counted, so the run can tell which records reported an error; once quiet, messages
// are counted but no longer shown.
class RunDialogs : public Dialogs
{
public:
    explicit RunDialogs(Dialogs &shown);

    Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer) override;

    qint64 messageCount() const { return m_count; }
    bool quiet() const { return m_quiet; }
    void setQuiet(bool quiet)
    {
        m_quiet = quiet;
        m_quietAfterNext = false;
    }
    // The next message is still shown; those after it are not.
    void quietAfterNextMessage() { m_quietAfterNext = true; }

    // For the run's own questions and reports: always shown, never counted.
    Dialogs &shown() { return m_shown; }

    // Called before a message is shown, so that a run can let other writers in while
    // the user reads it.
    void setBeforeShowing(std::function<void()> beforeShowing)
    {
        m_beforeShowing = std::move(beforeShowing);
    }

private:
    Dialogs &m_shown;
    qint64 m_count = 0;
    bool m_quiet = false;
    bool m_quietAfterNext = false;
    std::function<void()> m_beforeShowing;
};
