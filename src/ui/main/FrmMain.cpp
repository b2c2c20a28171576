#include "FrmMain.h"

#include "AboutBox.h"
#include "AppPath.h"
#include "ClsFrmIntegrate.h"
#include "Dialogs.h"
#include "EditorMode.h"
#include "ErrorReport.h"
#include "FileExists.h"
#include "FrmEditor.h"
#include "FrmSyntax.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "OrvantaError.h"
#include "PreviewWindows.h"
#include "RtbSyntax.h"
#include "RunJournal.h"
#include "RunState.h"
#include "RunUndo.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int FormWidth = 6900;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int TimerInterval = 1000;
constexpr qint16 TicksBeforeEnd = 2;

QAction *addMenuItem(QMenu *menu, const QString &name, const QString &text, bool enabled = true)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

void addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &text)
{
    QMenu *menu = bar->addMenu(text);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

void endProgramNow()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

} // namespace

FrmMain::FrmMain(RunState &state, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_programEnd(endProgramNow)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orvanta Prompt"));
    buildControls();
    m_tmr1.setObjectName(QStringLiteral("tmr1"));
    m_tmr1.setInterval(TimerInterval);
    connect(&m_tmr1, &QTimer::timeout, this, &FrmMain::tmr1_Timer);
    Form_Load();
}

void FrmMain::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenus());
    layout->addWidget(buildPromptFrame());

    m_cmdOK = addButton(QStringLiteral("cmdOK"), QStringLiteral("&Run"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("&Close"));
    m_cmdEditor = addButton(QStringLiteral("cmdEditor"), QStringLiteral("Editor..."));
    m_cmdTriggerSyntax
        = addButton(QStringLiteral("cmdTriggerSyntax"), QStringLiteral("Builder..."));
    connect(m_cmdOK, &QPushButton::clicked, this, &FrmMain::cmdOK_Click);
    connect(m_cmdTriggerSyntax, &QPushButton::clicked, this, &FrmMain::mnuTriggerSyntax_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmMain::cmdCancel_Click);
    connect(m_cmdEditor, &QPushButton::clicked, this, &FrmMain::cmdEditor_Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdEditor);
    buttons->addWidget(m_cmdTriggerSyntax);

    auto *lower = new QHBoxLayout;
    lower->addWidget(buildLookupFrame(), 1);
    lower->addSpacing(6);
    lower->addLayout(buttons);
    layout->addLayout(lower);

    setTabOrder(m_cboPrompt, m_optFor[CurrentContact]);
    setTabOrder(m_optFor[CurrentContact], m_optFor[CurrentLookup]);
    setTabOrder(m_optFor[CurrentLookup], m_optFor[AllContacts]);
    setTabOrder(m_optFor[AllContacts], m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdEditor);
    setTabOrder(m_cmdEditor, m_cmdTriggerSyntax);

    setFixedWidth(twipsToPixels(FormWidth));
    setFixedHeight(sizeHint().height());
    m_cboPrompt->setFocus();
}

QMenuBar *FrmMain::buildMenus()
{
    auto *bar = new QMenuBar(this);

    QMenu *mnuFile = addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("File"));
    connect(addMenuItem(mnuFile, QStringLiteral("mnuNew"), QStringLiteral("New...")),
        &QAction::triggered, this, &FrmMain::mnuNew_Click);
    connect(addMenuItem(mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("Open...")),
        &QAction::triggered, this, &FrmMain::mnuOpen_Click);
    addSeparator(mnuFile, QStringLiteral("mnuSep"));
    connect(addMenuItem(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("Exit")),
        &QAction::triggered, this, &FrmMain::mnuExit_Click);

    QMenu *mnuEdit = addMenu(bar, QStringLiteral("mnuEdit"), QStringLiteral("Edit"));
    connect(addMenuItem(mnuEdit, QStringLiteral("mnuEditor"), QStringLiteral("Syntax Editor...")),
        &QAction::triggered, this, &FrmMain::cmdEditor_Click);
    connect(addMenuItem(
                mnuEdit, QStringLiteral("mnuTriggerSyntax"), QStringLiteral("Syntax builder...")),
        &QAction::triggered, this, &FrmMain::mnuTriggerSyntax_Click);
    addSeparator(mnuEdit, QStringLiteral("mnuSepUndo"));
    connect(addMenuItem(mnuEdit, QStringLiteral("mnuUndoRun"), QStringLiteral("Undo Last Run...")),
        &QAction::triggered, this, &FrmMain::mnuUndoRun_Click);

    QMenu *mnuOptions = addMenu(bar, QStringLiteral("mnuOptions"), QStringLiteral("Options"));
    connect(addMenuItem(mnuOptions, QStringLiteral("mnuReset"),
                QStringLiteral("Reset Last Calculation List")),
        &QAction::triggered, this, &FrmMain::mnuReset_Click);
    addSeparator(mnuOptions, QStringLiteral("mnuSep2"));
    connect(addMenuItem(mnuOptions, QStringLiteral("mnuIntegrate"),
                QStringLiteral("Integrate with ACT!...")),
        &QAction::triggered, this, &FrmMain::mnuIntegrate_Click);

    QMenu *mnuHelp = addMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("Help"));
    connect(addMenuItem(mnuHelp, QStringLiteral("mnuManual"), QStringLiteral("User's manual")),
        &QAction::triggered, this, &FrmMain::mnuManual_Click);
    connect(addMenuItem(mnuHelp, QStringLiteral("mnuOnline"), QStringLiteral("Online Help")),
        &QAction::triggered, this, &FrmMain::mnuOnline_Click);
    addSeparator(mnuHelp, QStringLiteral("sep"));
    connect(addMenuItem(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("About")),
        &QAction::triggered, this, &FrmMain::mnuAbout_Click);
    return bar;
}

QGroupBox *FrmMain::buildPromptFrame()
{
    auto *fraType = new QGroupBox(QStringLiteral("Calculation:"), this);
    fraType->setObjectName(QStringLiteral("fraType"));
    m_cboPrompt = new QComboBox(fraType);
    m_cboPrompt->setObjectName(QStringLiteral("cboPrompt"));
    m_cboPrompt->setEditable(true);
    // The list is the recent list only; typing and Enter must not add to it.
    m_cboPrompt->setInsertPolicy(QComboBox::NoInsert);
    // Completing a typed prefix would let Enter run a recent calculation nobody typed.
    m_cboPrompt->setCompleter(nullptr);
    m_cboPrompt->setMaxVisibleItems(int(RecentList::MaxEntries));
    m_cboPrompt->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboPrompt->setMinimumContentsLength(20);
    auto *layout = new QVBoxLayout(fraType);
    layout->addWidget(m_cboPrompt);
    return fraType;
}

QGroupBox *FrmMain::buildLookupFrame()
{
    auto *fraLookup = new QGroupBox(QStringLiteral("Calculate for:"), this);
    fraLookup->setObjectName(QStringLiteral("fraLookup"));
    const QStringList captions {QStringLiteral("Current contact"), QStringLiteral("Current lookup"),
        QStringLiteral("All contacts")};
    auto *layout = new QVBoxLayout(fraLookup);
    for (int index = CurrentContact; index <= AllContacts; ++index) {
        m_optFor[index] = new QRadioButton(captions.at(index), fraLookup);
        m_optFor[index]->setObjectName(QStringLiteral("optFor") + QString::number(index));
        layout->addWidget(m_optFor[index]);
    }
    m_optFor[CurrentContact]->setChecked(true);
    return fraLookup;
}

QPushButton *FrmMain::addButton(const QString &name, const QString &text, bool enabled)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setEnabled(enabled);
    button->setMinimumSize(twipsToPixels(ButtonWidth), twipsToPixels(ButtonHeight));
    return button;
}

bool FrmMain::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    // A loop of our own rather than exec(): after a host restart the window hides and must
    // keep running until its timer ends the program.
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    return !(bCancel || m_state.reopenFlag);
}

void FrmMain::Form_Load()
{
    try {
        m_cboPrompt->addItems(m_recent.load());
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Load"), 2);
    }
    m_cboPrompt->setEditText(QString());
}

void FrmMain::cmdOK_Click()
{
    saveRecentList();
    int step = 2;
    try {
        m_state.calculationText = m_cboPrompt->currentText();
        step = 3;
        if (m_optFor[AllContacts]->isChecked()) {
            host().Command(HostCommand::LookupAllContacts);
            m_state.lookupMadeAllContacts = true;
        }
        step = 4;
        m_state.lookupFlag = !m_optFor[CurrentContact]->isChecked();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("cmdOK_Click"), step);
        return;
    }
    close();
}

// A recent list that cannot be written is reported; the run goes on without it.
void FrmMain::saveRecentList()
{
    try {
        m_recent.save(m_cboPrompt->currentText(), recentEntries());
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("cmdOK_Click"), 1);
    }
}

QStringList FrmMain::recentEntries() const
{
    QStringList entries;
    for (int i = 0; i < m_cboPrompt->count(); ++i)
        entries << m_cboPrompt->itemText(i);
    return entries;
}

void FrmMain::cmdCancel_Click()
{
    bCancel = true;
    close();
}

void FrmMain::mnuExit_Click()
{
    close();
}

void FrmMain::reject()
{
    cmdCancel_Click();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    if (!m_restarting && m_loop)
        m_loop->quit();
    event->accept();
}

void FrmMain::mnuOpen_Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), AppPath(), openFilter(m_state.activeViewType));
    if (path.isEmpty())
        return;
    m_cboPrompt->setEditText(QStringLiteral("File:") + path);
}

void FrmMain::mnuNew_Click()
{
    showEditor(QString(), QString());
}

// A prompt that names a file opens that file; a calculation opens as an unsaved text; a
// "File:" further in than the second character opens an empty editor.
void FrmMain::cmdEditor_Click()
{
    const QString prompt = m_cboPrompt->currentText();
    const std::optional<QString> file = promptFile(prompt);
    if (file && !FileExists(*file)) {
        m_dialogs.inform(QStringLiteral("The specified file does not exist!"));
        return;
    }
    const bool calculation = !prompt.contains(QLatin1String("File:"));
    showEditor(file.value_or(QString()), calculation ? prompt : QString());
}

void FrmMain::showEditor(const QString &file, const QString &text)
{
    FrmEditor frmEditor(
        EditorMode::forViewType(m_state.activeViewType), m_dialogs, m_editorServices, this);
    frmEditor.setHandBackTarget(
        [this](const QString &handBack) { m_cboPrompt->setEditText(handBack); });
    PreviewWindows preview(m_state, m_dialogs, &frmEditor);
    frmEditor.setPreview(&preview);
    frmEditor.sLoadedFile = file;
    frmEditor.Form_Load();
    if (!text.isEmpty())
        frmEditor.rtfSyntax().setText(text);
    frmEditor.showModal();
}

std::optional<QString> FrmMain::promptFile(const QString &prompt)
{
    const QLatin1String reference("File:");
    const qsizetype at = prompt.indexOf(reference);
    if (prompt.isEmpty() || at < 0 || at > 1)
        return std::nullopt;
    QString path = prompt;
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    path.remove(reference);
    const qsizetype separator = path.indexOf(QLatin1String("\\/"));
    return separator < 0 ? path : path.left(separator);
}

QString FrmMain::openFilter(qint16 activeViewType)
{
    return activeViewType == HostViewType::Contacts
        ? QStringLiteral("Orvanta Contact Syntax (*.ocs)")
        : QStringLiteral("Orvanta Group Syntax (*.ogs)");
}

void FrmMain::mnuReset_Click()
{
    m_cboPrompt->clear();
    m_recent.reset();
}

// A failed shell open (no viewer, no manual) shows nothing.
void FrmMain::mnuManual_Click()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(manualPath()));
}

void FrmMain::mnuOnline_Click()
{
    QDesktopServices::openUrl(QUrl(onlineHelpUrl()));
}

QString FrmMain::manualPath()
{
    return AppDataFile(QStringLiteral("orvanta_manual.pdf"));
}

QString FrmMain::onlineHelpUrl()
{
    return QStringLiteral("https://orvanta.app/help/tutorial");
}

void FrmMain::mnuTriggerSyntax_Click()
{
    FrmSyntax builder(m_cboPrompt->currentText(), this);
    builder.setWindowIcon(ClsFrmIntegrate::programIcon());
    builder.exec();
}

void FrmMain::mnuIntegrate_Click()
{
    ClsFrmIntegrate integrate([this] { return host().AuxCommands(); }, m_dialogs,
        m_state.reopenFlag, [this] { Form_Unload(); }, this);
    integrate.Language = 0;
    integrate.AppName = Dialogs::programTitle();
    integrate.ContactScreen = true;
    integrate.GroupScreen = true;
    integrate.IntegrateIcon = ClsFrmIntegrate::programIcon();
    integrate.showModal();
}

// Beyond the original: takes back the newest journaled run, asking first.
void FrmMain::mnuUndoRun_Click()
{
    try {
        RunUndo(host(), m_dialogs, RunJournal::defaultPath(), RunJournal::BusyTimeoutMs)
            .undo(std::nullopt);
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("mnuUndoRun_Click"), 1);
    }
}

void FrmMain::mnuAbout_Click()
{
    AboutBox(Dialogs::programTitle(), this).exec();
}

void FrmMain::Form_Unload()
{
    if (!m_state.reopenFlag || m_restarting)
        return;
    int step = 1;
    try {
        const QString database = host().GetOpenDBName();
        step = 2;
        host().Command(HostCommand::HostRestart);
        step = 3;
        m_state.hostApplication = nullptr;
        step = 4;
        QDesktopServices::openUrl(QUrl::fromLocalFile(database));
        step = 5;
        m_restarting = true;
        hide();
        m_ticks = 0;
        m_tmr1.start();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Unload"), step);
    }
}

void FrmMain::tmr1_Timer()
{
    ++m_ticks;
    if (m_ticks < TicksBeforeEnd)
        return;
    m_tmr1.stop();
    m_programEnd();
}

HostApplication &FrmMain::host() const
{
    if (!m_state.hostApplication)
        throw OrvantaError(OrvantaError::ObjectNotSet);
    return *m_state.hostApplication;
}

void FrmMain::report(const OrvantaError &error, const QString &procedure, int step)
{
    ErrorReport(QStringLiteral("frmMain"), ErrorReport::Kind::Sub, procedure)
        .show(m_dialogs, error, step);
}
