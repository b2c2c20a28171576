#include "RunDialogs.h"

RunDialogs::RunDialogs(Dialogs &shown)
    : m_shown(shown)
{
}

Dialogs::Answer RunDialogs::message(
    const QString &text, const QString &caption, Buttons buttons, Icon icon, Answer defaultAnswer)
{
    ++m_count;
    if (m_quiet)
        return defaultAnswer;
    if (m_quietAfterNext) {
        m_quietAfterNext = false;
        m_quiet = true;
    }
    if (m_beforeShowing)
        m_beforeShowing();
    return m_shown.message(text, caption, buttons, icon, defaultAnswer);
}
