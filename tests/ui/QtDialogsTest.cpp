#include "QtDialogs.h"
#include "QtFileDialogs.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using A = Dialogs::Answer;
using B = Dialogs::Buttons;
using I = Dialogs::Icon;

// Carriage returns break the lines of the box's plain text.
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
        const auto box = QtDialogs::messageBox(QStringLiteral("Error 13\rin <Prog>\r\rend"),
            QStringLiteral("Orvanta error"), row.buttons, row.icon, row.defaultAnswer);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Orvanta error"));
        EXPECT_EQ(box->text(), QStringLiteral("Error 13\nin <Prog>\n\nend"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->standardButtons(), row.expectedButtons);
        EXPECT_EQ(box->icon(), row.expectedIcon) << int(row.icon);
        EXPECT_EQ(box->standardButton(box->defaultButton()), row.expectedDefault);
    }
}

TEST(QtDialogs, AnswerIsTheButtonClickedAndInformIsCaptionedWithTheProgramTitle)
{
    const struct
    {
        B buttons;
        QMessageBox::StandardButton clicked;
        A expected;
    } rows[] = {
        {B::YesNo, QMessageBox::No, A::No},
        {B::OkCancel, QMessageBox::Cancel, A::Cancel},
        {B::AbortRetryIgnore, QMessageBox::Retry, A::Retry},
    };
    QtDialogs dialogs;
    const ModalWatchdog watchdog;
    for (const auto &row : rows) {
        whenModal<QMessageBox>([&row](QMessageBox &box) { box.button(row.clicked)->click(); });
        EXPECT_EQ(dialogs.message(QStringLiteral("Continue?"), QStringLiteral("Orvanta"),
                      row.buttons, I::Question, A::Ok),
            row.expected);
    }
    QString caption;
    whenModal<QMessageBox>([&](QMessageBox &box) {
        caption = box.windowTitle();
        box.button(QMessageBox::Ok)->click();
    });
    dialogs.inform(QStringLiteral("Unable to locate the specified argument file"));
    EXPECT_EQ(caption, QStringLiteral("Orvanta"));
}

// Save leaves the replace question to the program.
TEST(QtFileDialogs, OpenAndSaveAsTheRequestSays)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("calc.ocs"));
    QFile(existing).open(QIODevice::WriteOnly);
    for (const auto mode : {FileDialogs::Mode::Open, FileDialogs::Mode::Save}) {
        const bool open = mode == FileDialogs::Mode::Open;
        whenModal<QFileDialog>([&](QFileDialog &dialog) {
            EXPECT_EQ(dialog.directory().absolutePath(), folder.path());
            EXPECT_EQ(dialog.nameFilters(), QStringList({"Orvanta Group Syntax (*.ogs)"}));
            EXPECT_EQ(
                dialog.acceptMode(), open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.fileMode(), open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !open);
            if (!open)
                return dialog.reject();
            // Typed, as selectFile() leaves a focused name box alone.
            dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(existing);
            QMetaObject::invokeMethod(&dialog, "accept");
            // A dialog that refuses the answer fails the test instead of hanging it.
            QTimer::singleShot(5000, &dialog, [&dialog] { dialog.reject(); });
        });
        EXPECT_EQ(QtFileDialogs().choose({mode, folder.path(),
                      QStringLiteral("Orvanta Group Syntax (*.ogs)|*.ogs"), open}),
            open ? std::optional<QString>(existing) : std::nullopt);
    }
}

} // namespace
