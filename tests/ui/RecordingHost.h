#pragma once

#include "FakeAuxCommands.h"
#include "HostApplication.h"
#include "HostViews.h"

#include <QStringList>
#include <functional>
#include <memory>

// A host application that logs what the main window asks of it and can refuse a command;
// its launch commands are kept in memory.
class RecordingHost : public HostApplication, public HostViews
{
public:
    void OpenFile(const QString &) override { calls << QStringLiteral("OpenFile"); }
    HostViews &Views() override { return *this; }
    void Command(qint16 command) override
    {
        if (refusedCommand == command)
            throw OrvantaError(OrvantaError::AutomationError);
        if (onCommand)
            onCommand(command);
        calls << QStringLiteral("Command %1").arg(command);
    }
    QString GetOpenDBName() override
    {
        if (databaseLost)
            throw OrvantaError(OrvantaError::ObjectNotSet);
        calls << QStringLiteral("GetOpenDBName");
        return databaseName;
    }
    std::shared_ptr<HostView> GetActive() override { return nullptr; }
    std::shared_ptr<HostView> Create(qint16, const QString &) override { return nullptr; }
    std::unique_ptr<HostAuxCommands> AuxCommands() override
    {
        return std::make_unique<FakeAuxCommands>(launch);
    }

    QStringList calls;
    QString databaseName = QStringLiteral("/tmp/contacts.db");
    qint16 refusedCommand = 0;
    bool databaseLost = false;
    std::function<void(qint16)> onCommand;
    FakeAuxCommands::Shared launch;
};
