#pragma once

#include "EditorPreview.h"

#include <QStringList>

class Dialogs;
class QWidget;
struct RunState;

// What the syntax editor's Preview and Test opens: the chooser when the text holds
// several calculations, the preview otherwise. Both are modal over the editor and take
// its size.
class PreviewWindows : public EditorPreview
{
public:
    PreviewWindows(RunState &state, Dialogs &dialogs, QWidget *editor);

    void showChooser(const QStringList &vCalcs) override;
    void showPreview(const QString &sTextToPreview) override;

private:
    RunState &m_state;
    Dialogs &m_dialogs;
    QWidget *m_editor;
};
