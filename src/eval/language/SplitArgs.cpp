#include "SplitArgs.h"

QStringList SplitArgs(QStringView argumentText)
{
    QString text = argumentText.toString();
    text.replace(QStringLiteral("\\;"), ArgPlaceholder);
    QStringList args = text.split(QLatin1Char(';'));
    for (QString &arg : args)
        arg.replace(ArgPlaceholder, QStringLiteral(";"));
    return args;
}
