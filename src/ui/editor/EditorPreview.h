#pragma once

#include <QStringList>

// Where Preview and Test hands the text: the calculation chooser when the text holds
// several calculations, the preview window otherwise. Both are modal over the editor.
class EditorPreview
{
public:
    virtual ~EditorPreview() = default;

    virtual void showChooser(const QStringList &vCalcs) = 0;
    virtual void showPreview(const QString &sTextToPreview) = 0;
};
