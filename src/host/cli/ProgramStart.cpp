#include "ProgramStart.h"

#include "OrvantaError.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall, message);
}

} // namespace

void ProgramStart::run(const QString &databasePath) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVANTA_HOST"), QFileInfo(databasePath).absoluteFilePath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        fail(QStringLiteral("%1: cannot start %2: %3").arg(what, program, process.errorString()));
    if (!process.waitForFinished(timeoutSeconds > 0 ? timeoutSeconds * 1000 : -1)) {
        process.kill();
        process.waitForFinished(-1);
        fail(QStringLiteral("%1 did not end within %2 %3 and was stopped")
                 .arg(what)
                 .arg(timeoutSeconds)
                 .arg(timeoutSeconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds")));
    }
    if (process.exitStatus() == QProcess::CrashExit)
        fail(QStringLiteral("%1: %2 crashed").arg(what, program));
    if (process.exitCode() != 0)
        fail(QStringLiteral("%1: %2 ended with status %3")
                 .arg(what, program)
                 .arg(process.exitCode()));
}
