#include "Vellum/Vellum.h"

#include "Vellum/FlatScrollBar.h"
#include "Vellum/PropertyStore.h"
#include "Vellum/RectangleShape.h"
#include "Vellum/TypeInfo.h"

#include "About/frmAbout.h"
#include "Platform/Numeric.h"
#include "Platform/RuntimeError.h"
#include "Platform/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace VellumCtl {

namespace {

// A control's own visibility setting, whether or not its parents are shown.
bool visibleSetting(const QWidget* w)
{
    return !w->isHidden();
}

// A control's own enabled setting, whether or not its parents are enabled.
bool enabledSetting(const QWidget* w)
{
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

Vellum::Vellum(QWidget* parent)
    : QWidget(parent), m_picFrame(new PictureBox(this)), m_picBorder(new PictureBox(m_picFrame)),
      m_shpBorder(new RectangleShape(m_picFrame)), m_picContainer(new PictureBox(m_picBorder)),
      m_scrVertical(new FlatScrollBar(Qt::Vertical, this)),
      m_scrHorizontal(new FlatScrollBar(Qt::Horizontal, this))
{
    m_picFrame->setObjectName(QStringLiteral("picFrame"));
    m_picBorder->setObjectName(QStringLiteral("picBorder"));
    m_shpBorder->setObjectName(QStringLiteral("shpBorder"));
    m_picContainer->setObjectName(QStringLiteral("picContainer"));
    m_scrVertical->setObjectName(QStringLiteral("scrVertical"));
    m_scrHorizontal->setObjectName(QStringLiteral("scrHorizontal"));

    // The designed state, which equals a load from an empty store.
    m_picFrame->setBorderStyle(1);
    m_picBorder->setBorderStyle(0);
    m_picContainer->setBorderStyle(0);
    m_scrVertical->setTop(0);
    m_picContainer->Move(0, 0, m_picContainer->Width(), m_picContainer->Height());
    m_shpBorder->raise();
    m_scrVertical->setVisible(true);
    m_scrHorizontal->setVisible(true);

    connect(m_scrVertical, &QScrollBar::valueChanged, this, &Vellum::onVerticalScroll);
    connect(m_scrHorizontal, &QScrollBar::valueChanged, this, &Vellum::onHorizontalScroll);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { scrollIntoView(now); });
}

Vellum::~Vellum()
{
    // The panes belong to the host: hand them back before our children go.
    for (auto& [content, owner] : m_contents) {
        if (content && owner && content->parentWidget() == m_picContainer) {
            content->hide();
            content->setParent(owner);
        }
    }
}

QList<QWidget*> Vellum::Controls() const
{
    return {m_picFrame, m_picBorder, m_shpBorder, m_picContainer, m_scrVertical, m_scrHorizontal};
}

void Vellum::setSliderAppereance(int appearance)
{
    m_scrHorizontal->setVisible(appearance == socHorizontalOnly || appearance == socBoth);
    m_scrVertical->setVisible(appearance == socVerticalOnly || appearance == socBoth);
    m_sliderAppearance = appearance;
    layoutControl();
    emit PropertyChanged(QStringLiteral("SliderAppereance"));
}

void Vellum::ShowAboutBox()
{
    frmAbout box(frmAbout::Variant::Library, reinterpret_cast<const void*>(&VellumMembers), this);
    box.exec();
}

void Vellum::setScrollContent(QWidget* content)
{
    auto* box = qobject_cast<PictureBox*>(content);
    if (!box || box == m_picContainer || box->isAncestorOf(m_picContainer))
        return;
    box->Move(0, 0, box->Width(), box->Height());
    box->setBorderStyle(0);
    box->setVisible(true);
    m_picContainer->Move(m_picContainer->Left(), m_picContainer->Top(), box->Width(), box->Height());
    if (box->parentWidget() != m_picContainer) {
        m_contents.emplace_back(box, box->parentWidget());
        box->setParent(m_picContainer);
        box->move(0, 0);
        box->show();
    }
    layoutControl();
}

void Vellum::setBorderLeft(int left)
{
    m_border.Left = left;
    layoutControl();
}

void Vellum::setBorderRight(int right)
{
    m_border.Right = right;
    layoutControl();
}

void Vellum::setBorderTop(int top)
{
    m_border.Top = top;
    layoutControl();
}

void Vellum::setBorderBottom(int bottom)
{
    m_border.Bottom = bottom;
    layoutControl();
}

void Vellum::setBorder(const VellumBorderDimension& border)
{
    m_border = border;
    layoutControl();
}

bool Vellum::BorderVisible() const
{
    return m_picFrame->BorderStyle() == 1;
}

void Vellum::setBorderVisible(bool visible)
{
    m_picFrame->setBorderStyle(visible ? 1 : 0);
    layoutControl();
}

bool Vellum::BorderInnerVisible() const
{
    return visibleSetting(m_shpBorder);
}

void Vellum::setBorderInnerVisible(bool visible)
{
    m_shpBorder->setVisible(visible);
    layoutControl();
}

int Vellum::SliderVertValue() const
{
    return m_scrVertical->value();
}

void Vellum::setSliderVertValue(int value)
{
    setPositionIfInRange(m_scrVertical, value);
}

int Vellum::SliderHorValue() const
{
    return m_scrHorizontal->value();
}

void Vellum::setSliderHorValue(int value)
{
    setPositionIfInRange(m_scrHorizontal, value);
}

void Vellum::setPositionIfInRange(FlatScrollBar* bar, int value)
{
    if (value >= 0 && value <= bar->maximum())
        bar->setValue(value);
}

void Vellum::SetParentObject(QWidget* content, QWidget* container)
{
    if (!content || !container)
        throw Platform::RuntimeError(91, "Vellum", "Object variable or With block variable not set");
    if (content == container || content->isAncestorOf(container))
        throw Platform::RuntimeError(5, "Vellum", "Invalid procedure call or argument");
    const bool shown = !content->isHidden();
    const QPoint position = content->pos();
    content->setParent(container);
    content->move(position);
    if (shown)
        content->show();
}

void Vellum::ResizeScrollContent() {}

int Vellum::ScaleHeight() const
{
    return static_cast<int>(Platform::RoundHalfEven(m_picBorder->ScaleHeight()));
}

int Vellum::ScaleWidth() const
{
    return static_cast<int>(Platform::RoundHalfEven(m_picBorder->ScaleWidth()));
}

void Vellum::Resize()
{
    if (m_resizeGuard)
        return;
    m_resizeGuard = true;
    resizeToContainer();
    m_resizeGuard = false;
}

void Vellum::resizeToContainer()
{
    // The container's inner area is what it calls its scale size.
    QWidget* container = parentWidget();
    if (!container)
        return;
    const QRect inner = container->contentsRect();
    move(inner.topLeft());
    resize(inner.width(), inner.height());
}

void Vellum::InitProperties()
{
    m_border = {NewInstanceMargin, NewInstanceMargin, NewInstanceMargin, NewInstanceMargin};
    setBorderVisible(true);
    setBorderInnerVisible(true);
    setSliderAppereance(socBoth);
    placeFrame();
}

void Vellum::WriteProperties(PropertyStore& store) const
{
    store.WriteProperty(QStringLiteral("SliderAppereance"), m_sliderAppearance, int{socBoth});
    store.WriteProperty(QStringLiteral("BorderLeft"), m_border.Left);
    store.WriteProperty(QStringLiteral("BorderRight"), m_border.Right);
    store.WriteProperty(QStringLiteral("BorderTop"), m_border.Top);
    store.WriteProperty(QStringLiteral("BorderBottom"), m_border.Bottom);
    store.WriteProperty(QStringLiteral("BorderInnerVisible"), visibleSetting(m_shpBorder));
    store.WriteProperty(QStringLiteral("BorderVisible"), m_picFrame->BorderStyle() == 1);
    store.WriteProperty(QStringLiteral("AutoResize"), m_autoResize);
}

void Vellum::ReadProperties(const PropertyStore& store)
{
    setSliderAppereance(store.ReadProperty(QStringLiteral("SliderAppereance"), int{socBoth}).toInt());
    m_border.Left = store.ReadProperty(QStringLiteral("BorderLeft"), 0).toInt();
    m_border.Right = store.ReadProperty(QStringLiteral("BorderRight"), 0).toInt();
    m_border.Top = store.ReadProperty(QStringLiteral("BorderTop"), 0).toInt();
    m_border.Bottom = store.ReadProperty(QStringLiteral("BorderBottom"), 0).toInt();
    m_shpBorder->setVisible(store.ReadProperty(QStringLiteral("BorderInnerVisible"), true).toBool());
    setBorderVisible(store.ReadProperty(QStringLiteral("BorderVisible"), 1).toBool());
    setAutoResize(store.ReadProperty(QStringLiteral("AutoResize"), false).toBool());
}

void Vellum::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControl();
}

void Vellum::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    // The form whose resizes drive auto-resize: our window, or our parent when
    // that is itself a window.
    QWidget* form = window() != this ? window() : nullptr;
    if (parentWidget() && parentWidget()->isWindow())
        form = parentWidget();
    m_hostingForm = form;
    if (form)
        form->installEventFilter(this);
    m_shown = true;
    layoutControl();
}

bool Vellum::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_hostingForm && event->type() == QEvent::Resize && m_autoResize)
        Resize();
    return QWidget::eventFilter(watched, event);
}

void Vellum::layoutControl()
{
    if (m_autoResize)
        Resize();
    if (!m_shown)
        return;

    const double W = Platform::pixelsToTwips(width());
    const double H = Platform::pixelsToTwips(height());
    const double vW = visibleSetting(m_scrVertical) ? m_scrVertical->Width() : 0;
    const double hH = visibleSetting(m_scrHorizontal) ? m_scrHorizontal->Height() : 0;

    if (visibleSetting(m_scrVertical)) {
        const double top = m_scrVertical->Top();
        m_scrVertical->Move(W - vW, top, vW, std::max(0.0, H - (top + hH)));
    }
    if (visibleSetting(m_scrHorizontal))
        m_scrHorizontal->Move(0, H - hH, std::max(0.0, W - vW), m_scrHorizontal->Height());
    placeFrame();

    const double FW = m_picFrame->Width();
    const double FH = m_picFrame->Height();
    const double left = m_border.Left;
    const double top = m_border.Top;
    m_picBorder->Move(left, top, std::max(0.0, FW - left - m_border.Right - ViewportInset),
                      std::max(0.0, FH - top - m_border.Bottom - ViewportInset));
    if (visibleSetting(m_shpBorder)) {
        m_shpBorder->Move(m_picBorder->Left() - InnerBorderOffset, m_picBorder->Top() - InnerBorderOffset,
                          m_picBorder->Width() + InnerBorderGrowth,
                          m_picBorder->Height() + InnerBorderGrowth);
    }

    updateRange(m_scrVertical, m_verticalAxis, m_picContainer->Height(), m_picBorder->Height());
    updateRange(m_scrHorizontal, m_horizontalAxis, m_picContainer->Width(), m_picBorder->Width());
    placeContent();
    const bool scrolls = m_verticalAxis.Scrolls() || m_horizontalAxis.Scrolls();
    setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
}

void Vellum::placeFrame()
{
    const double W = Platform::pixelsToTwips(width());
    const double H = Platform::pixelsToTwips(height());
    const double vW = visibleSetting(m_scrVertical) ? m_scrVertical->Width() : 0;
    const double hH = visibleSetting(m_scrHorizontal) ? m_scrHorizontal->Height() : 0;
    m_picFrame->Move(0, 0, std::max(0.0, W - vW), std::max(0.0, H - hH));
}

void Vellum::updateRange(FlatScrollBar* bar, ScrollAxis& axis, double contentLength, double viewportLength)
{
    axis = ScrollAxis(contentLength, viewportLength);
    if (axis.Scrolls()) {
        bar->setEnabled(true);
        bar->setMaximum(axis.Maximum());
        bar->setSingleStep(axis.SingleStep());
        bar->setPageStep(axis.PageStep());
    } else if (enabledSetting(bar)) {
        bar->setValue(0);
        bar->setEnabled(false);
        // Nothing is left to scroll: no position past 0 is taken any more.
        bar->setMaximum(0);
    }
}

void Vellum::placeContent()
{
    // A new range may give the same position another offset.
    m_picContainer->Move(-m_horizontalAxis.OffsetAt(m_scrHorizontal->value()),
                         -m_verticalAxis.OffsetAt(m_scrVertical->value()), m_picContainer->Width(),
                         m_picContainer->Height());
}

void Vellum::onVerticalScroll(int position)
{
    m_picContainer->setTop(-m_verticalAxis.OffsetAt(position));
    emit SliderVertChange();
}

void Vellum::onHorizontalScroll(int position)
{
    m_picContainer->setLeft(-m_horizontalAxis.OffsetAt(position));
    emit SliderHorChange();
}

void Vellum::wheelEvent(QWheelEvent* event)
{
    // Wheel turns the content and its children leave unused arrive here; the
    // bar that scrolls that way takes them as if the pointer were on it. A
    // pane that only scrolls sideways does so with the plain wheel too.
    const QPoint delta = event->angleDelta();
    const bool sideways = std::abs(delta.x()) > std::abs(delta.y());
    FlatScrollBar* bar = sideways ? m_scrHorizontal : m_scrVertical;
    if (!sideways && !m_verticalAxis.Scrolls())
        bar = m_scrHorizontal;
    event->ignore();
    if (bar->isEnabled())
        QCoreApplication::sendEvent(bar, event);
}

void Vellum::keyPressEvent(QKeyEvent* event)
{
    // The page keys and Home and End move along the vertical axis, or along
    // the horizontal one when only that one scrolls.
    FlatScrollBar* pageBar = m_verticalAxis.Scrolls() ? m_scrVertical : m_scrHorizontal;
    FlatScrollBar* bar = nullptr;
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    if (event->matches(QKeySequence::MoveToPreviousPage)) {
        bar = pageBar;
        action = QAbstractSlider::SliderPageStepSub;
    } else if (event->matches(QKeySequence::MoveToNextPage)) {
        bar = pageBar;
        action = QAbstractSlider::SliderPageStepAdd;
    } else if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Home:
            bar = pageBar;
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            bar = pageBar;
            action = QAbstractSlider::SliderToMaximum;
            break;
        case Qt::Key_Up:
            bar = m_scrVertical;
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            bar = m_scrVertical;
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Left:
            bar = m_scrHorizontal;
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Right:
            bar = m_scrHorizontal;
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        default:
            break;
        }
    }
    if (!bar || !bar->isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    bar->triggerAction(action);
    event->accept();
}

void Vellum::scrollIntoView(QWidget* focused)
{
    if (!m_shown || !focused || !m_picContainer->isAncestorOf(focused))
        return;
    using Platform::pixelsToTwips;
    const QPoint at = focused->mapTo(m_picContainer, QPoint(0, 0));
    m_scrVertical->setValue(m_verticalAxis.PositionShowing(
        pixelsToTwips(at.y()), pixelsToTwips(focused->height()), m_scrVertical->value()));
    m_scrHorizontal->setValue(m_horizontalAxis.PositionShowing(
        pixelsToTwips(at.x()), pixelsToTwips(focused->width()), m_scrHorizontal->value()));
}

void Vellum::focusInEvent(QFocusEvent* event)
{
    showFocus(true);
    QWidget::focusInEvent(event);
}

void Vellum::focusOutEvent(QFocusEvent* event)
{
    showFocus(false);
    QWidget::focusOutEvent(event);
}

void Vellum::showFocus(bool focused)
{
    // The outer frame, where it is drawn, takes the highlight colour.
    m_picFrame->setForegroundRole(focused ? QPalette::Highlight : QPalette::WindowText);
}

} // namespace VellumCtl
