#include "ErrorReport.h"

#include "Dialogs.h"
#include "OrvantaError.h"

ErrorReport::ErrorReport(QString module, Kind kind, QString procedure)
    : m_module(std::move(module))
    , m_kind(kind)
    , m_procedure(std::move(procedure))
{
}

QString ErrorReport::text(const OrvantaError &error, int step) const
{
    return text(error, step, supportLine());
}

QString ErrorReport::text(const OrvantaError &error, int step, const QString &lastLine) const
{
    const QString kind = m_kind == Kind::Sub ? QStringLiteral("Sub") : QStringLiteral("Function");
    return QStringLiteral("Error ") + QString::number(error.number()) + QStringLiteral(": '")
        + error.description() + QStringLiteral("'\rin ") + m_module + QStringLiteral(": ") + kind
        + QLatin1Char(' ') + m_procedure + QStringLiteral(" - Line # ") + QString::number(step)
        + QStringLiteral("\r\r") + lastLine;
}

void ErrorReport::show(Dialogs &dialogs, const OrvantaError &error, int step) const
{
    dialogs.message(text(error, step), caption(), Dialogs::Buttons::Ok, Dialogs::Icon::None,
        Dialogs::Answer::Ok);
}

QString ErrorReport::caption()
{
    return Dialogs::programTitle() + QStringLiteral(" error");
}

QString ErrorReport::supportLine()
{
    return QStringLiteral("Please send this error message to ") + supportAddress()
        + QLatin1Char('.');
}

QString ErrorReport::supportAddress()
{
    return QStringLiteral("support@orvanta.app");
}
