#include "ucAppInfo.h"

#include "ApplicationVersion.h"

#include "Platform/Twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

// Gap between the exit button and the panel's inner right and bottom edges.
constexpr int ExitButtonGap = 100; // twips

int px(int twips)
{
    return Platform::twipsToPixels(twips);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setGeometry(px(left), px(top), px(width), px(height));
    return result;
}

QLabel* image(QWidget* parent, const char* name, QStyle::StandardPixmap picture, int left, int top)
{
    auto* result = new QLabel(parent);
    result->setObjectName(name);
    result->setPixmap(parent->style()->standardIcon(picture).pixmap(32, 32));
    result->setGeometry(px(left), px(top), 32, 32);
    return result;
}

} // namespace

ucAppInfo::ucAppInfo(QWidget* parent, VersionSource source)
    : QWidget(parent), m_source(source ? std::move(source) : VersionSource(&ApplicationVersion))
{
    setObjectName("ucAppInfo");

    imgAppImage = image(this, "imgAppImage", QStyle::SP_MessageBoxInformation, 120, 120);
    lblTitle = label(this, "lblTitle", QString(), 840, 120, 5400, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblDescription = label(this, "lblDescription", QString(), 840, 720, 5400, 900);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* versions = new QGroupBox("Program versions", this);
    versions->setObjectName("fraVersions");
    versions->setGeometry(px(840), px(1740), px(6600), px(1140));
    Label1 = label(versions, "Label1", "Program:", 660, 300, 1200, 300);
    lblProgramVersion = label(versions, "lblProgramVersion", QString(), 1920, 300, 4560, 300);
    Label3 = label(versions, "Label3", "Copyright:", 660, 660, 1200, 300);
    lblCopyright = label(versions, "lblCopyright", QString(), 1920, 660, 4560, 300);
    Image2 = image(versions, "Image2", QStyle::SP_FileDialogInfoView, 120, 300);

    Image1 = image(this, "Image1", QStyle::SP_MessageBoxWarning, 120, 3060);
    lblDisclaimer = label(this, "lblDisclaimer", QString(), 840, 3060, 5400, 600);
    lblDisclaimer->setWordWrap(true);

    cmdExit = new QPushButton("E&xit", this);
    cmdExit->setObjectName("cmdExit");
    cmdExit->resize(px(1215), px(375));
    connect(cmdExit, &QPushButton::clicked, this, &ucAppInfo::cmdExit_Click);

    resize(px(7680), px(4200));
}

Platform::VersionInfo ucAppInfo::version() const
{
    return m_source();
}

QString ucAppInfo::AppDescription()
{
    return QString::fromStdString(version().description);
}

QString ucAppInfo::AppTitle()
{
    return lblTitle->text();
}

QString ucAppInfo::AppNodeText()
{
    return QString::fromStdString(version().title);
}

void ucAppInfo::refresh()
{
    const Platform::VersionInfo info = version();
    const QString title = QString::fromStdString(info.title);
    lblTitle->setText(title);
    lblProgramVersion->setText(VersionText(info));
    lblDescription->setText(title + " helps You to handle MP3-Tags." + " It supports ID3v1.0 and ID3v1.1 tags." +
                            " Select an Item to the left to access the features of the program.");
    lblCopyright->setText(QString::fromStdString(info.copyright));
}

void ucAppInfo::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void ucAppInfo::resizeEvent(QResizeEvent* event)
{
    cmdExit->move(width() - cmdExit->width() - px(ExitButtonGap), height() - cmdExit->height() - px(ExitButtonGap));
    QWidget::resizeEvent(event);
}

void ucAppInfo::cmdExit_Click()
{
    emit ExitApplication();
    QCoreApplication::quit();
}
