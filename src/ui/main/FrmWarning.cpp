#include "FrmWarning.h"

#include "ContactListWarning.h"
#include "Settings.h"
#include "Twips.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int FormWidth = 5490;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int PictureSize = 480;

} // namespace

FrmWarning::FrmWarning(Settings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmWarning"));
    setWindowTitle(ContactListWarning::caption());
    buildControls();
    setFixedWidth(twipsToPixels(FormWidth));
    setFixedHeight(sizeHint().height());
}

void FrmWarning::buildControls()
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgWarning"));
    const int side = twipsToPixels(PictureSize);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);

    auto *lblWarning = new QLabel(ContactListWarning::text(), this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);

    m_chkDoNotShow = new QCheckBox(ContactListWarning::doNotShowText(), this);
    m_chkDoNotShow->setObjectName(QStringLiteral("chkDoNotShow"));

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setFixedSize(twipsToPixels(ButtonWidth), twipsToPixels(ButtonHeight));
    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *message = new QHBoxLayout;
    message->addWidget(picture, 0, Qt::AlignTop);
    message->addWidget(lblWarning, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_chkDoNotShow, 1);
    bottom->addWidget(m_cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    setTabOrder(m_cmdOK, m_chkDoNotShow);
    m_cmdOK->setFocus();
}

void FrmWarning::done(int result)
{
    m_settings.setValue(QLatin1String(Settings::Warning),
        m_chkDoNotShow->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    QDialog::done(result);
}
