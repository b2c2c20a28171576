#pragma once

#include "CalculationRun.h"
#include "Evaluator.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"
#include "RunDialogs.h"
#include "RunProgress.h"
#include "RunState.h"
#include "RunWindows.h"
#include "Settings.h"

#include <QFile>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

// An in-memory host: records of field values keyed by field 1, a lookup, a current record
// and a log of what it was asked, so run tests can see every call.
class FakeHost : public HostApplication, public HostViews
{
public:
    using Record = QMap<qint32, QString>;

    class View : public HostView
    {
    public:
        View(FakeHost &host, qint16 type)
            : m_host(host)
            , m_type(type)
        {
        }

        qint16 Type() override { return m_type; }
        QString getField(qint32 fieldId) override
        {
            m_host.calls << QStringLiteral("getField %1").arg(fieldId);
            return record(fieldId).value(fieldId);
        }
        QString getField(const QString &fieldId) override { return getField(fieldId.toInt()); }
        void SetField(qint32 fieldId, const QString &value) override
        {
            m_host.calls << QStringLiteral("SetField %1=%2").arg(fieldId).arg(value);
            record(fieldId)[fieldId] = value;
        }
        qint32 GetCount() override { return qint32(m_host.lookup.size()); }
        void MoveFirst() override
        {
            m_host.calls << QStringLiteral("MoveFirst");
            if (!m_host.lookup.isEmpty())
                m_host.current = m_host.lookup.first();
        }
        void MoveNext() override
        {
            m_host.calls << QStringLiteral("MoveNext");
            const qsizetype at = m_host.lookup.indexOf(m_host.current);
            m_host.current = at < 0 ? -1 : m_host.lookup.value(at + 1, -1);
        }
        void GoTo(const QString &key) override
        {
            m_host.calls << QStringLiteral("GoTo ") + key;
            for (qsizetype i = 0; i < m_host.records.size(); ++i)
                if (m_host.records.at(i).value(1) == key)
                    m_host.current = int(i);
        }

    private:
        // The current record, where field id may be read or written.
        Record &record(qint32 id)
        {
            if (id < 1 || id > 40)
                throw OrvantaError(5, QStringLiteral("Field %1 does not exist").arg(id));
            if (m_host.current < 0 || m_host.current >= m_host.records.size())
                throw OrvantaError(5, QStringLiteral("No current record"));
            return m_host.records[m_host.current];
        }

        FakeHost &m_host;
        qint16 m_type;
    };

    // HostApplication
    void OpenFile(const QString &) override { calls << QStringLiteral("OpenFile"); }
    HostViews &Views() override { return *this; }
    void Command(qint16 command) override
    {
        commands << command;
        if (command == HostCommand::LookupAllContacts) {
            lookup.resize(records.size());
            std::iota(lookup.begin(), lookup.end(), 0);
        }
    }
    QString GetOpenDBName() override { return QStringLiteral("/tmp/fake.db"); }

    // HostViews
    std::shared_ptr<HostView> GetActive() override
    {
        return std::make_shared<View>(*this, activeViewType);
    }
    std::shared_ptr<HostView> Create(qint16 viewType, const QString &) override
    {
        return std::make_shared<View>(*this, viewType);
    }

    // Adds a record; field 1 is its key.
    void add(const QString &key, Record fields)
    {
        fields[1] = key;
        records << fields;
        current = qMax(current, 0);
    }
    QString field(qsizetype record, qint32 id) const { return records.at(record).value(id); }

    QList<Record> records;
    QList<int> lookup;
    int current = -1;
    qint16 activeViewType = HostViewType::Contacts;
    QList<qint16> commands;
    QStringList calls;
};

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
