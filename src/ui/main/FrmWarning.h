#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class Settings;

// "frmWarning": the Contact List warning. However it closes (OK, close box, Escape) it
// saves the check box as the "Warning" setting, "1" when checked.
class FrmWarning : public QDialog
{
    Q_OBJECT

public:
    explicit FrmWarning(Settings &settings, QWidget *parent = nullptr);

    void done(int result) override;

private:
    void buildControls();

    Settings &m_settings;
    QCheckBox *m_chkDoNotShow = nullptr;
    QPushButton *m_cmdOK = nullptr;
};
