#include "QtDialogs.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using A = Dialogs::Answer;
using B = Dialogs::Buttons;
using I = Dialogs::Icon;

TEST(QtDialogs, BoxHasTheAskedButtonsIconAndDefault)
{
    const struct
    {
        B buttons;
        I icon;
        A defaultAnswer;
        QMessageBox::StandardButtons expectedButtons;
        QMessageBox::Icon expectedIcon;
        QMessageBox::StandardButton expectedDefault;
    } rows[] = {
        {B::Ok, I::None, A::Ok, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok},
        {B::YesNo, I::Critical, A::No, QMessageBox::Yes | QMessageBox::No, QMessageBox::Critical,
            QMessageBox::No},
        {B::OkCancel, I::Exclamation, A::Cancel, QMessageBox::Ok | QMessageBox::Cancel,
            QMessageBox::Warning, QMessageBox::Cancel},
        {B::AbortRetryIgnore, I::Exclamation, A::Ignore,
            QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Warning,
            QMessageBox::Ignore},
    };
    for (const auto &row : rows) {
        const auto box = QtDialogs::messageBox(QStringLiteral("text"), QStringLiteral("Orvanta"),
            row.buttons, row.icon, row.defaultAnswer);
        EXPECT_EQ(box->standardButtons(), row.expectedButtons);
        EXPECT_EQ(box->icon(), row.expectedIcon) << int(row.icon);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->standardButton(box->defaultButton()), row.expectedDefault);
    }
}

TEST(QtDialogs, CaptionIsKeptAndCarriageReturnsBreakLinesOfPlainText)
{
    const auto box
        = QtDialogs::messageBox(QStringLiteral("Error 13: 'Type mismatch'\rin <Prog>\r\rend"),
            QStringLiteral("Orvanta error"), B::Ok, I::None, A::Ok);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Orvanta error"));
    EXPECT_EQ(box->text(), QStringLiteral("Error 13: 'Type mismatch'\nin <Prog>\n\nend"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(QtDialogs, AnswerIsTheButtonClicked)
{
    const struct
    {
        B buttons;
        QMessageBox::StandardButton clicked;
        A expected;
    } rows[] = {
        {B::YesNo, QMessageBox::Yes, A::Yes},
        {B::OkCancel, QMessageBox::Cancel, A::Cancel},
        {B::AbortRetryIgnore, QMessageBox::Retry, A::Retry},
    };
    for (const auto &row : rows) {
        const QMessageBox::StandardButton clicked = row.clicked;
        whenModal<QMessageBox>([clicked](QMessageBox &box) { box.button(clicked)->click(); });
        QtDialogs dialogs;
        const ModalWatchdog watchdog;
        EXPECT_EQ(dialogs.message(QStringLiteral("Continue?"), QStringLiteral("Orvanta"),
                      row.buttons, I::Question, A::Ok),
            row.expected);
    }
}

TEST(QtDialogs, InformShowsAnOkBoxCaptionedWithTheProgramTitle)
{
    QString caption;
    QMessageBox::StandardButtons buttons;
    whenModal<QMessageBox>([&](QMessageBox &box) {
        caption = box.windowTitle();
        buttons = box.standardButtons();
        box.button(QMessageBox::Ok)->click();
    });
    QtDialogs dialogs;
    const ModalWatchdog watchdog;
    dialogs.inform(QStringLiteral("Unable to locate the specified argument file"));
    EXPECT_EQ(caption, QStringLiteral("Orvanta"));
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

} // namespace
