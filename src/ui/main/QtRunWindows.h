#pragma once

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

private:
    Dialogs &m_dialogs;
};
