#include "ArgumentFile.h"

#include "CleanLine.h"
#include "OrvantaError.h"

#include <QFile>
#include <QStringDecoder>

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

// UTF-8 unless a byte-order mark says UTF-16 (as Windows' editors may save); the mark
// itself is no part of the text.
QString decoded(const QByteArray &content)
{
    const auto encoding = QStringConverter::encodingForData(content);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(content);
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
    const QString text = decoded(content);
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
