#include "RunHistory.h"

#include <QStringList>
#include <iterator>

namespace {

QString row(const QStringList &cells)
{
    // Number, time, scope, records and fields are padded; the calculation runs on.
    static constexpr int widths[] = {5, 19, 18, 8, 8};
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const bool number = i == 0 || i == 3 || i == 4;
        if (i < qsizetype(std::size(widths)))
            line += number ? cells.at(i).rightJustified(widths[i])
                           : cells.at(i).leftJustified(widths[i]);
        else
            line += cells.at(i);
        line += QLatin1String("  ");
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

} // namespace

QString RunHistory::table(const std::vector<JournalRun> &runs)
{
    if (runs.empty())
        return QStringLiteral("No run has been journaled yet.\n");
    QString text = row({QStringLiteral("Run"), QStringLiteral("Time"), QStringLiteral("Scope"),
        QStringLiteral("Records"), QStringLiteral("Fields"), QStringLiteral("Calculation")});
    for (const JournalRun &run : runs) {
        QString scope = run.scope;
        if (!run.finished)
            scope += QStringLiteral(" (cut short)");
        text += row({QString::number(run.number),
            run.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), scope,
            QString::number(run.records), QString::number(run.fields), run.calculation});
    }
    return text;
}
