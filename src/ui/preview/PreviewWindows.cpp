#include "PreviewWindows.h"

#include "FrmPrePreview.h"
#include "FrmPreview.h"

PreviewWindows::PreviewWindows(RunState &state, Dialogs &dialogs, QWidget *editor)
    : m_state(state)
    , m_dialogs(dialogs)
    , m_editor(editor)
{
}

void PreviewWindows::showChooser(const QStringList &vCalcs)
{
    FrmPrePreview chooser(
        vCalcs, [this](const QString &statement) { showPreview(statement); }, m_editor);
    chooser.exec();
}

void PreviewWindows::showPreview(const QString &sTextToPreview)
{
    FrmPreview preview(m_state, m_dialogs, m_editor);
    preview.sTextToPreview = sTextToPreview;
    preview.showModal();
}
