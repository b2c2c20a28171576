#include "FrmSyntax.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString FileMarker = QStringLiteral("File:");

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel *addNote(QWidget *parent, const QString &name, const QString &text)
{
    QLabel *label = addLabel(parent, name, text);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmSyntax::FrmSyntax(const QString &promptText, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSyntax"));
    setWindowTitle(QStringLiteral("Trigger Syntax Builder"));
    buildControls();
    Form_Load(promptText);
}

void FrmSyntax::buildControls()
{
    auto *fraSyntax = new QGroupBox(
        QStringLiteral("Here are different items you might need to create your triggers:"), this);
    fraSyntax->setObjectName(QStringLiteral("fraSyntax"));
    auto *rows = new QGridLayout(fraSyntax);
    const std::array<std::pair<const char *, const char *>, 3> captions {{
        {"lblProgram", "Program path only:"},
        {"lblCalc", "Calculation syntax only:"},
        {"lblFullPath", "Full syntax:"},
    }};
    for (int index = ProgramPath; index <= FullSyntax; ++index) {
        rows->addWidget(addLabel(fraSyntax, QLatin1String(captions[index].first),
                            QLatin1String(captions[index].second)),
            2 * index, 0, 1, 2);
        m_txtPath[index] = new QLineEdit(fraSyntax);
        m_txtPath[index]->setObjectName(QStringLiteral("txtPath%1").arg(index));
        m_txtPath[index]->setMinimumWidth(420);
        m_cmdCopy[index] = new QPushButton(QStringLiteral("Copy"), fraSyntax);
        m_cmdCopy[index]->setObjectName(QStringLiteral("cmdCopy%1").arg(index));
        m_cmdCopy[index]->setAutoDefault(false);
        connect(
            m_cmdCopy[index], &QPushButton::clicked, this, [this, index] { cmdCopy_Click(index); });
        rows->addWidget(m_txtPath[index], 2 * index + 1, 0);
        rows->addWidget(m_cmdCopy[index], 2 * index + 1, 1);
    }

    auto *notes = new QVBoxLayout;
    notes->addWidget(addLabel(this, QStringLiteral("lblNotes"), QStringLiteral("Notes:")));
    notes->addWidget(addNote(this, QStringLiteral("lblNote1"),
        QStringLiteral("If you want to run more than 1 calculation at once, separate the "
                       "calculations with a backward slash and a forward slash: \\ /.")));
    notes->addWidget(addNote(this, QStringLiteral("lblNote2"),
        QStringLiteral(" Remember that no space is allowed in the calculation syntax.")));
    notes->addWidget(addNote(this, QStringLiteral("lblNote3"),
        QStringLiteral("BothTrigger fields in ACT! are limited in size (254 characters). If "
                       "your full syntax is too long, create a file with the syntax editor and "
                       "reference the file instead.")));

    auto *cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &FrmSyntax::close);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraSyntax);
    layout->addLayout(notes);
    layout->addLayout(closeRow);
    setFixedSize(sizeHint());
}

void FrmSyntax::Form_Load(const QString &promptText)
{
    m_txtPath[ProgramPath]->setText(programPath());
    m_txtPath[Argument]->setText(Treat_Syntax(promptText));
    m_txtPath[FullSyntax]->setText(
        m_txtPath[ProgramPath]->text() + QStringLiteral(" /") + m_txtPath[Argument]->text());
}

QString FrmSyntax::Treat_Syntax(const QString &text)
{
    QString argument = text;
    const qsizetype position = argument.indexOf(FileMarker);
    if (position == 0 || position == 1)
        argument.replace(QLatin1Char(' '), QLatin1Char('?'));
    else
        argument.remove(QLatin1Char(' '));
    return argument;
}

QString FrmSyntax::programPath()
{
    const QFileInfo program(QApplication::applicationFilePath());
    return program.absolutePath() + QLatin1Char('/') + program.completeBaseName();
}

void FrmSyntax::cmdCopy_Click(int index)
{
    QApplication::clipboard()->setText(m_txtPath[index]->text());
}
