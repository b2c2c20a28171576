#include "SyntaxFileText.h"

#include "Windows1252.h"

#include <QStringDecoder>

namespace SyntaxFileText {

QString decode(const QByteArray &content)
{
    const auto marked = QStringConverter::encodingForData(content);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    const QString text = decoder.decode(content);
    if (marked || !decoder.hasError())
        return text;
    QString windows(content.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < content.size(); ++i)
        windows[i] = Windows1252::toUnicode(quint8(content.at(i)));
    return windows;
}

} // namespace SyntaxFileText
