#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

// "frmSyntax", the Trigger Syntax Builder: the texts to paste into a host field trigger so
// that the host starts this program on the calculation of the main window's prompt box.
// The boxes are "txtPath0" (program path), "txtPath1" (argument) and "txtPath2" (full
// command line), each with its Copy button "cmdCopy0" to "cmdCopy2".
class FrmSyntax : public QDialog
{
    Q_OBJECT

public:
    enum Box { ProgramPath = 0, Argument = 1, FullSyntax = 2 };

    explicit FrmSyntax(const QString &promptText, QWidget *parent = nullptr);

    // The argument of a trigger: a file reference (File: at the start or behind one
    // character) has its spaces written as "?"; a calculation loses its spaces.
    static QString Treat_Syntax(const QString &text);
    // The running program's folder, "/", and its file name without extension.
    static QString programPath();

private:
    void buildControls();
    void Form_Load(const QString &promptText);
    void cmdCopy_Click(int index);

    std::array<QLineEdit *, 3> m_txtPath {};
    std::array<QPushButton *, 3> m_cmdCopy {};
};
