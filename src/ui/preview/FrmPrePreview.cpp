#include "FrmPrePreview.h"

#include "Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int FormWidth = 5700;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int ComboWidth = 1000;
} // namespace

FrmPrePreview::FrmPrePreview(
    const QStringList &vCalcs, std::function<void(const QString &)> preview, QWidget *parent)
    : QDialog(parent)
    , m_calcs(vCalcs)
    , m_preview(std::move(preview))
{
    setObjectName(QStringLiteral("frmPrePreview"));
    setWindowTitle(QStringLiteral("Select a calculation"));
    buildControls();
    setFixedWidth(twipsToPixels(FormWidth));
    setFixedHeight(sizeHint().height());
}

void FrmPrePreview::buildControls()
{
    auto *fra1 = new QGroupBox(this);
    fra1->setObjectName(QStringLiteral("fra1"));
    auto *lbl1 = new QLabel(QStringLiteral("Your syntax contains ")
            + QString::number(m_calcs.size()) + QStringLiteral(" calculations."),
        fra1);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    auto *lblSelect
        = new QLabel(QStringLiteral("Select the one you want to preview and test:"), fra1);
    lblSelect->setObjectName(QStringLiteral("lblSelect"));
    m_cboNumber = new QComboBox(fra1);
    m_cboNumber->setObjectName(QStringLiteral("cboNumber"));
    for (qsizetype n = 1; n <= m_calcs.size(); ++n)
        m_cboNumber->addItem(QString::number(n));
    m_cboNumber->setCurrentIndex(0);

    auto *cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setFixedSize(twipsToPixels(ButtonWidth), twipsToPixels(ButtonHeight));
    connect(cmdOK, &QPushButton::clicked, this, &FrmPrePreview::cmdOK_Click);
    auto *cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setFixedSize(twipsToPixels(ButtonWidth), twipsToPixels(ButtonHeight));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_cboNumber->setMinimumWidth(twipsToPixels(ComboWidth));
    auto *choice = new QHBoxLayout;
    choice->addWidget(m_cboNumber);
    choice->addStretch(1);
    auto *frame = new QVBoxLayout(fra1);
    frame->addWidget(lbl1);
    frame->addWidget(lblSelect);
    frame->addLayout(choice);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fra1);
    layout->addLayout(buttons);
}

void FrmPrePreview::cmdOK_Click()
{
    const qsizetype chosen = m_cboNumber->currentText().toInt() - 1;
    if (chosen >= 0 && chosen < m_calcs.size())
        m_preview(m_calcs.at(chosen));
    accept();
}
