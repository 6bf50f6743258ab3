#include "ucAppInfo.h"

#include "ApplicationVersion.h"

#include "Platform/Twips.h"
#include "TwipsLayout.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <tuple>

namespace {

// Designed geometry in twips. The exit button keeps this gap to the panel's
// inner right and bottom edges; the texts keep RightGap to the right edge of
// what holds them.
constexpr int ExitButtonGap = 100;
constexpr int RightGap = 120;
constexpr int TextLeft = 840;
constexpr int TextWidth = 5400;
constexpr int TitleTop = 120, TitleHeight = 480;
constexpr int DescriptionTop = 720, DescriptionHeight = 900;
constexpr int VersionsTop = 1740, VersionsWidth = 6600, VersionsHeight = 1140;
constexpr int DisclaimerTop = 3060, DisclaimerHeight = 600;
constexpr int DesignedWidth = 7680, DesignedHeight = 4200;
// Inside the versions box: captions, then values beside them as long as
// their column keeps NarrowestValueColumn, else under them.
constexpr int CaptionLeft = 660, CaptionWidth = 1200, ValueLeft = 1920, ValueWidth = 4560;
constexpr int RowHeight = 300, FirstRowTop = 300, SecondRowTop = 660;
constexpr int NarrowestValueColumn = 1500;

int px(int twips)
{
    return Platform::twipsToPixels(twips);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    placeTwips(result, left, top, width, height);
    return result;
}

// A label whose text wraps where its width ends.
QLabel* wrapping(QLabel* label)
{
    label->setWordWrap(true);
    return label;
}

QLabel* image(QWidget* parent, const char* name, QStyle::StandardPixmap picture, int left, int top)
{
    auto* result = new QLabel(parent);
    result->setObjectName(name);
    result->setPixmap(parent->style()->standardIcon(picture).pixmap(32, 32));
    result->setGeometry(px(left), px(top), 32, 32);
    return result;
}

// The part of the panel that scrolls: everything but the exit button. At the
// designed width and wider its controls keep their designed geometry; when it
// is narrower the texts narrow and wrap, and what lies below a text that grew
// moves down by as much. Its narrowest width leaves every word whole.
class InfoBody : public QWidget
{
public:
    QLabel* imgAppImage = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QGroupBox* fraVersions = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblProgramVersion = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblDisclaimer = nullptr;

    explicit InfoBody(QWidget* parent) : QWidget(parent)
    {
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    // Arranges the controls again after their texts changed.
    void textsChanged()
    {
        arrange(width(), true);
        updateGeometry();
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(width, false); }
    QSize sizeHint() const override { return {px(DesignedWidth), arrange(px(DesignedWidth), false)}; }

    QSize minimumSizeHint() const override
    {
        const auto widest = [](std::initializer_list<const QLabel*> labels) {
            int result = 0;
            for (const QLabel* l : labels)
                result = std::max(result, l->minimumSizeHint().width());
            return result;
        };
        const int column = widest({lblTitle, lblDescription, lblDisclaimer});
        const int versions =
            px(CaptionLeft) + widest({Label1, Label3, lblProgramVersion, lblCopyright}) + px(RightGap);
        return {px(TextLeft) + std::max(column, versions) + px(RightGap), 0};
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        arrange(width(), true);
        QWidget::resizeEvent(event);
    }

private:
    // Places the controls for a width (when apply is set) and returns the
    // height they need.
    int arrange(int width, bool apply) const
    {
        int shift = 0;  // how far the texts above pushed what follows
        int bottom = 0; // the lowest edge of anything shown
        const auto place = [apply](QWidget* w, int left, int top, int wide, int high) {
            if (apply)
                w->setGeometry(left, top, wide, high);
        };
        const auto columnText = [&](QLabel* text, int top, int designedWidth, int designedHeight) {
            const int wide = std::max(1, std::min(px(designedWidth), width - px(TextLeft) - px(RightGap)));
            const int needed = text->heightForWidth(wide);
            const int high = std::max(px(designedHeight), needed);
            place(text, px(TextLeft), px(top) + shift, wide, high);
            bottom = std::max(bottom, px(top) + shift + needed);
            shift += high - px(designedHeight);
        };

        place(imgAppImage, px(120), px(120), 32, 32);
        columnText(lblTitle, TitleTop, TextWidth, TitleHeight);
        columnText(lblDescription, DescriptionTop, TextWidth, DescriptionHeight);

        const int boxWidth = std::max(1, std::min(px(VersionsWidth), width - px(TextLeft) - px(RightGap)));
        const int besideWidth = std::min(px(ValueWidth), boxWidth - px(ValueLeft) - px(RightGap));
        const bool beside = besideWidth >= px(NarrowestValueColumn);
        int inner = 0; // how far the rows of the box moved down
        for (const auto& [caption, value, top] : {std::tuple{Label1, lblProgramVersion, FirstRowTop},
                                                  std::tuple{Label3, lblCopyright, SecondRowTop}}) {
            const int rowTop = px(top) + inner;
            place(caption, px(CaptionLeft), rowTop, px(CaptionWidth), px(RowHeight));
            const int valueLeft = beside ? px(ValueLeft) : px(CaptionLeft);
            const int valueTop = beside ? rowTop : rowTop + px(RowHeight);
            const int valueWidth = std::max(1, beside ? besideWidth : boxWidth - valueLeft - px(RightGap));
            const int valueHeight = std::max(px(RowHeight), value->heightForWidth(valueWidth));
            place(value, valueLeft, valueTop, valueWidth, valueHeight);
            inner += valueTop + valueHeight - (rowTop + px(RowHeight));
        }
        const int boxHeight = px(VersionsHeight) + inner;
        place(fraVersions, px(TextLeft), px(VersionsTop) + shift, boxWidth, boxHeight);
        bottom = std::max(bottom, px(VersionsTop) + shift + boxHeight);
        shift += inner;

        place(Image1, px(120), px(DisclaimerTop) + shift, 32, 32);
        bottom = std::max(bottom, px(DisclaimerTop) + shift + 32);
        columnText(lblDisclaimer, DisclaimerTop, TextWidth, DisclaimerHeight);
        return bottom;
    }
};

} // namespace

ucAppInfo::ucAppInfo(QWidget* parent, VersionSource source)
    : QWidget(parent), m_source(source ? std::move(source) : VersionSource(&ApplicationVersion))
{
    setObjectName("ucAppInfo");

    scrInfo = new QScrollArea(this);
    scrInfo->setObjectName("scrInfo");
    scrInfo->setFrameShape(QFrame::NoFrame);
    scrInfo->setWidgetResizable(true);
    scrInfo->setAccessibleName(tr("Program information"));
    auto* body = new InfoBody(scrInfo);
    body->setObjectName("picInfo");

    imgAppImage = image(body, "imgAppImage", QStyle::SP_MessageBoxInformation, 120, 120);
    lblTitle = wrapping(label(body, "lblTitle", QString(), TextLeft, TitleTop, TextWidth, TitleHeight));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblDescription = wrapping(
        label(body, "lblDescription", QString(), TextLeft, DescriptionTop, TextWidth, DescriptionHeight));
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* versions = new QGroupBox(tr("Program versions"), body);
    versions->setObjectName("fraVersions");
    placeTwips(versions, TextLeft, VersionsTop, VersionsWidth, VersionsHeight);
    Label1 = label(versions, "Label1", tr("Program:"), CaptionLeft, FirstRowTop, CaptionWidth, RowHeight);
    lblProgramVersion = wrapping(
        label(versions, "lblProgramVersion", QString(), ValueLeft, FirstRowTop, ValueWidth, RowHeight));
    Label3 = label(versions, "Label3", tr("Copyright:"), CaptionLeft, SecondRowTop, CaptionWidth, RowHeight);
    lblCopyright =
        wrapping(label(versions, "lblCopyright", QString(), ValueLeft, SecondRowTop, ValueWidth, RowHeight));
    Image2 = image(versions, "Image2", QStyle::SP_FileDialogInfoView, 120, 300);

    Image1 = image(body, "Image1", QStyle::SP_MessageBoxWarning, 120, DisclaimerTop);
    lblDisclaimer =
        label(body, "lblDisclaimer", QString(), TextLeft, DisclaimerTop, TextWidth, DisclaimerHeight);
    lblDisclaimer->setWordWrap(true);

    body->imgAppImage = imgAppImage;
    body->lblTitle = lblTitle;
    body->lblDescription = lblDescription;
    body->fraVersions = versions;
    body->Label1 = Label1;
    body->lblProgramVersion = lblProgramVersion;
    body->Label3 = Label3;
    body->lblCopyright = lblCopyright;
    body->Image1 = Image1;
    body->lblDisclaimer = lblDisclaimer;
    scrInfo->setWidget(body);
    // The area is a stop for the keyboard only while there is something to scroll.
    const auto takeFocusWhenScrolling = [this] {
        const bool scrolls =
            scrInfo->verticalScrollBar()->maximum() > 0 || scrInfo->horizontalScrollBar()->maximum() > 0;
        scrInfo->setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    };
    takeFocusWhenScrolling();
    connect(scrInfo->verticalScrollBar(), &QScrollBar::rangeChanged, this, takeFocusWhenScrolling);
    connect(scrInfo->horizontalScrollBar(), &QScrollBar::rangeChanged, this, takeFocusWhenScrolling);

    cmdExit = new QPushButton(tr("E&xit"), this);
    cmdExit->setObjectName("cmdExit");
    cmdExit->setAccessibleDescription(tr("Close the program"));
    cmdExit->resize(px(1215), px(375));
    connect(cmdExit, &QPushButton::clicked, this, &ucAppInfo::cmdExit_Click);

    resize(px(DesignedWidth), px(DesignedHeight));
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
    lblDescription->setText(tr("%1 helps You to handle MP3-Tags. It supports ID3v1.0 and ID3v1.1 tags. "
                               "Select an Item to the left to access the features of the program.")
                                .arg(title));
    lblCopyright->setText(QString::fromStdString(info.copyright));
    static_cast<InfoBody*>(scrInfo->widget())->textsChanged();
}

void ucAppInfo::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void ucAppInfo::resizeEvent(QResizeEvent* event)
{
    cmdExit->move(width() - cmdExit->width() - px(ExitButtonGap),
                  height() - cmdExit->height() - px(ExitButtonGap));
    // The texts take the room above the exit button's row.
    scrInfo->setGeometry(0, 0, width(), std::max(0, cmdExit->y() - px(ExitButtonGap)));
    QWidget::resizeEvent(event);
}

void ucAppInfo::cmdExit_Click()
{
    emit ExitApplication();
    QCoreApplication::quit();
}
