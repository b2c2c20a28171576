#pragma once

#include "RunWindows.h"

#include <QString>

class Dialogs;

// Windows without a display: the main window cannot open, and the Contact List warning
// shows its text as a message.
class ConsoleRunWindows : public RunWindows
{
public:
    explicit ConsoleRunWindows(Dialogs &dialogs)
        : m_dialogs(dialogs)
    {
    }

    bool showMainWindow(RunState &state) override;
    void showContactListWarning(Settings &settings) override;
    void showEditor(const QString &path) override;

    static QString mainWindowUnavailableText();
    static QString editorUnavailableText();

private:
    Dialogs &m_dialogs;
};
