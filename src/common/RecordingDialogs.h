#pragma once

#include "Dialogs.h"

#include <QList>

// Keeps every message shown and answers questions from a script, for tests.
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
    };

    Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer) override;

    // Answers given, in order, to the questions (anything but an OK-only box); when the
    // script runs out, the default button answers.
    void scriptAnswers(QList<Answer> answers) { m_script = std::move(answers); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<Answer> m_script;
};
