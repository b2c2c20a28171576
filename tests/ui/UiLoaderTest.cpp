#include "UiLoader.h"
#include "Settings.h"
#include "WhenShown.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace {

using Variables = std::map<const char *, const char *>;

// Sets the variables that decide between windows and the console, and puts the old
// values back afterwards.
class ScopedEnvironment
{
public:
    explicit ScopedEnvironment(const Variables &values)
    {
        for (const char *name : Names) {
            if (qEnvironmentVariableIsSet(name))
                m_saved[name] = qgetenv(name);
            qunsetenv(name);
        }
        for (const auto &[name, value] : values)
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        for (const char *name : Names)
            qunsetenv(name);
        for (const auto &[name, value] : m_saved)
            qputenv(name, value);
    }

private:
    static constexpr const char *Names[]
        = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "ORVANTA_UI", "ORVANTA_UI_MODULE"};
    std::map<const char *, QByteArray> m_saved;
};

// What the console side wrote, read back from a temporary file.
QString consoleText(std::FILE *file)
{
    std::fflush(file);
    std::rewind(file);
    QFile read;
    return read.open(file, QIODevice::ReadOnly) ? QString::fromUtf8(read.readAll()) : QString();
}

TEST(UiLoader, ConsoleWhenAskedForOrWithoutAnyDisplay)
{
    const std::pair<Variables, bool> rows[] = {
        {{}, true},
        {{{"DISPLAY", ":0"}}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, false},
        {{{"DISPLAY", ""}}, true},
        {{{"DISPLAY", ":0"}, {"ORVANTA_UI", "console"}}, true},
    };
    for (const auto &[variables, console] : rows) {
        const ScopedEnvironment environment(variables);
        EXPECT_EQ(UiLoader::consoleRequested(), console) << variables.size();
    }
}

TEST(UiLoader, MissingModuleFallsBackToTheConsoleAndSaysWhy)
{
    const ScopedEnvironment environment(
        {{"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI_MODULE", "/nonexistent/orvanta-ui.so"}});
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

// The warning starts clear and saves its check box however it closes.
TEST(UiLoader, BuiltModuleShowsQtMessageBoxesAndTheContactListWarning)
{
    const ScopedEnvironment environment(
        {{"QT_QPA_PLATFORM", "offscreen"}, {"ORVANTA_UI_MODULE", ORVANTA_UI_MODULE_FILE}});
    std::FILE *out = std::tmpfile();
    UiLoader loader(nullptr, out);
    ASSERT_TRUE(loader.windowsAvailable());
    whenModal<QMessageBox>([](QMessageBox &box) { box.button(QMessageBox::Yes)->click(); });
    const ModalWatchdog watchdog;
    EXPECT_EQ(loader.message(QStringLiteral("Go on?"), QStringLiteral("Orvanta"),
                  Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No),
        Dialogs::Answer::Yes);

    for (const bool checked : {false, true}) {
        bool startedClear = false;
        whenShown<QWidget>(QStringLiteral("frmWarning"), [&](QWidget &warning) {
            auto *box = warning.findChild<QCheckBox *>(QStringLiteral("chkDoNotShow"));
            startedClear = !box->isChecked();
            box->setChecked(checked);
            if (checked)
                QTest::keyClick(&warning, Qt::Key_Escape);
            else
                warning.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        Settings settings;
        settings.setValue(QLatin1String(Settings::Warning), QStringLiteral("unset"));
        loader.showContactListWarning(settings);
        EXPECT_TRUE(startedClear);
        EXPECT_EQ(settings.value(QLatin1String(Settings::Warning)), checked ? "1" : "0");
    }
    EXPECT_EQ(consoleText(out), QString());
    std::fclose(out);
}

} // namespace
