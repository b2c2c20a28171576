#include "ArgumentFile.h"

#include "CleanLine.h"
#include "OrvantaError.h"
#include "SyntaxFileText.h"

#include <QFile>

namespace {

// What one line adds: nothing for a comment line, the part before the first "'" otherwise.
QString pieceOf(QStringView line)
{
    const qsizetype quote = line.indexOf(QLatin1Char('\''));
    if (quote == 0)
        return QString();
    const QStringView kept = quote < 0 ? line : line.left(quote);
    return Clean_Line(kept).trimmed();
}

} // namespace

QString ArgumentFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OrvantaError(
            file.exists() ? OrvantaError::PathFileAccessError : OrvantaError::FileNotFound);
    return calculationText(file.readAll());
}

QString ArgumentFile::calculationText(const QByteArray &content)
{
    const QString text = SyntaxFileText::decode(content);
    QString result;
    qsizetype start = 0;
    // A CR ends a line (CR LF counts once); a lone LF is only a control character.
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != QLatin1Char('\r'))
            continue;
        result += pieceOf(QStringView(text).mid(start, i - start));
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    return result;
}
