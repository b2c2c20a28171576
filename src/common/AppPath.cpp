#include "AppPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString userDataDir()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/orvanta");
}

QString installedDataDir()
{
    return QDir::cleanPath(ExecutableDir() + QStringLiteral("/../share/orvanta"));
}

} // namespace

QString AppPath()
{
    const QString overridden = qEnvironmentVariable("ORVANTA_APP_DIR");
    QString dir = !overridden.isEmpty() ? overridden : ExecutableDir();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return QDir::toNativeSeparators(dir);
}

QString ExecutableDir()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QString WritableAppPath()
{
    // An installed program keeps out of its folder even when it may write there (as
    // root may into /usr/bin); a build folder, or a folder named by ORVANTA_APP_DIR, is
    // used whenever it can be written.
    const bool installed
        = qEnvironmentVariableIsEmpty("ORVANTA_APP_DIR") && QFileInfo::exists(installedDataDir());
    const QString programDir = AppPath();
    if (!installed && QFileInfo(programDir).isWritable())
        return programDir;
    const QString dataDir = userDataDir();
    QDir().mkpath(dataDir);
    return dataDir;
}

QString AppDataFile(const QString &name)
{
    const QString inProgramDir = AppPath() + u'/' + name;
    if (QFileInfo::exists(inProgramDir))
        return inProgramDir;
    const QString installed = installedDataDir() + u'/' + name;
    return QFileInfo::exists(installed) ? installed : inProgramDir;
}
