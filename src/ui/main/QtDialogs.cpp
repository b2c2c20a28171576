#include "QtDialogs.h"

#include <QApplication>

Dialogs::Answer QtDialogs::message(
    const QString &text, const QString &caption, Buttons buttons, Icon icon, Answer defaultAnswer)
{
    const std::unique_ptr<QMessageBox> box
        = messageBox(text, caption, buttons, icon, defaultAnswer, QApplication::activeWindow());
    return answerFor(box->exec(), defaultAnswer);
}

std::unique_ptr<QMessageBox> QtDialogs::messageBox(const QString &text, const QString &caption,
    Buttons buttons, Icon icon, Answer defaultAnswer, QWidget *parent)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(
        messageIcon(icon), caption, shown, standardButtons(buttons), parent);
    // Field values and calculations may hold "<": never read them as rich text.
    box->setTextFormat(Qt::PlainText);
    const QMessageBox::StandardButton preferred = standardButton(defaultAnswer);
    if (box->button(preferred))
        box->setDefaultButton(preferred);
    return box;
}

QMessageBox::StandardButtons QtDialogs::standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon QtDialogs::messageIcon(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtDialogs::standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::NoButton;
}

// A box closed without a button (its close box, Escape) answers with its default.
Dialogs::Answer QtDialogs::answerFor(int standardButton, Answer defaultAnswer)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    }
    return defaultAnswer;
}
