#pragma once

#include "HostAuxCommands.h"
#include "OrvantaError.h"

#include <QSet>
#include <QStringList>

// Launch commands kept in memory; logs every call and answers the statuses it is told.
class FakeAuxCommands : public HostAuxCommands
{
public:
    struct Shared
    {
        QStringList calls;
        QStringList definition; // the eight values of the last definition
        bool defined = false;
        QSet<int> toolbar, menu; // views
        qint32 defineStatus = 0;
        qint32 placeStatus = 0;
    };

    explicit FakeAuxCommands(Shared &shared)
        : m(shared)
    {
    }

    bool AuxCommandExists(const QString &) override { return m.defined; }
    qint32 AuxCommandExistsInToolbar(qint16 view, const QString &) override
    {
        return m.toolbar.contains(view) ? 1 : 0;
    }
    qint32 AuxCommandExistsInToolsMenu(qint16 view, const QString &) override
    {
        return m.menu.contains(view) ? 1 : 0;
    }
    qint32 AddAuxCommand(const QString &name, const QString &executable, const QString &folder,
        const QString &title, const QString &tooltip, const QString &icon, const QString &largeIcon,
        qint16 flags) override
    {
        m.calls << QStringLiteral("define %1").arg(name);
        m.definition
            = {name, executable, folder, title, tooltip, icon, largeIcon, QString::number(flags)};
        m.defined = m.defineStatus == 0;
        return m.defineStatus;
    }
    qint32 AddAuxCommandToToolbar(qint16 view, const QString &name) override
    {
        return log("toolbar+", view, name, m.toolbar, true);
    }
    qint32 AddAuxCommandToToolsMenu(qint16 view, const QString &name) override
    {
        return log("menu+", view, name, m.menu, true);
    }
    qint32 RemoveAuxCommandFromToolbar(qint16 view, const QString &name) override
    {
        return log("toolbar-", view, name, m.toolbar, false);
    }
    qint32 RemoveAuxCommandFromToolsMenu(qint16 view, const QString &name) override
    {
        return log("menu-", view, name, m.menu, false);
    }

private:
    qint32 log(const char *what, qint16 view, const QString &name, QSet<int> &views, bool add)
    {
        m.calls << QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(view).arg(name);
        if (m.placeStatus == 0 && add)
            views.insert(view);
        else if (m.placeStatus == 0)
            views.remove(view);
        return m.placeStatus;
    }

    Shared &m;
};
