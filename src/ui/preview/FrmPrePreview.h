#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;

// "frmPrePreview": picks one of the editor's calculations for the preview.
class FrmPrePreview : public QDialog
{
    Q_OBJECT

public:
    // preview shows the chosen statement modally and returns when it is closed.
    FrmPrePreview(const QStringList &vCalcs, std::function<void(const QString &)> preview,
        QWidget *parent = nullptr);

private:
    void buildControls();
    void cmdOK_Click();

    QStringList m_calcs;
    std::function<void(const QString &)> m_preview;
    QComboBox *m_cboNumber = nullptr;
};
