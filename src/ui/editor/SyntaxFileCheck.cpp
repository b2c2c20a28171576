#include "SyntaxFileCheck.h"

#include "OrvantaError.h"

#include <QFile>
#include <QFileInfo>

namespace SyntaxFileCheck {

void ensureEditable(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    if (info.size() > maxBytes)
        throw OrvantaError(OrvantaError::OutOfMemory,
            QStringLiteral("The file is too large for the editor (more than %1 MB)")
                .arg(maxBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.readAll().contains('\0'))
        throw OrvantaError(InvalidFileFormat, QStringLiteral("Invalid file format"));
}

} // namespace SyntaxFileCheck
