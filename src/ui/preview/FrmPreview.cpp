#include "FrmPreview.h"

#include "Dialogs.h"
#include "ErrorReport.h"
#include "HostApplication.h"
#include "LocaleInfo.h"
#include "OrvantaError.h"
#include "RtbSyntax.h"
#include "RunState.h"
#include "Twips.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int EditorTopOffset = 250;
constexpr int SyntaxWidthMargin = 80;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
const QColor ErrorColour(255, 0, 0); // 255 with red in the low byte
const QColor ResultColour(0, 128, 0); // 32768

void styleLabel(QLabel *label, int points, const QColor &colour)
{
    QFont font = label->font();
    font.setPointSize(points);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

FrmPreview::FrmPreview(RunState &state, Dialogs &dialogs, QWidget *editor)
    : QDialog(editor)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_editor(editor)
    , m_evaluator(userLocale(), dialogs)
    , m_preview(state, m_evaluator, dialogs, m_settings)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview and Test"));
    buildControls();
}

FrmPreview::~FrmPreview()
{
    if (m_eventsAdvised && m_state.hostApplication)
        m_state.hostApplication->AdviseEvents(nullptr);
}

void FrmPreview::buildControls()
{
    m_rtfSyntax = new RtbSyntax(this);
    m_rtfSyntax->setObjectName(QStringLiteral("rtfSyntax"));
    m_rtfSyntax->setLocked(true);
    connect(m_rtfSyntax, &RtbSyntax::KeyPress, this, [this](int &keyAscii) {
        keyAscii = 0;
        keepShownText();
    });
    connect(m_rtfSyntax, &RtbSyntax::Change, this, &FrmPreview::keepShownText);

    m_lblResult
        = new QLabel(QStringLiteral("Result of the calculation for the current contact:"), this);
    m_lblResult->setObjectName(QStringLiteral("lblResult"));
    m_lblResultCalc = new QLabel(pressRunText(), this);
    m_lblResultCalc->setObjectName(QStringLiteral("lblResultCalc"));
    m_lblResultCalc->setWordWrap(true);
    m_lblResultCalc->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_cmdRun = new QPushButton(QStringLiteral("&Run test"), this);
    m_cmdRun->setObjectName(QStringLiteral("cmdRun"));
    m_cmdRun->setFixedSize(twipsToPixels(ButtonWidth), twipsToPixels(ButtonHeight));
    m_cmdRun->setDefault(true);
    connect(m_cmdRun, &QPushButton::clicked, this, &FrmPreview::cmdRun_Click);

    m_tvwSteps = new QTreeWidget(this);
    m_tvwSteps->setObjectName(QStringLiteral("tvwSteps"));
    m_tvwSteps->setHeaderLabels({QStringLiteral("Step"), QStringLiteral("Value")});
    m_tvwSteps->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tvwSteps->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_tvwSteps->header()->setStretchLastSection(false);
    m_tvwSteps->setRootIsDecorated(true);

    auto *result = new QHBoxLayout;
    result->addWidget(m_lblResultCalc, 1);
    result->addWidget(m_cmdRun, 0, Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(
        twipsToPixels(SyntaxWidthMargin / 2), 4, twipsToPixels(SyntaxWidthMargin / 2), 6);
    layout->addWidget(m_rtfSyntax, 3);
    layout->addWidget(m_lblResult);
    layout->addLayout(result);
    layout->addWidget(m_tvwSteps, 2);
}

void FrmPreview::showModal()
{
    Form_Load();
    exec();
}

void FrmPreview::Form_Load()
{
    int step = 1;
    try {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        step = 2;
        if (m_state.hostApplication) {
            m_state.hostApplication->AdviseEvents(this);
            m_eventsAdvised = true;
        }
        step = 3;
        placeOverEditor();
        step = 4;
        m_preview.load(sTextToPreview);
        step = 5;
        Update_rtf();
        step = 6;
        if (m_preview.targetText().isEmpty())
            m_dialogs.inform(QStringLiteral("No target field specified!"));
        step = 7;
        if (m_preview.substituted().isEmpty()) {
            m_cmdRun->setEnabled(false);
            m_lblResultCalc->setText(QStringLiteral("No calculation to test!"));
        }
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Form_Load"), step);
    }
}

void FrmPreview::placeOverEditor()
{
    if (!m_editor) {
        resize(twipsToPixels(9000), twipsToPixels(6000));
        return;
    }
    const QRect editor = m_editor->frameGeometry();
    resize(m_editor->size());
    move(editor.left(), editor.top() + twipsToPixels(EditorTopOffset));
}

void FrmPreview::Update_rtf()
{
    int step = 1;
    try {
        m_preview.refresh();
        step = 3;
        m_rtfSyntax->setText(m_preview.shownText());
        step = 4;
        m_lblResultCalc->setText(pressRunText());
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("Update_rtf"), step);
    }
}

void FrmPreview::cmdRun_Click()
{
    try {
        showResult(m_preview.test());
        raise();
        activateWindow();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("cmdRun_Click"), 1);
    }
}

void FrmPreview::showResult(const StatementPreview::Test &test)
{
    m_lblResultCalc->setText(test.text);
    if (test.outcome == StatementPreview::Test::Outcome::Error)
        styleLabel(m_lblResultCalc, 9, ErrorColour);
    else if (test.outcome == StatementPreview::Test::Outcome::Value)
        styleLabel(m_lblResultCalc, 12, ResultColour);
    showSteps(test.steps);
}

// Steps come innermost first; the steps just before one, one level deeper, are its parts.
void FrmPreview::showSteps(const QList<EvalStep> &steps)
{
    m_tvwSteps->clear();
    QList<std::pair<int, QTreeWidgetItem *>> open;
    for (const EvalStep &step : steps) {
        auto *item = new QTreeWidgetItem(
            {step.text, step.failed ? QStringLiteral("Error: ") + step.error : step.value});
        item->setToolTip(0, step.text);
        item->setToolTip(1, item->text(1));
        if (step.failed) {
            item->setForeground(0, ErrorColour);
            item->setForeground(1, ErrorColour);
        }
        qsizetype first = open.size();
        while (first > 0 && open.at(first - 1).first > step.depth)
            --first;
        for (qsizetype i = first; i < open.size(); ++i)
            item->addChild(open.at(i).second);
        open.erase(open.begin() + first, open.end());
        open.append({step.depth, item});
    }
    for (const auto &[depth, item] : open)
        m_tvwSteps->addTopLevelItem(item);
    m_tvwSteps->expandAll();
}

void FrmPreview::keepShownText()
{
    const QString shown = m_preview.shownText();
    if (m_rtfSyntax->Text() != shown)
        m_rtfSyntax->setText(shown);
}

void FrmPreview::report(const OrvantaError &error, const QString &procedure, int step)
{
    ErrorReport(QStringLiteral("frmPreview"), ErrorReport::Kind::Sub, procedure)
        .show(m_dialogs, error, step);
}

void FrmPreview::refreshFromHost()
{
    try {
        m_preview.followHost();
    } catch (const OrvantaError &error) {
        report(error, QStringLiteral("ActEvent2"), 1);
        return;
    }
    Update_rtf();
}

void FrmPreview::OnContactChange(const QString &)
{
    refreshFromHost();
}

void FrmPreview::OnGroupChange(const QString &)
{
    refreshFromHost();
}

void FrmPreview::OnContactPosChange(const QString &)
{
    refreshFromHost();
}

void FrmPreview::OnGroupPosChange(const QString &)
{
    refreshFromHost();
}

void FrmPreview::OnContactLookupChange()
{
    refreshFromHost();
}

// The view would go on reading the removed file: stop testing and say why.
void FrmPreview::OnHostGone()
{
    m_cmdRun->setEnabled(false);
    m_tvwSteps->clear();
    m_lblResultCalc->setText(hostGoneText());
    styleLabel(m_lblResultCalc, 9, ErrorColour);
}
