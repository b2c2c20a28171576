#pragma once

#include <QString>

// Every message box and question of the program goes through this interface, so the
// same code runs with Qt message boxes, on a console, or against a test's script.
class Dialogs
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer)
        = 0;

    // An OK-only box without icon, captioned with the program title unless told otherwise.
    void inform(const QString &text, const QString &caption = programTitle());

    static QString programTitle() { return QStringLiteral("Orvanta"); }
};
