#pragma once

#include "EditorServices.h"
#include "RunWindows.h"

class Dialogs;

// The run's windows on a display: the main window and the Contact List warning.
class QtRunWindows : public RunWindows
{
public:
    explicit QtRunWindows(Dialogs &dialogs)
        : m_dialogs(dialogs)
    {
    }

    bool showMainWindow(RunState &state) override;
    void showContactListWarning(Settings &settings) override;
    void showEditor(const QString &path) override;

    // What the syntax editor reaches, from the main window or alone.
    void setEditorServices(EditorServices services) { m_editorServices = std::move(services); }

private:
    Dialogs &m_dialogs;
    EditorServices m_editorServices;
};
