#pragma once

#include "HostApplication.h"
#include "HostViews.h"
#include "OrvantaError.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

// A host application that logs what the main window asks of it and can refuse a command.
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

    QStringList calls;
    QString databaseName = QStringLiteral("/tmp/contacts.db");
    qint16 refusedCommand = 0;
    bool databaseLost = false;
    std::function<void(qint16)> onCommand;
};
