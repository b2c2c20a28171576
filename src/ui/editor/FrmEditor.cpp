#include "FrmEditor.h"

#include "AppPath.h"
#include "Dialogs.h"
#include "EditCommands.h"
#include "EditorPreview.h"
#include "ErrorReport.h"
#include "FieldList.h"
#include "FileExists.h"
#include "HandBack.h"
#include "HostDatabase.h"
#include "OrvantaError.h"
#include "PopulateACTLists.h"
#include "QtFileDialogs.h"
#include "RtbSyntax.h"
#include "Settings.h"
#include "SyntaxFileCheck.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The design-time size, which a load that stops early leaves the window at.
constexpr int FormWidth = 7935;
constexpr int FormHeight = 5805;
// Design-time sizes of the pop-up lists, in twips.
constexpr int FieldListWidth = 2625;
constexpr int FunctionListWidth = 2175;
constexpr int OperatorListWidth = 735;
constexpr int ListHeight = 1330;
// Today's fonts are taller than the design's: the lists show at least this many rows.
constexpr int ListRows = 12;
constexpr int FieldListMinimumWidth = 260;
constexpr int CancelListLeft = 195;
constexpr int CancelListTop = 3420 - 465;

const QLatin1String NotFoundText("The file specified in the prompt box does not exist!");
const QLatin1String SaveChangesText("Do you want to save your changes?");
const QLatin1String ReplaceText(
    "A file with this name already exists. Do you want to replace the existing file?");

struct ToolbarButton
{
    const char *key;
    const char *tooltip;
    const char *icon;
};

// Left to right; a null key stands for a separator.
constexpr ToolbarButton ToolbarButtons[] = {
    {"Open", "Open Orvanta File", "open"},
    {"SaveAs", "Save Orvanta File", "save"},
    {nullptr, nullptr, nullptr},
    {"Cut", "Cut", "cut"},
    {"Copy", "Copy", "copy"},
    {"Paste", "Paste", "paste"},
    {nullptr, nullptr, nullptr},
    {"InsertField", "Insert Field", "field"},
    {"InsertFunction", "Insert Function", "function"},
    {"InsertOperator", "Insert Operator", "operator"},
    {"InsertComment", "Insert Comment", "comment"},
    {nullptr, nullptr, nullptr},
    {"PreviewMode", "Preview and Test", "preview"},
};

bool isFileMissing(const OrvantaError &error)
{
    return error.number() == OrvantaError::FileNotFound
        || error.number() == OrvantaError::PathFileAccessError;
}

float storedTwips(const Settings &settings, const char *key)
{
    bool isNumber = false;
    const float twips = settings.value(QLatin1String(key)).trimmed().toFloat(&isNumber);
    if (!isNumber)
        throw OrvantaError(OrvantaError::TypeMismatch);
    return twips;
}

} // namespace

// The pictures are compiled into a static library, whose resources nothing would pull in
// by itself.
static void registerEditorPictures()
{
    Q_INIT_RESOURCE(editor);
}

FrmEditor::FrmEditor(EditorMode mode, Dialogs &dialogs, EditorServices services, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_dialogs(dialogs)
    , m_fileDialogs(services.fileDialogs)
    , m_createDatabase(std::move(services.createDatabase))
    , m_settings(std::make_unique<Settings>())
{
    if (!m_fileDialogs) {
        m_ownFileDialogs = std::make_unique<QtFileDialogs>();
        m_fileDialogs = m_ownFileDialogs.get();
    }
    registerEditorPictures();
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(QStringLiteral("Syntax Editor"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    buildControls();
    resize(twipsToPixels(FormWidth), twipsToPixels(FormHeight));
}

FrmEditor::~FrmEditor() = default;

void FrmEditor::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(buildMenus());
    auto *lin1 = new QFrame(this);
    lin1->setObjectName(QStringLiteral("lin1"));
    lin1->setFrameShape(QFrame::HLine);
    lin1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(lin1);
    layout->addWidget(buildToolbar());
    layout->addWidget(buildTextArea(), 1);
    connectTextEvents();
}

QMenuBar *FrmEditor::buildMenus()
{
    auto *bar = new QMenuBar(this);
    QMenu *mnuFile = addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("File"));
    addMenuItem(mnuFile, QStringLiteral("mnuNew"), QStringLiteral("New"), &FrmEditor::mnuNew_Click,
        QKeySequence::New);
    addMenuItem(mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("Open..."),
        &FrmEditor::mnuOpen_Click, QKeySequence::Open);
    addMenuItem(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("Save"),
        &FrmEditor::mnuSave_Click, QKeySequence::Save);
    addMenuItem(mnuFile, QStringLiteral("mnuSaveAs"), QStringLiteral("Save As..."),
        &FrmEditor::mnuSaveAs_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep"));
    addMenuItem(
        mnuFile, QStringLiteral("mnuExit"), QStringLiteral("Close"), &FrmEditor::mnuExit_Click);

    QMenu *mnuEdit = addMenu(bar, QStringLiteral("mnuEdit"), QStringLiteral("Edit"));
    QAction *mnuUndo = addMenuItem(
        mnuEdit, QStringLiteral("mnuUndo"), QStringLiteral("Undo"), nullptr, QKeySequence::Undo);
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    QAction *mnuCut = addMenuItem(
        mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("Cut"), nullptr, QKeySequence::Cut);
    QAction *mnuCopy = addMenuItem(
        mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("Copy"), nullptr, QKeySequence::Copy);
    QAction *mnuPaste = addMenuItem(
        mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("Paste"), nullptr, QKeySequence::Paste);

    QMenu *mnuInsert = addMenu(bar, QStringLiteral("mnuInsert"), QStringLiteral("Insert"));
    m_mnuInsertField = addMenuItem(mnuInsert, QStringLiteral("mnuInsertField"),
        QStringLiteral("Insert Field..."), &FrmEditor::mnuInsertField_Click);
    addMenuItem(mnuInsert, QStringLiteral("mnuInsertFunction"),
        QStringLiteral("Insert Function..."), &FrmEditor::mnuInsertFunction_Click);
    addMenuItem(mnuInsert, QStringLiteral("mnuInsertOperator"),
        QStringLiteral("Insert Operator..."), &FrmEditor::mnuInsertOperator_Click);
    addMenuItem(mnuInsert, QStringLiteral("mnuInsertComment"), QStringLiteral("Insert Comment"),
        &FrmEditor::mnuInsertComment_Click);

    // The text's context menu; never in the menu bar.
    auto *mnuPopup = new QMenu(QStringLiteral("Popup"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    addMenuItem(mnuPopup, QStringLiteral("mnuPopCut"), QStringLiteral("Cut"), nullptr);
    addMenuItem(mnuPopup, QStringLiteral("mnuPopCopy"), QStringLiteral("Copy"), nullptr);
    QAction *mnuPopPaste
        = addMenuItem(mnuPopup, QStringLiteral("mnuPopPaste"), QStringLiteral("Paste"), nullptr);

    // Redo has no menu item of its own; the shortcut reaches the text's own redo.
    auto *redo = new QAction(this);
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcut(QKeySequence::Redo);
    addAction(redo);
    connect(redo, &QAction::triggered, this, [this] { m_rtfSyntax->innerBox()->redo(); });

    for (QAction *action : {mnuUndo, mnuCut, mnuCopy, mnuPaste, mnuPopPaste})
        action->setEnabled(false);
    return bar;
}

QMenu *FrmEditor::addMenu(QMenuBar *bar, const QString &name, const QString &text)
{
    QMenu *menu = bar->addMenu(text);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    // Opening a menu puts the pop-up lists away.
    connect(menu, &QMenu::aboutToShow, this, [this] { Update_Lists(false, false, false); });
    return menu;
}

QAction *FrmEditor::addMenuItem(QMenu *menu, const QString &name, const QString &text,
    void (FrmEditor::*slot)(), const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QToolBar *FrmEditor::buildToolbar()
{
    m_tlb1 = new QToolBar(this);
    m_tlb1->setObjectName(QStringLiteral("tlb1"));
    m_tlb1->setIconSize(QSize(16, 16));
    m_tlb1->setFloatable(false);
    m_tlb1->setMovable(false);
    for (const ToolbarButton &entry : ToolbarButtons) {
        if (!entry.key) {
            m_tlb1->addSeparator();
            continue;
        }
        const QString key = QLatin1String(entry.key);
        QAction *action = m_tlb1->addAction(
            QIcon(QStringLiteral(":/editor/icons/%1.svg").arg(QLatin1String(entry.icon))),
            QLatin1String(entry.tooltip));
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QLatin1String(entry.tooltip));
        m_buttons.insert(key, action);
    }
    // Like the menu items, the clipboard buttons wait for a selection or a first copy.
    for (const char *key : {"Cut", "Copy", "Paste"})
        button(QLatin1String(key))->setEnabled(false);
    button(QStringLiteral("PreviewMode"))->setShortcut(Qt::Key_F5);
    button(QStringLiteral("PreviewMode"))->setEnabled(false);
    connect(m_tlb1, &QToolBar::actionTriggered, this, &FrmEditor::tlb1_ButtonClick);
    return m_tlb1;
}

QWidget *FrmEditor::buildTextArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    // Behind the text: it is there for Escape, never to be seen.
    m_cmdCancelList = new QPushButton(QStringLiteral("CancelList"), area);
    m_cmdCancelList->setObjectName(QStringLiteral("cmdCancelList"));
    m_cmdCancelList->setFocusPolicy(Qt::NoFocus);
    m_cmdCancelList->move(twipsToPixels(CancelListLeft), twipsToPixels(CancelListTop));
    connect(m_cmdCancelList, &QPushButton::clicked, this, &FrmEditor::cmdCancelList_Click);

    m_rtfSyntax = new RtbSyntax(area);
    m_rtfSyntax->setObjectName(QStringLiteral("rtfSyntax"));
    layout->addWidget(m_rtfSyntax);

    m_lvwFields = new FieldList(area);
    m_lvwFields->resize(
        std::max(twipsToPixels(FieldListWidth), FieldListMinimumWidth), listHeight());
    connect(m_lvwFields, &QTreeWidget::itemClicked, this, &FrmEditor::lvwFields_Click);
    connect(m_lvwFields, &QTreeWidget::itemActivated, this, &FrmEditor::lvwFields_Click);

    m_lstFunctions = new QListWidget(area);
    m_lstFunctions->setObjectName(QStringLiteral("lstFunctions"));
    m_lstFunctions->resize(twipsToPixels(FunctionListWidth), listHeight());
    connect(m_lstFunctions, &QListWidget::itemClicked, this, &FrmEditor::lstFunctions_Click);
    connect(m_lstFunctions, &QListWidget::itemActivated, this, &FrmEditor::lstFunctions_Click);

    m_lstOperators = new QListWidget(area);
    m_lstOperators->setObjectName(QStringLiteral("lstOperators"));
    const int operatorWidth = fontMetrics().horizontalAdvance(QStringLiteral("XOR")) * 2
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_lstOperators->resize(std::max(twipsToPixels(OperatorListWidth), operatorWidth), listHeight());
    connect(m_lstOperators, &QListWidget::itemClicked, this, &FrmEditor::lstOperators_Click);
    connect(m_lstOperators, &QListWidget::itemActivated, this, &FrmEditor::lstOperators_Click);

    for (QWidget *list : {static_cast<QWidget *>(m_lvwFields),
             static_cast<QWidget *>(m_lstFunctions), static_cast<QWidget *>(m_lstOperators)}) {
        list->hide();
        list->raise();
    }
    return area;
}

void FrmEditor::connectTextEvents()
{
    m_editCommands = std::make_unique<EditCommands>(*m_rtfSyntax, editControls(), m_dialogs);
    const auto connectCommand = [this](const char *name, auto command, const char *procedure) {
        connect(menuItem(name), &QAction::triggered, this, [this, command, procedure] {
            (m_editCommands.get()->*command)(QLatin1String(procedure));
        });
    };
    connectCommand("mnuCut", &EditCommands::Cut, "mnuCut_Click");
    connectCommand("mnuCopy", &EditCommands::Copy, "mnuCopy_Click");
    connectCommand("mnuPaste", &EditCommands::Paste, "mnuPaste_Click");
    connectCommand("mnuPopCut", &EditCommands::Cut, "mnuPopCut_Click");
    connectCommand("mnuPopCopy", &EditCommands::Copy, "mnuPopCopy_Click");
    connectCommand("mnuPopPaste", &EditCommands::Paste, "mnuPopPaste_Click");
    connect(menuItem("mnuUndo"), &QAction::triggered, m_editCommands.get(),
        &EditCommands::mnuUndo_Click);
    connect(m_rtfSyntax, &RtbSyntax::Change, this, &FrmEditor::rtfSyntax_Change);
    connect(m_rtfSyntax, &RtbSyntax::Click, this, &FrmEditor::rtfSyntax_Click);
}

EditCommands::Controls FrmEditor::editControls() const
{
    const QString paste = QStringLiteral("Paste");
    return {{button(QStringLiteral("Copy")), button(QStringLiteral("Cut")), menuItem("mnuCut"),
                menuItem("mnuCopy"), menuItem("mnuPopCut"), menuItem("mnuPopCopy")},
        {button(paste), menuItem("mnuPaste"), menuItem("mnuPopPaste")}, button(paste),
        menuItem("mnuUndo"), findChild<QMenu *>(QStringLiteral("mnuPopup"))};
}

QAction *FrmEditor::menuItem(const char *name) const
{
    return findChild<QAction *>(QLatin1String(name));
}

void FrmEditor::setHandBackTarget(std::function<void(const QString &)> target)
{
    m_handBackTarget = std::move(target);
}

void FrmEditor::setPreview(EditorPreview *preview)
{
    m_preview = preview;
    button(QStringLiteral("PreviewMode"))->setEnabled(preview != nullptr);
}

void FrmEditor::showModal()
{
    Form_Load();
    exec();
}

void FrmEditor::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    int step = 1;
    try {
        openHostDatabase();
        step = 2;
        applyModeTexts();
        step = 3;
        Load_Functions();
        Load_Operators();
        fillPickLists();
        step = 4;
        bChanged = false;
        step = 5;
        PopulateACTLists(*m_fields, m_dialogs).Populate_lvwFields(*m_lvwFields, fieldTypes());
        step = 6;
        loadStartFile();
        step = 7;
        restoreSize();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Load"), step);
    }
}

void FrmEditor::openHostDatabase()
{
    m_fields = nullptr;
    if (!m_createDatabase)
        throw OrvantaError(OrvantaError::ObjectNotSet,
            QStringLiteral("The editor was given no host database to read the fields from"));
    m_database = m_createDatabase();
    m_database->OpenEx(QString());
    m_fields = m_mode.kind() == EditorMode::Contact ? &m_database->ContactFields()
                                                    : &m_database->GroupFields();
}

void FrmEditor::applyModeTexts()
{
    setWindowTitle(m_mode.caption());
    m_lvwFields->setFieldHeading(m_mode.fieldHeading());
    m_mnuInsertField->setText(m_mode.insertFieldCaption());
    button(QStringLiteral("InsertField"))->setToolTip(m_mode.insertFieldTooltip());
}

void FrmEditor::Load_Functions()
{
    sFunctions = SyntaxCatalogue::entries(SyntaxCatalogue::List::Functions);
}

void FrmEditor::Load_Operators()
{
    sOperators.clear();
    for (const SyntaxCatalogue::Entry &entry :
        SyntaxCatalogue::entries(SyntaxCatalogue::List::Operators))
        sOperators << entry.insertedText;
}

// Both lists show their entries alphabetically; each entry carries its row as item data.
void FrmEditor::fillPickLists()
{
    const auto fill = [](QListWidget *list, const QStringList &texts) {
        list->clear();
        for (qsizetype row = 0; row < texts.size(); ++row) {
            if (texts.at(row).isEmpty())
                continue;
            auto *item = new QListWidgetItem(texts.at(row));
            item->setData(Qt::UserRole, int(row));
            list->addItem(item);
        }
        list->sortItems();
    };
    QStringList functionTexts;
    for (const SyntaxCatalogue::Entry &entry : sFunctions)
        functionTexts << entry.listText;
    fill(m_lstFunctions, functionTexts);
    fill(m_lstOperators, sOperators);
}

void FrmEditor::loadStartFile()
{
    if (sLoadedFile.isEmpty())
        return;
    try {
        loadText(sLoadedFile);
    } catch (const OrvantaError &error) {
        if (!isFileMissing(error))
            throw;
        sLoadedFile.clear();
        m_dialogs.message(NotFoundText, Dialogs::programTitle(), Dialogs::Buttons::Ok,
            Dialogs::Icon::Exclamation, Dialogs::Answer::Ok);
        return;
    }
    bChanged = false;
}

void FrmEditor::restoreSize()
{
    resize(qRound(storedTwips(*m_settings, Settings::EditorWidth) / TwipsPerPixel),
        qRound(storedTwips(*m_settings, Settings::EditorHeight) / TwipsPerPixel));
}

void FrmEditor::storeSize()
{
    m_settings->setValue(
        QLatin1String(Settings::EditorWidth), QString::number(float(width() * TwipsPerPixel)));
    m_settings->setValue(
        QLatin1String(Settings::EditorHeight), QString::number(float(height() * TwipsPerPixel)));
}

void FrmEditor::loadText(const QString &path)
{
    SyntaxFileCheck::ensureEditable(path, MaxFileBytes);
    m_rtfSyntax->LoadFile(path, RtbSyntax::rtfText);
    m_rtfSyntax->HighlightRefresh();
}

void FrmEditor::saveText(const QString &path)
{
    m_rtfSyntax->SaveFile(path, RtbSyntax::rtfText);
}

FileDialogs::Request FrmEditor::fileRequest(FileDialogs::Mode mode) const
{
    return {mode, AppPath(), m_mode.filter(), mode == FileDialogs::Mode::Open};
}

void FrmEditor::mnuNew_Click()
{
    try {
        m_rtfSyntax->setText(QString());
        sLoadedFile.clear();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("mnuNew_Click"), 1);
    }
}

// A file that cannot be loaded is reported and leaves the document as it was, so that a
// later Save cannot overwrite that file with the old text.
void FrmEditor::mnuOpen_Click()
{
    const std::optional<QString> path = m_fileDialogs->choose(fileRequest(FileDialogs::Mode::Open));
    if (!path)
        return;
    try {
        loadText(*path);
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("mnuOpen_Click"), 2);
        return;
    }
    sLoadedFile = *path;
    sSavedFile.clear();
    bChanged = false;
}

// A failed write keeps the text and its changes; a close that asked for it stays open.
void FrmEditor::mnuSave_Click()
{
    if (sLoadedFile.isEmpty()) {
        mnuSaveAs_Click();
        return;
    }
    try {
        saveText(sLoadedFile);
    } catch (const OrvantaError &error) {
        bCancelClose = true;
        report(error, QStringLiteral("mnuSave_Click"), 1);
        return;
    }
    sSavedFile = sLoadedFile;
    bChanged = false;
}

// Cancelling, declining to replace a file or failing to write leaves everything as it
// was and keeps a close that asked for the save open.
void FrmEditor::mnuSaveAs_Click()
{
    const std::optional<QString> path = m_fileDialogs->choose(fileRequest(FileDialogs::Mode::Save));
    if (!path) {
        bCancelClose = true;
        return;
    }
    if (FileExists(*path)
        && m_dialogs.message(ReplaceText, Dialogs::programTitle(), Dialogs::Buttons::YesNo,
               Dialogs::Icon::Exclamation, Dialogs::Answer::No)
            != Dialogs::Answer::Yes) {
        bCancelClose = true;
        return;
    }
    try {
        saveText(*path);
    } catch (const OrvantaError &) {
        bCancelClose = true;
        return;
    }
    // The file saved to becomes the document's own: a later Save writes there again.
    sLoadedFile = *path;
    sSavedFile = *path;
    bChanged = false;
}

void FrmEditor::mnuExit_Click()
{
    close();
}

void FrmEditor::closeEvent(QCloseEvent *event)
{
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

// True when the window may close. The hand-back and the size are written either way.
bool FrmEditor::Form_Unload()
{
    int step = 1;
    try {
        bCancelClose = false;
        Update_Lists(false, false, false);
        step = 2;
        if (bChanged
            && m_dialogs.message(SaveChangesText, Dialogs::programTitle(), Dialogs::Buttons::YesNo,
                   Dialogs::Icon::Exclamation, Dialogs::Answer::Yes)
                == Dialogs::Answer::Yes)
            mnuSave_Click();
        step = 3;
        writeHandBack();
        step = 4;
        storeSize();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Unload"), step);
    }
    return !bCancelClose;
}

void FrmEditor::writeHandBack()
{
    m_handBack = HandBack::forDocument(m_rtfSyntax->Text(), sLoadedFile, sSavedFile, bChanged);
    if (m_handBackTarget)
        m_handBackTarget(m_handBack);
}

void FrmEditor::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!isMinimized())
        Update_Lists(false, false, false);
}

void FrmEditor::mousePressEvent(QMouseEvent *event)
{
    Update_Lists(false, false, false);
    QDialog::mousePressEvent(event);
}

void FrmEditor::reject()
{
    cmdCancelList_Click();
}

void FrmEditor::cmdCancelList_Click()
{
    Update_Lists(false, false, false);
}

void FrmEditor::tlb1_ButtonClick(QAction *clicked)
{
    Update_Lists(false, false, false);
    const QString key = clicked->data().toString();
    if (key == QLatin1String("Open"))
        mnuOpen_Click();
    else if (key == QLatin1String("SaveAs"))
        mnuSave_Click();
    else if (key == QLatin1String("Cut"))
        m_editCommands->Cut(QStringLiteral("tlb1_ButtonClick"));
    else if (key == QLatin1String("Copy"))
        m_editCommands->Copy(QStringLiteral("tlb1_ButtonClick"));
    else if (key == QLatin1String("Paste"))
        m_editCommands->Paste(QStringLiteral("tlb1_ButtonClick"));
    else if (key == QLatin1String("InsertField"))
        mnuInsertField_Click();
    else if (key == QLatin1String("InsertFunction"))
        mnuInsertFunction_Click();
    else if (key == QLatin1String("InsertOperator"))
        mnuInsertOperator_Click();
    else if (key == QLatin1String("InsertComment"))
        mnuInsertComment_Click();
    else if (key == QLatin1String("PreviewMode"))
        Prepare_For_Preview();
}

void FrmEditor::mnuInsertField_Click()
{
    if (m_lvwFields->isVisible())
        Update_Lists(false, false, false);
    else
        Update_Lists(true, false, false);
}

void FrmEditor::mnuInsertFunction_Click()
{
    if (m_lstFunctions->isVisible())
        Update_Lists(false, false, false);
    else
        Update_Lists(false, true, false);
}

void FrmEditor::mnuInsertOperator_Click()
{
    Update_Lists(false, false, true);
}

void FrmEditor::mnuInsertComment_Click()
{
    try {
        m_rtfSyntax->setSelText(QStringLiteral("' Comment"));
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("mnuInsertComment_Click"), 1);
    }
}

void FrmEditor::Update_Lists(bool fields, bool functions, bool operators)
{
    const struct
    {
        QWidget *list;
        bool visible;
        const char *key;
    } lists[]
        = {{m_lvwFields, fields, "InsertField"}, {m_lstFunctions, functions, "InsertFunction"},
            {m_lstOperators, operators, "InsertOperator"}};
    for (const auto &entry : lists) {
        if (entry.visible && !entry.list->isVisible())
            placeUnderButton(entry.list, QLatin1String(entry.key));
        entry.list->setVisible(entry.visible);
        if (entry.visible)
            entry.list->setFocus();
    }
}

int FrmEditor::listHeight() const
{
    const int rows = (fontMetrics().height() + 4) * ListRows + 4;
    return std::max(twipsToPixels(ListHeight), rows);
}

// A list drops down from the toolbar button that opened it, kept inside the text area.
void FrmEditor::placeUnderButton(QWidget *list, const QString &key)
{
    list->resize(list->width(), std::min(listHeight(), list->parentWidget()->height()));
    const QWidget *buttonWidget = m_tlb1->widgetForAction(button(key));
    const int buttonLeft = buttonWidget ? m_tlb1->mapTo(this, buttonWidget->pos()).x() : 0;
    const int widest = std::max(0, list->parentWidget()->width() - list->width());
    list->move(std::clamp(buttonLeft, 0, widest), 0);
}

void FrmEditor::lstFunctions_Click(QListWidgetItem *item)
{
    if (!m_lstFunctions->isVisible() || !item)
        return;
    try {
        m_rtfSyntax->innerBox()->setFocus();
        m_rtfSyntax->setSelText(sFunctions.at(item->data(Qt::UserRole).toInt()).insertedText);
        m_lstFunctions->hide();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("lstFunctions_Click"), 2);
    }
}

void FrmEditor::lstOperators_Click(QListWidgetItem *item)
{
    if (!m_lstOperators->isVisible() || !item)
        return;
    try {
        m_rtfSyntax->innerBox()->setFocus();
        m_rtfSyntax->setSelText(item->text());
        m_lstOperators->hide();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("lstOperators_Click"), 2);
    }
}

// The reference replaces a placeholder under the caret whole. The list had the focus;
// it goes back to the text so that typing can go on.
void FrmEditor::lvwFields_Click()
{
    if (!m_lvwFields->isVisible())
        return;
    try {
        m_lvwFields->hide();
        const QString reference = m_lvwFields->selectedReference();
        if (reference.isEmpty())
            return;
        m_editCommands->GetRid_Red();
        m_rtfSyntax->setSelText(reference);
        m_rtfSyntax->innerBox()->setFocus();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("lvwFields_Click"), 3);
    }
}

void FrmEditor::rtfSyntax_Change()
{
    bChanged = true;
    m_editCommands->textChanged();
}

void FrmEditor::rtfSyntax_Click()
{
    try {
        Update_Lists(false, false, false);
        m_editCommands->Select_Red();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("rtfSyntax_Click"), 1);
    }
}

void FrmEditor::Prepare_For_Preview()
{
    if (!m_preview)
        return;
    try {
        vCalcs = splitCalculations(m_rtfSyntax->Text());
        if (vCalcs.size() >= 2)
            m_preview->showChooser(vCalcs);
        else
            m_preview->showPreview(m_rtfSyntax->Text());
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Prepare_For_Preview"), 1);
    }
}

QStringList FrmEditor::splitCalculations(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\\/"));
}

void FrmEditor::report(const OrvantaError &error, const QString &procedure, int step)
{
    ErrorReport(QStringLiteral("frmEditor"), ErrorReport::Kind::Sub, procedure)
        .show(m_dialogs, error, step);
}
