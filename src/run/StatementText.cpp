#include "StatementText.h"

QString strip_crochets(QStringView text)
{
    if (text.size() < 3)
        return QString();
    return text.mid(1, text.size() - 2).toString();
}
