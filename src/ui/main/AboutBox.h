#pragma once

#include <QDialog>

// "frmAbout": the program title, its version and what it does.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(const QString &programTitle, QWidget *parent = nullptr);
};
