#include "ClsFrmIntegrate.h"

#include "AppPath.h"
#include "Dialogs.h"
#include "ErrorReport.h"
#include "HostAuxCommands.h"
#include "OrvantaError.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ToolsMenuFirst = ClsFrmIntegrate::ViewCount;
constexpr qint16 CommandFlags = 1;

enum Text {
    SupportLine = 0,
    TooltipPrefix = 1,
    RestartLine1 = 2,
    RestartLine2 = 3,
    AddFailed = 4,
    Caption = 5,
    FirstViewLabel = 6,
    ToolbarFrame = 12,
    ToolsMenuFrame = 13,
    CloseCaption = 14,
    CancelCaption = 15,
    RestartNote = 16,
};

QStringList englishTexts()
{
    return {QStringLiteral("Please contact ") + ErrorReport::supportAddress()
            + QStringLiteral(" with this error message."),
        QStringLiteral("Click to launch "),
        QStringLiteral("You need to re-start ACT! for the changes to take effect!"),
        QStringLiteral("Do you want to re-start it now?"),
        QStringLiteral("Can't add icon or menu item automatically. You will need to proceed "
                       "manually."),
        QStringLiteral("Integrate with ACT!"), QStringLiteral("Contacts"),
        QStringLiteral("Contact List"), QStringLiteral("Groups"), QStringLiteral("Task List"),
        QStringLiteral("Calendars"), QStringLiteral("E-mail"),
        QStringLiteral("Toolbar Button added to the following Views :"),
        QStringLiteral("Menu Item added to the following Views :"), QStringLiteral("&Close"),
        QStringLiteral("&Cancel"),
        QStringLiteral("You will need to re-start ACT! to see the changes.")};
}

QStringList frenchTexts()
{
    return {QStringLiteral("S.V.P. contactez ") + ErrorReport::supportAddress()
            + QStringLiteral(" avec ce message."),
        QStringLiteral("Cliquez pour lancer "),
        QStringLiteral("Vous devez redémarrer ACT! pour que les changements soient pris en "
                       "compte!"),
        QStringLiteral("Voulez-vous redémarrez ACT! maintenant?"),
        QStringLiteral("Impossible d'ajouter l'icône ou l'entrée du menu. Vous devrez le faire "
                       "manuellement."),
        QStringLiteral("Intégration à ACT!"), QStringLiteral("Contacts"),
        QStringLiteral("Liste des contacts"), QStringLiteral("Groupes"),
        QStringLiteral("Liste des tâches"), QStringLiteral("Agendas"), QStringLiteral("E-mail"),
        QStringLiteral("Bouton ajouté à la barre d'outils des écrans suivants : "),
        QStringLiteral("Entrée ajoutée au menu Outils des écrans suivants :"),
        QStringLiteral("&Fermer"), QStringLiteral("&Annuler"),
        QStringLiteral("Vous devrez redémarrer ACT! pour que les changements soient pris en "
                       "compte.")};
}

qint16 viewOfBox(int index)
{
    return qint16(index < ToolsMenuFirst ? index + 1 : index - ToolsMenuFirst + 1);
}

QFileInfo program()
{
    return QFileInfo(QApplication::applicationFilePath());
}

} // namespace

ClsFrmIntegrate::ClsFrmIntegrate(AuxCommandsFactory createAuxCommands, Dialogs &dialogs,
    bool &reopenFlag, std::function<void()> mainUnload, QWidget *parent)
    : QDialog(parent)
    , m_createAuxCommands(std::move(createAuxCommands))
    , m_dialogs(dialogs)
    , m_reopenFlag(reopenFlag)
    , m_mainUnload(std::move(mainUnload))
{
    setObjectName(QStringLiteral("frmIntegrate"));
    buildControls();
}

ClsFrmIntegrate::~ClsFrmIntegrate() = default;

// The design-time captions are the English texts; loading replaces them.
void ClsFrmIntegrate::buildControls()
{
    const QStringList english = englishTexts();
    setWindowTitle(english.at(Caption));
    auto *frames = new QVBoxLayout;
    for (int frame = 0; frame < 2; ++frame)
        frames->addWidget(buildFrame(frame));
    m_lblRestart = new QLabel(english.at(RestartNote), this);
    m_lblRestart->setObjectName(QStringLiteral("lblRestart"));
    m_lblRestart->setWordWrap(true);
    frames->addWidget(m_lblRestart);

    m_cmdOK = addButton(QStringLiteral("cmdOK"), english.at(CloseCaption));
    m_cmdOK->setDefault(true);
    m_cmdCancel = addButton(QStringLiteral("cmdCancel"), english.at(CancelCaption));
    connect(m_cmdOK, &QPushButton::clicked, this, &ClsFrmIntegrate::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &ClsFrmIntegrate::cmdCancel_Click);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(frames, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

QGroupBox *ClsFrmIntegrate::buildFrame(int frame)
{
    const QStringList english = englishTexts();
    auto *box = new QGroupBox(english.at(frame == 0 ? ToolbarFrame : ToolsMenuFrame), this);
    box->setObjectName(QStringLiteral("Frame1_%1").arg(frame));
    m_frame1[frame] = box;
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(16);
    for (int view = 0; view < ViewCount; ++view) {
        const int index = frame * ToolsMenuFirst + view;
        m_chkScreen[index] = new QCheckBox(box);
        m_chkScreen[index]->setObjectName(QStringLiteral("chkScreen%1").arg(index));
        m_lblScreen[index] = new QLabel(english.at(FirstViewLabel + view), box);
        m_lblScreen[index]->setObjectName(QStringLiteral("lblScreen%1").arg(index));
        m_lblScreen[index]->installEventFilter(this);
        connect(m_chkScreen[index], &QCheckBox::toggled, this,
            [this, index] { chkScreen_Click(index); });
        auto *cell = new QHBoxLayout;
        cell->setSpacing(4);
        cell->addWidget(m_chkScreen[index]);
        cell->addWidget(m_lblScreen[index], 1);
        grid->addLayout(cell, view / 3, view % 3);
    }
    return box;
}

QPushButton *ClsFrmIntegrate::addButton(const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setMinimumWidth(96);
    return button;
}

void ClsFrmIntegrate::showModal()
{
    Form_Load();
    setWindowModality(Qt::ApplicationModal);
    exec();
}

void ClsFrmIntegrate::Form_Load()
{
    int step = 1;
    try {
        SetLanguage();
        step = 2;
        m_oAuxCmds = m_createAuxCommands();
        step = 3;
        const std::array<bool, ViewCount> enabled = viewEnabled();
        for (int index = 0; index < 2 * ViewCount; ++index)
            m_chkScreen[index]->setEnabled(enabled[viewOfBox(index) - 1]);
        step = 4;
        loadBoxes();
        step = 6;
        showTexts();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Load"), step);
    }
}

void ClsFrmIntegrate::SetLanguage()
{
    if (Language == 0)
        m_asText = englishTexts();
    else if (Language == 1)
        m_asText = frenchTexts();
    else
        m_asText = QStringList(TextCount, QString());
}

std::array<bool, ClsFrmIntegrate::ViewCount> ClsFrmIntegrate::viewEnabled() const
{
    return {ContactScreen, ContactListScreen, GroupScreen, TaskListScreen, CalendarsScreen,
        EmailScreen};
}

// Setting a box runs its click, so a box found checked sends its add call again.
void ClsFrmIntegrate::loadBoxes()
{
    for (qint16 view = 1; view <= ViewCount; ++view) {
        m_chkScreen[view - 1]->setChecked(auxCommands().AuxCommandExistsInToolbar(view, AppName));
        m_lblScreen[view - 1]->setText(m_asText.at(view + 5));
    }
    for (qint16 view = 1; view <= ViewCount; ++view) {
        m_chkScreen[view + 5]->setChecked(auxCommands().AuxCommandExistsInToolsMenu(view, AppName));
        m_lblScreen[view + 5]->setText(m_asText.at(view + 5));
    }
}

void ClsFrmIntegrate::showTexts()
{
    m_frame1[0]->setTitle(m_asText.at(ToolbarFrame));
    m_frame1[1]->setTitle(m_asText.at(ToolsMenuFrame));
    m_bChanged = false;
    setWindowTitle(m_asText.at(Caption));
    m_cmdOK->setText(m_asText.at(CloseCaption));
    m_cmdCancel->setText(m_asText.at(CancelCaption));
    m_lblRestart->setText(m_asText.at(RestartNote));
    setWindowIcon(IntegrateIcon);
}

void ClsFrmIntegrate::chkScreen_Click(int index)
{
    int step = 1;
    try {
        m_bChanged = true;
        step = 2;
        if (!auxCommands().AuxCommandExists(AppName))
            CheckCommand();
        step = 3;
        const qint32 status = placeOrRemove(index, m_chkScreen[index]->isChecked());
        step = 4;
        m_lResult = status;
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("chkScreen_Click"), step);
    }
}

qint32 ClsFrmIntegrate::placeOrRemove(int index, bool checked)
{
    HostAuxCommands &commands = auxCommands();
    const qint16 view = viewOfBox(index);
    if (index >= ToolsMenuFirst)
        return checked ? commands.AddAuxCommandToToolsMenu(view, AppName)
                       : commands.RemoveAuxCommandFromToolsMenu(view, AppName);
    return checked ? commands.AddAuxCommandToToolbar(view, AppName)
                   : commands.RemoveAuxCommandFromToolbar(view, AppName);
}

void ClsFrmIntegrate::CheckCommand()
{
    try {
        m_lResult
            = auxCommands().AddAuxCommand(AppName, programExecutable(), programFolder(), AppName,
                m_asText.at(TooltipPrefix) + AppName, iconFile(), largeIconFile(), CommandFlags);
        if (m_lResult != 0)
            MessAddFailed();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("CheckCommand"), 1);
    }
}

// The label of a box toggles it even when the box itself cannot be clicked.
bool ClsFrmIntegrate::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto label = std::find(m_lblScreen.begin(), m_lblScreen.end(), watched);
        if (label != m_lblScreen.end()) {
            lblScreen_Click(int(label - m_lblScreen.begin()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ClsFrmIntegrate::lblScreen_Click(int index)
{
    m_chkScreen[index]->setChecked(!m_chkScreen[index]->isChecked());
}

void ClsFrmIntegrate::cmdOK_Click()
{
    if (m_bChanged) {
        if (m_lResult != 0)
            MessAddFailed();
        else
            Message();
    }
    close();
}

void ClsFrmIntegrate::cmdCancel_Click()
{
    close();
}

void ClsFrmIntegrate::Message()
{
    const Dialogs::Answer answer = m_dialogs.message(
        m_asText.at(RestartLine1) + QStringLiteral("\r\n") + m_asText.at(RestartLine2), AppName,
        Dialogs::Buttons::YesNo, Dialogs::Icon::None, Dialogs::Answer::Yes);
    Form_Load();
    if (answer != Dialogs::Answer::Yes)
        return;
    m_reopenFlag = true;
    hide();
    if (m_mainUnload)
        m_mainUnload();
    close();
}

void ClsFrmIntegrate::MessAddFailed()
{
    m_dialogs.message(m_asText.at(AddFailed), AppName, Dialogs::Buttons::Ok, Dialogs::Icon::None,
        Dialogs::Answer::Ok);
}

void ClsFrmIntegrate::closeEvent(QCloseEvent *event)
{
    m_oAuxCmds.reset();
    QDialog::closeEvent(event);
}

HostAuxCommands &ClsFrmIntegrate::auxCommands() const
{
    if (!m_oAuxCmds)
        throw OrvantaError(OrvantaError::ObjectNotSet);
    return *m_oAuxCmds;
}

void ClsFrmIntegrate::report(const OrvantaError &error, const QString &procedure, int step)
{
    const QString text
        = ErrorReport(QStringLiteral("frmIntegrate"), ErrorReport::Kind::Sub, procedure)
              .text(error, step, m_asText.value(SupportLine));
    m_dialogs.message(
        text, AppName, Dialogs::Buttons::Ok, Dialogs::Icon::None, Dialogs::Answer::Ok);
}

QString ClsFrmIntegrate::programFolder()
{
    return program().absolutePath();
}

QString ClsFrmIntegrate::programExecutable()
{
    return programFolder() + QLatin1Char('/') + program().completeBaseName();
}

// Beside the program in a build folder, in share/orvanta once installed.
QString ClsFrmIntegrate::iconFile()
{
    return AppDataFile(program().completeBaseName() + QStringLiteral(".png"));
}

QString ClsFrmIntegrate::largeIconFile()
{
    return AppDataFile(program().completeBaseName() + QStringLiteral("32.png"));
}

QIcon ClsFrmIntegrate::programIcon()
{
    QIcon icon(iconFile());
    icon.addFile(largeIconFile());
    return icon;
}
