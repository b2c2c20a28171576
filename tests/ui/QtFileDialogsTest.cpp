#include "QtFileDialogs.h"
#include "WhenShown.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Seen
{
    QString folder;
    QStringList filters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    bool asksBeforeReplacing = true;
};

// Shows the dialog for the request, notes how it is set up and answers it.
std::optional<QString> answer(
    const FileDialogs::Request &request, const QString &chosen, Seen &seen)
{
    whenModal<QFileDialog>([&](QFileDialog &dialog) {
        seen = {dialog.directory().absolutePath(), dialog.nameFilters(), dialog.acceptMode(),
            dialog.fileMode(), !dialog.testOption(QFileDialog::DontConfirmOverwrite)};
        if (chosen.isEmpty()) {
            dialog.reject();
            return;
        }
        dialog.selectFile(chosen);
        QMetaObject::invokeMethod(&dialog, "accept");
        // A dialog that refuses the answer fails the test instead of hanging it.
        QTimer::singleShot(5000, &dialog, [&dialog] { dialog.reject(); });
    });
    return QtFileDialogs().choose(request);
}

TEST(QtFileDialogs, OpenAndSaveAsTheRequestSays)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("calc.ocs"));
    QFile(existing).open(QIODevice::WriteOnly);
    const QString filter = QStringLiteral("Orvanta Group Syntax (*.ogs)|*.ogs");
    Seen seen;

    EXPECT_EQ(
        answer({FileDialogs::Mode::Open, folder.path(), filter, true}, existing, seen), existing);
    EXPECT_EQ(seen.folder, folder.path());
    EXPECT_EQ(seen.filters, QStringList({QStringLiteral("Orvanta Group Syntax (*.ogs)")}));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);

    // The program asks its own replace question.
    EXPECT_EQ(answer({FileDialogs::Mode::Save, folder.path(), filter, false}, QString(), seen),
        std::nullopt);
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_FALSE(seen.asksBeforeReplacing);

    EXPECT_EQ(answer({FileDialogs::Mode::Open, folder.path(), filter, true}, QString(), seen),
        std::nullopt);
}

} // namespace
