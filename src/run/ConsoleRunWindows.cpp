#include "ConsoleRunWindows.h"

#include "ContactListWarning.h"
#include "Dialogs.h"

bool ConsoleRunWindows::showMainWindow(RunState &)
{
    m_dialogs.inform(mainWindowUnavailableText());
    return false;
}

void ConsoleRunWindows::showContactListWarning(Settings &)
{
    m_dialogs.inform(ContactListWarning::text(), ContactListWarning::caption());
}

void ConsoleRunWindows::showEditor(const QString &)
{
    m_dialogs.inform(editorUnavailableText());
}

QString ConsoleRunWindows::mainWindowUnavailableText()
{
    return QStringLiteral("The main window needs a display. Pass a calculation or File: and a "
                          "path on the command line.");
}

QString ConsoleRunWindows::editorUnavailableText()
{
    return QStringLiteral("The syntax editor needs a display.");
}
