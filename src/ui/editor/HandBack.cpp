#include "HandBack.h"

#include "CleanLine.h"

namespace {

const QLatin1String FileReference("File:");

QString trimSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

} // namespace

namespace HandBack {

QString GetFirstLine(const QString &text)
{
    const qsizetype lineEnd = text.indexOf(QLatin1String("\r\n"));
    return lineEnd < 0 ? text : text.left(lineEnd);
}

QString firstLineCalculation(const QString &text)
{
    QString line = GetFirstLine(text);
    const qsizetype apostrophe = text.indexOf(QLatin1Char('\''));
    if (apostrophe >= 0)
        line = line.left(apostrophe);
    return trimSpaces(Clean_Line(line));
}

QString forDocument(
    const QString &text, const QString &sLoadedFile, const QString &sSavedFile, bool bChanged)
{
    if (!sSavedFile.isEmpty())
        return FileReference + sSavedFile;
    if (sLoadedFile.isEmpty() || bChanged)
        return firstLineCalculation(text);
    return FileReference + sLoadedFile;
}

} // namespace HandBack
