#pragma once

#include "FrmMain.h"
#include "HostNumbers.h"
#include "QtRunWindows.h"
#include "RecordingDialogs.h"
#include "RecordingHost.h"
#include "RunState.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The main window over a recording host, in a private program folder.
class FrmMainFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("ORVANTA_APP_DIR", m_app.path().toUtf8());
        state.hostApplication = &host;
        state.activeViewType = HostViewType::Contacts;
    }
    void TearDown() override { qunsetenv("ORVANTA_APP_DIR"); }

    // Shows the main window through the run's seam and acts in it once it is up; the
    // answer is whether the run goes on.
    bool runWindow(std::function<void(FrmMain &)> actions)
    {
        whenShown<FrmMain>(QStringLiteral("frmMain"), std::move(actions));
        const ModalWatchdog watchdog;
        return QtRunWindows(dialogs).showMainWindow(state);
    }

    template<class T> static T *child(QObject &window, const char *name)
    {
        T *found = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void type(FrmMain &window, const QString &text)
    {
        QTest::keyClicks(child<QComboBox>(window, "cboPrompt")->lineEdit(), text);
    }
    static void runCalculation(FrmMain &window, const char *text, const char *option = "optFor0")
    {
        type(window, QLatin1String(text));
        child<QRadioButton>(window, option)->click();
        child<QPushButton>(window, "cmdOK")->click();
    }
    static void trigger(FrmMain &window, const char *menuItem)
    {
        child<QAction>(window, menuItem)->trigger();
    }

    QString appPath(const QString &name) const { return m_app.filePath(name); }
    QString recentPath() const { return appPath(QStringLiteral("Recent.txt")); }
    void writeRecent(const QByteArray &bytes) const
    {
        QFile file(recentPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray readRecent() const
    {
        QFile file(recentPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    RecordingHost host;
    RunState state;
    RecordingDialogs dialogs;

private:
    QTemporaryDir m_app;
};
