#include "SqliteHostAuxCommands.h"

#include "HostSession.h"
#include "HostStore.h"

SqliteHostAuxCommands::SqliteHostAuxCommands(std::shared_ptr<HostSession> session)
    : m_session(std::move(session))
{
}

bool SqliteHostAuxCommands::AuxCommandExists(const QString &name)
{
    return LaunchCommandStore(m_session->reader().connection()).command(name).has_value();
}

qint32 SqliteHostAuxCommands::AuxCommandExistsInToolbar(qint16 view, const QString &name)
{
    return existsIn(LaunchPlace::Toolbar, view, name);
}

qint32 SqliteHostAuxCommands::AuxCommandExistsInToolsMenu(qint16 view, const QString &name)
{
    return existsIn(LaunchPlace::ToolsMenu, view, name);
}

qint32 SqliteHostAuxCommands::AddAuxCommand(const QString &name, const QString &executable,
    const QString &folder, const QString &title, const QString &tooltip, const QString &icon,
    const QString &largeIcon, qint16 flags)
{
    if (name.trimmed().isEmpty() || executable.trimmed().isEmpty())
        return InvalidDefinition;
    m_session->writeNow([&](HostStore &store) {
        LaunchCommandStore(store.connection())
            .define({name, executable, folder, title, tooltip, icon, largeIcon, flags});
    });
    return Done;
}

qint32 SqliteHostAuxCommands::AddAuxCommandToToolbar(qint16 view, const QString &name)
{
    return changePlacement(LaunchPlace::Toolbar, view, name, true);
}

qint32 SqliteHostAuxCommands::AddAuxCommandToToolsMenu(qint16 view, const QString &name)
{
    return changePlacement(LaunchPlace::ToolsMenu, view, name, true);
}

qint32 SqliteHostAuxCommands::RemoveAuxCommandFromToolbar(qint16 view, const QString &name)
{
    return changePlacement(LaunchPlace::Toolbar, view, name, false);
}

qint32 SqliteHostAuxCommands::RemoveAuxCommandFromToolsMenu(qint16 view, const QString &name)
{
    return changePlacement(LaunchPlace::ToolsMenu, view, name, false);
}

qint32 SqliteHostAuxCommands::placementStatus(
    LaunchCommandStore &store, qint16 view, const QString &name)
{
    if (view < FirstView || view > LastView)
        return UnknownView;
    if (!store.command(name))
        return UnknownCommand;
    return Done;
}

qint32 SqliteHostAuxCommands::existsIn(LaunchPlace place, qint16 view, const QString &name)
{
    return LaunchCommandStore(m_session->reader().connection()).isPlaced(name, place, view) ? 1 : 0;
}

qint32 SqliteHostAuxCommands::changePlacement(
    LaunchPlace place, qint16 view, const QString &name, bool placed)
{
    qint32 status = Done;
    m_session->writeNow([&](HostStore &store) {
        LaunchCommandStore commands(store.connection());
        status = placementStatus(commands, view, name);
        if (status != Done)
            return;
        if (placed)
            commands.place(name, place, view);
        else
            commands.unplace(name, place, view);
    });
    return status;
}
