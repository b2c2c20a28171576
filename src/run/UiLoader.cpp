#include "UiLoader.h"

#include "AppPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char *const FactorySymbol = "orvanta_ui_create";
using Factory = decltype(&orvanta_ui_create);

bool environmentSet(const char *name)
{
    return !qEnvironmentVariableIsEmpty(name);
}

} // namespace

UiLoader::UiLoader(std::FILE *in, std::FILE *out)
    : m_consoleDialogs(in, out)
    , m_consoleWindows(m_consoleDialogs)
    , m_out(out)
{
}

Dialogs::Answer UiLoader::message(
    const QString &text, const QString &caption, Buttons buttons, Icon icon, Answer defaultAnswer)
{
    return dialogs().message(text, caption, buttons, icon, defaultAnswer);
}

bool UiLoader::showMainWindow(RunState &state)
{
    return windows().showMainWindow(state);
}

void UiLoader::showContactListWarning(Settings &settings)
{
    windows().showContactListWarning(settings);
}

void UiLoader::showEditor(const QString &path)
{
    windows().showEditor(path);
}

bool UiLoader::windowsAvailable()
{
    load();
    return m_qtWindows != nullptr;
}

bool UiLoader::consoleRequested()
{
    if (qEnvironmentVariable("ORVANTA_UI") == QLatin1String("console"))
        return true;
    return !environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY")
        && !environmentSet("QT_QPA_PLATFORM");
}

QString UiLoader::modulePath()
{
    const QString overridden = qEnvironmentVariable("ORVANTA_UI_MODULE");
    if (!overridden.isEmpty())
        return overridden;
    // Found from the executable even when ORVANTA_APP_DIR moves the program's data
    // elsewhere: beside it in a build folder, in the private library folder when installed.
    const QString beside = ExecutableDir() + QStringLiteral("/orvanta-ui.so");
    const QString installed
        = QDir::cleanPath(ExecutableDir() + QStringLiteral("/../lib/orvanta/orvanta-ui.so"));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

Dialogs &UiLoader::dialogs()
{
    load();
    return m_qtDialogs ? *m_qtDialogs : static_cast<Dialogs &>(m_consoleDialogs);
}

RunWindows &UiLoader::windows()
{
    load();
    return m_qtWindows ? *m_qtWindows : static_cast<RunWindows &>(m_consoleWindows);
}

void UiLoader::load()
{
    if (m_loadTried)
        return;
    m_loadTried = true;
    if (consoleRequested())
        return;
    m_library.setFileName(modulePath());
    const auto factory = reinterpret_cast<Factory>(m_library.resolve(FactorySymbol));
    if (factory)
        factory(&m_qtDialogs, &m_qtWindows);
    if (!m_qtDialogs || !m_qtWindows) {
        m_qtDialogs = nullptr;
        m_qtWindows = nullptr;
        const QByteArray reason = m_library.errorString().toUtf8();
        std::fprintf(m_out, "orvanta: no windows (%s); using the console\n", reason.constData());
    }
}
