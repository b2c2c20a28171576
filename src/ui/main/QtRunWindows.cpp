#include "QtRunWindows.h"

#include "EditorMode.h"
#include "FrmEditor.h"
#include "FrmMain.h"
#include "FrmWarning.h"

bool QtRunWindows::showMainWindow(RunState &state)
{
    FrmMain frmMain(state, m_dialogs);
    frmMain.setEditorServices(m_editorServices);
    return frmMain.showModal();
}

void QtRunWindows::showEditor(const QString &path)
{
    FrmEditor frmEditor(EditorMode::forFile(path), m_dialogs, m_editorServices);
    frmEditor.sLoadedFile = path;
    frmEditor.showModal();
}

void QtRunWindows::showContactListWarning(Settings &settings)
{
    FrmWarning(settings).exec();
}
