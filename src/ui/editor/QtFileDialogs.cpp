#include "QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

std::optional<QString> QtFileDialogs::choose(const Request &request)
{
    QFileDialog dialog(QApplication::activeWindow());
    // The same dialog on every desktop, and one that tests can find and answer.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(request.initialFolder);
    dialog.setNameFilters(nameFilters(request.filter));
    if (request.mode == Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(
            request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QStringList QtFileDialogs::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions;
}
