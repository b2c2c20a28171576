#include "RecordingDialogs.h"

#include <QStringList>

Dialogs::Answer RecordingDialogs::message(
    const QString &text, const QString &caption, Buttons buttons, Icon icon, Answer defaultAnswer)
{
    m_shown.append({text, caption, buttons, icon, defaultAnswer});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (m_script.isEmpty())
        return defaultAnswer;
    return m_script.takeFirst();
}

QStringList RecordingDialogs::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result << s.text;
    return result;
}
