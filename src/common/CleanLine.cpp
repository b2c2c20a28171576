#include "CleanLine.h"

QString Clean_Line(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 32)
            result.append(c);
    }
    return result;
}
