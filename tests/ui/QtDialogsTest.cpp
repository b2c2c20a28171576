#include "QtDialogs.h"
#include "QtFileDialogs.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using A = Dialogs::Answer;
using B = Dialogs::Buttons;
using I = Dialogs::Icon;

// Carriage returns break the lines of the box's plain text; the answer is the
// button clicked.
TEST(QtDialogs, BoxHasTheAskedButtonsIconAndDefaultAndAnswersTheButtonClicked)
{
    const struct
    {
        B buttons;
        I icon;
        A defaultAnswer;
        QMessageBox::StandardButtons expectedButtons;
        QMessageBox::Icon expectedIcon;
        QMessageBox::StandardButton expectedDefault, clicked;
        A answer;
    } rows[] = {
        {B::Ok, I::None, A::Ok, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok,
            QMessageBox::Ok, A::Ok},
        {B::YesNo, I::Critical, A::No, QMessageBox::Yes | QMessageBox::No, QMessageBox::Critical,
            QMessageBox::No, QMessageBox::No, A::No},
        {B::OkCancel, I::Exclamation, A::Cancel, QMessageBox::Ok | QMessageBox::Cancel,
            QMessageBox::Warning, QMessageBox::Cancel, QMessageBox::Cancel, A::Cancel},
        {B::AbortRetryIgnore, I::Exclamation, A::Ignore,
            QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Warning,
            QMessageBox::Ignore, QMessageBox::Retry, A::Retry},
    };
    QtDialogs dialogs;
    const ModalWatchdog watchdog;
    for (const auto &row : rows) {
        whenModal<QMessageBox>([&row](QMessageBox &box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Orvanta error"));
            EXPECT_EQ(box.text(), QStringLiteral("Error 13\nin <Prog>\n\nend"));
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.standardButtons(), row.expectedButtons);
            EXPECT_EQ(box.icon(), row.expectedIcon) << int(row.icon);
            EXPECT_EQ(box.standardButton(box.defaultButton()), row.expectedDefault);
            box.button(row.clicked)->click();
        });
        EXPECT_EQ(dialogs.message(QStringLiteral("Error 13\rin <Prog>\r\rend"),
                      QStringLiteral("Orvanta error"), row.buttons, row.icon, row.defaultAnswer),
            row.answer);
    }
    QString caption;
    whenModal<QMessageBox>([&](QMessageBox &box) {
        caption = box.windowTitle();
        box.button(QMessageBox::Ok)->click();
    });
    dialogs.inform(QStringLiteral("Unable to locate the specified argument file"));
    EXPECT_EQ(caption, QStringLiteral("Orvanta"));
}

// Save leaves the replace question to the program; Open is driven through the main window.
TEST(QtFileDialogs, SaveAsksForAnyNameAndLeavesTheReplaceQuestionToTheProgram)
{
    const ModalWatchdog watchdog;
    whenModal<QFileDialog>([](QFileDialog &dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.reject();
    });
    EXPECT_EQ(QtFileDialogs().choose({FileDialogs::Mode::Save, QDir::tempPath(),
                  QStringLiteral("Orvanta Group Syntax (*.ogs)|*.ogs")}),
        std::nullopt);
}

} // namespace
