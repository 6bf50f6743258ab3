#include "About/frmAbout.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

const char* const frmAbout::ProgramCredit =
    QT_TRANSLATE_NOOP("frmAbout", "Written by The Legato developers.");

namespace {

QFrame* separatorLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QString moduleBaseName(const void* address)
{
    return QFileInfo(QString::fromStdString(Platform::ModuleFileName(address))).completeBaseName();
}

} // namespace

frmAbout::frmAbout(Variant variant, const void* moduleAddress, QWidget* parent)
    : frmAbout(variant, Platform::ModuleVersionInfo(moduleAddress), moduleBaseName(moduleAddress), parent)
{
}

frmAbout::frmAbout(Variant variant, const std::optional<Platform::VersionInfo>& info,
                   const QString& fallbackTitle, QWidget* parent)
    : QDialog(parent)
{
    build(variant);
    load(variant, info, fallbackTitle);
}

void frmAbout::build(Variant variant)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About MyApp"));
    setModal(true);

    m_icon = new QLabel(this);
    m_icon->setObjectName(variant == Variant::Library ? QStringLiteral("picAppIcon")
                                                      : QStringLiteral("picIcon"));
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_icon->setPixmap(icon.pixmap(32, 32));
    m_icon->setAlignment(Qt::AlignTop);

    m_lblTitle = new QLabel(tr("Application Title"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_lblTitle->setFont(titleFont);

    m_lblVersion = new QLabel(tr("Version"), this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));

    m_lblDescription =
        new QLabel(variant == Variant::Library ? tr("App Description") : tr(ProgramCredit), this);
    m_lblDescription->setObjectName(QStringLiteral("lblDescription"));
    m_lblDescription->setWordWrap(true);

    m_lblDisclaimer = new QLabel(variant == Variant::Library ? tr("Warning: ...") : QString(), this);
    m_lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    m_lblDisclaimer->setWordWrap(true);

    m_cmdOK = new QPushButton(tr("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    // QDialog closes on Escape by itself: the button is also the cancel button.
    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_icon, 0, 0, 3, 1);
    grid->addWidget(m_lblTitle, 0, 1);
    grid->addWidget(m_lblVersion, 1, 1);
    grid->addWidget(m_lblDescription, 2, 1);
    grid->addWidget(separatorLine(this), 3, 0, 1, 2);
    grid->addWidget(m_lblDisclaimer, 4, 0, 1, 2);
    grid->addWidget(separatorLine(this), 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(360);
}

void frmAbout::load(Variant variant, const std::optional<Platform::VersionInfo>& info,
                    const QString& fallbackTitle)
{
    const QString title = info ? QString::fromStdString(info->title) : fallbackTitle;
    const Platform::VersionInfo none;
    const Platform::VersionInfo& v = info ? *info : none;
    setWindowTitle(tr("About %1").arg(title));
    m_lblVersion->setText(tr("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
    m_lblTitle->setText(title);
    if (variant == Variant::Library) {
        m_lblDescription->setText(QString::fromStdString(v.comments));
        m_lblDisclaimer->setText(QString::fromStdString(v.copyright));
    }
}
