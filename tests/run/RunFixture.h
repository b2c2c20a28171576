#pragma once

#include "CalculationRun.h"
#include "Evaluator.h"
#include "FakeHost.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunProgress.h"
#include "RunState.h"
#include "RunWindows.h"
#include "Settings.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A main window that answers as a test tells it, and remembers being shown.
class ScriptedWindows : public RunWindows
{
public:
    bool showMainWindow(RunState &state) override
    {
        state.calculationText = calculation;
        state.lookupFlag = lookup;
        return proceed;
    }
    void showContactListWarning(Settings &) override { ++warningShown; }
    void showEditor(const QString &) override { }

    QString calculation;
    bool lookup = false;
    bool proceed = true;
    int warningShown = 0;
};

// Forwards to another host, so that a run can own it.
class ForwardingHost : public HostApplication
{
public:
    explicit ForwardingHost(HostApplication &host)
        : m_host(host)
    {
    }
    void OpenFile(const QString &path) override { m_host.OpenFile(path); }
    HostViews &Views() override { return m_host.Views(); }
    void Command(qint16 command) override { m_host.Command(command); }
    QString GetOpenDBName() override { return m_host.GetOpenDBName(); }
    void Commit() override { m_host.Commit(); }

private:
    HostApplication &m_host;
};

class SilentProgress : public RunProgress
{
public:
    void begin(qint32 count) override { begun = count; }
    void advance(qint32) override { }
    void end() override { ended = true; }
    qint32 begun = -1;
    bool ended = false;
};

// A calculation run against the fake host, with a private settings and program folder.
class RunFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("ORVANTA_APP_DIR", appDir().toUtf8());
        host.add("C1", {{3, "12.5"}, {4, "150"}});
        state.hostApplication = &host;
        state.viewCollection = &host;
        state.activeViewType = HostViewType::Contacts;
        state.calculationView = host.Create(HostViewType::Contacts, "CV");
    }

    void run(const QString &commandLine)
    {
        state.commandLine = commandLine;
        RunDialogs runDialogs(dialogs);
        Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), runDialogs);
        CalculationRun(state, evaluator, runDialogs, settings, windows, progress).Start_Calc();
    }
    QStringList setFieldCalls() const { return host.calls.filter("SetField"); }

    QString appDir() const { return m_app.path(); }
    void writeAppFile(const QString &name, const QByteArray &content) const
    {
        QFile file(appDir() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    FakeHost host;
    RunState state;
    RecordingDialogs dialogs;
    Settings settings;
    ScriptedWindows windows;
    SilentProgress progress;

private:
    QTemporaryDir m_config;
    QTemporaryDir m_app;
};
