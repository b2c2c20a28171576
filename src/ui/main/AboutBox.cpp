#include "AboutBox.h"

#include "OrvantaVersion.h"
#include "Twips.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int FormWidth = 5400;
constexpr int PictureSize = 480;

QString versionText()
{
    return QStringLiteral("Version %1").arg(QString::fromLatin1(OrvantaVersion));
}

} // namespace

AboutBox::AboutBox(const QString &programTitle, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + programTitle);

    auto *picture = new QLabel(this);
    const int side = twipsToPixels(PictureSize);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(side, side));

    auto *lblTitle = new QLabel(programTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    auto *lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto *lblDescription = new QLabel(
        QStringLiteral("Fills contact and group fields with values calculated from the other "
                       "fields of the same record."),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(6);
    texts->addWidget(lblDescription);

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    setFixedWidth(twipsToPixels(FormWidth));
    setFixedHeight(sizeHint().height());
}
