#pragma once

#include <QString>

// The host's launch commands: a command starts an executable from a toolbar button or a
// Tools menu entry of the host's views. Views are numbered 1 (Contacts) to 6 (E-mail).
// Calls that define, add or remove answer a status, 0 on success.
class HostAuxCommands
{
public:
    enum Status : qint32 { Done = 0, UnknownCommand = 1, UnknownView = 2, InvalidDefinition = 3 };

    virtual ~HostAuxCommands() = default;

    virtual bool AuxCommandExists(const QString &name) = 0;
    // 1 when the view's toolbar (or Tools menu) holds the command, else 0.
    virtual qint32 AuxCommandExistsInToolbar(qint16 view, const QString &name) = 0;
    virtual qint32 AuxCommandExistsInToolsMenu(qint16 view, const QString &name) = 0;

    // Defines the command, or redefines one of the same name.
    virtual qint32 AddAuxCommand(const QString &name, const QString &executable,
        const QString &folder, const QString &title, const QString &tooltip, const QString &icon,
        const QString &largeIcon, qint16 flags)
        = 0;

    virtual qint32 AddAuxCommandToToolbar(qint16 view, const QString &name) = 0;
    virtual qint32 AddAuxCommandToToolsMenu(qint16 view, const QString &name) = 0;
    virtual qint32 RemoveAuxCommandFromToolbar(qint16 view, const QString &name) = 0;
    virtual qint32 RemoveAuxCommandFromToolsMenu(qint16 view, const QString &name) = 0;
};
