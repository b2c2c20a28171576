#include "UiLoader.h"
#include "Settings.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace {

// Sets the variables that decide between windows and the console, and puts the old
// values back afterwards.
using Variables = std::map<const char *, const char *>;

class ScopedEnvironment
{
public:
    explicit ScopedEnvironment(const Variables &values)
    {
        for (const char *name :
            {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "ORVANTA_UI", "ORVANTA_UI_MODULE"}) {
            m_saved[name] = qgetenv(name);
            m_wasSet[name] = qEnvironmentVariableIsSet(name);
            qunsetenv(name);
        }
        for (const auto &[name, value] : values)
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        for (const auto &[name, value] : m_saved) {
            if (m_wasSet[name])
                qputenv(name, value);
            else
                qunsetenv(name);
        }
    }

private:
    std::map<const char *, QByteArray> m_saved;
    std::map<const char *, bool> m_wasSet;
};

// What the console side wrote, read back from a temporary file.
QString consoleText(std::FILE *file)
{
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[512];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}

TEST(UiLoader, ConsoleWhenAskedForOrWithoutAnyDisplay)
{
    const struct
    {
        Variables environment;
        bool console;
    } rows[] = {
        {{}, true},
        {{{"DISPLAY", ":0"}}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, false},
        {{{"DISPLAY", ""}}, true},
        {{{"DISPLAY", ":0"}, {"ORVANTA_UI", "console"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI", "qt"}}, false},
    };
    for (const auto &row : rows) {
        const ScopedEnvironment environment(row.environment);
        EXPECT_EQ(UiLoader::consoleRequested(), row.console) << row.environment.size();
    }
}

TEST(UiLoader, ModuleLiesBesideTheExecutableUnlessOverridden)
{
    {
        const ScopedEnvironment environment(
            Variables {{"ORVANTA_UI_MODULE", "/opt/x/orvanta-ui.so"}});
        EXPECT_EQ(UiLoader::modulePath(), QStringLiteral("/opt/x/orvanta-ui.so"));
    }
    const ScopedEnvironment environment {Variables {}};
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    EXPECT_EQ(UiLoader::modulePath(),
        QFileInfo(executable).absolutePath() + QStringLiteral("/orvanta-ui.so"));
}

TEST(UiLoader, MissingModuleFallsBackToTheConsoleAndSaysWhy)
{
    const ScopedEnvironment environment(Variables {
        {"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI_MODULE", "/nonexistent/orvanta-ui.so"}});
    std::FILE *out = std::tmpfile();
    UiLoader loader(nullptr, out);
    EXPECT_EQ(loader.message(QStringLiteral("Go on?"), QStringLiteral("Orvanta"),
                  Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No),
        Dialogs::Answer::No);
    EXPECT_FALSE(loader.windowsAvailable());
    const QString written = consoleText(out);
    EXPECT_TRUE(written.startsWith(QStringLiteral("orvanta: no windows (")));
    EXPECT_TRUE(written.contains(QStringLiteral("Orvanta: Go on?\n")));
    std::fclose(out);
}

TEST(UiLoader, BuiltModuleShowsQtMessageBoxes)
{
    const ScopedEnvironment environment(Variables {
        {"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI_MODULE", ORVANTA_UI_MODULE_FILE}});
    std::FILE *out = std::tmpfile();
    UiLoader loader(nullptr, out);
    ASSERT_TRUE(loader.windowsAvailable());
    QString shownText;
    whenModal<QMessageBox>([&](QMessageBox &box) {
        shownText = box.text();
        box.button(QMessageBox::Yes)->click();
    });
    const ModalWatchdog watchdog;
    EXPECT_EQ(loader.message(QStringLiteral("Line 1\rLine 2"), QStringLiteral("Orvanta"),
                  Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No),
        Dialogs::Answer::Yes);
    EXPECT_EQ(shownText, QStringLiteral("Line 1\nLine 2"));
    EXPECT_EQ(consoleText(out), QString());
    std::fclose(out);
}

TEST(UiLoader, BuiltModuleShowsTheContactListWarning)
{
    const ScopedEnvironment environment(Variables {
        {"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI_MODULE", ORVANTA_UI_MODULE_FILE}});
    UiLoader loader;
    bool shown = false;
    whenShown<QWidget>(QStringLiteral("frmWarning"), [&](QWidget &warning) {
        shown = true;
        warning.close();
    });
    Settings settings;
    const ModalWatchdog watchdog;
    loader.showContactListWarning(settings);
    EXPECT_TRUE(shown);
}

} // namespace
