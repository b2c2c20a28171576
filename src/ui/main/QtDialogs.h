#pragma once

#include "Dialogs.h"

#include <QMessageBox>
#include <memory>

class QWidget;

// The program's message boxes as Qt shows them: the same buttons, icon, default button
// and caption the program asks for; a carriage return in the text is a line break.
class QtDialogs : public Dialogs
{
public:
    Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer) override;

    // The box message() shows, built but not yet shown.
    static std::unique_ptr<QMessageBox> messageBox(const QString &text, const QString &caption,
        Buttons buttons, Icon icon, Answer defaultAnswer, QWidget *parent = nullptr);

private:
    static QMessageBox::StandardButtons standardButtons(Buttons buttons);
    static QMessageBox::Icon messageIcon(Icon icon);
    static QMessageBox::StandardButton standardButton(Answer answer);
    static Answer answerFor(int standardButton, Answer defaultAnswer);
};
