#pragma once

#include "HostAuxCommands.h"
#include "LaunchCommandStore.h"

#include <memory>

class HostSession;

// The stand-in host's launch commands, kept in its database; every change is committed
// at once, as the host shows it from then on.
class SqliteHostAuxCommands : public HostAuxCommands
{
public:
    static constexpr qint16 FirstView = 1;
    static constexpr qint16 LastView = 6;

    explicit SqliteHostAuxCommands(std::shared_ptr<HostSession> session);

    bool AuxCommandExists(const QString &name) override;
    qint32 AuxCommandExistsInToolbar(qint16 view, const QString &name) override;
    qint32 AuxCommandExistsInToolsMenu(qint16 view, const QString &name) override;
    qint32 AddAuxCommand(const QString &name, const QString &executable, const QString &folder,
        const QString &title, const QString &tooltip, const QString &icon, const QString &largeIcon,
        qint16 flags) override;
    qint32 AddAuxCommandToToolbar(qint16 view, const QString &name) override;
    qint32 AddAuxCommandToToolsMenu(qint16 view, const QString &name) override;
    qint32 RemoveAuxCommandFromToolbar(qint16 view, const QString &name) override;
    qint32 RemoveAuxCommandFromToolsMenu(qint16 view, const QString &name) override;

private:
    // The status a place or unplace call gets; Done when it may go ahead.
    static qint32 placementStatus(LaunchCommandStore &store, qint16 view, const QString &name);
    qint32 existsIn(LaunchPlace place, qint16 view, const QString &name);
    qint32 changePlacement(LaunchPlace place, qint16 view, const QString &name, bool placed);

    std::shared_ptr<HostSession> m_session;
};
