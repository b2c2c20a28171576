#include "QtRunWindows.h"

#include "FrmMain.h"
#include "FrmWarning.h"

bool QtRunWindows::showMainWindow(RunState &state)
{
    FrmMain frmMain(state, m_dialogs);
    return frmMain.showModal();
}

void QtRunWindows::showContactListWarning(Settings &settings)
{
    FrmWarning(settings).exec();
}
