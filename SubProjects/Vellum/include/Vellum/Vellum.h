#pragma once

#include "Vellum/IAutoResizeParent.h"
#include "Vellum/PictureBox.h"
#include "Vellum/ScrollAxis.h"
#include "Vellum/VellumTypes.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <utility>
#include <vector>

namespace VellumCtl {

class FlatScrollBar;
class PropertyStore;
class RectangleShape;

// A scroll container: shows a content pane (a PictureBox) that may be larger
// than the control inside an optional outer frame, at configurable margins,
// with an optional inner border rectangle, and scrolls it with a vertical and a
// horizontal scroll bar. All lengths, positions and ranges are in twips.
//
// After construction the control has the settings of a load from an empty
// store (both bars, frame and inner border shown, margins 0). A host placing a
// new instance calls InitProperties(); a host restoring one calls
// ReadProperties(). Nothing is laid out until the control is first shown.
//
// As other Qt scroll areas do, it scrolls with the mouse wheel over the
// content (a child that uses the wheel itself keeps it), with PgUp, PgDn,
// Home, End and the arrow keys while it or a child that leaves those keys
// unused has the focus, and it scrolls a child that gets the focus into view.
// It takes the focus itself only while there is something to scroll.
class Vellum : public QWidget, public IAutoResizeParent
{
    Q_OBJECT
    Q_PROPERTY(int SliderAppereance READ SliderAppereance WRITE setSliderAppereance)
    Q_PROPERTY(int BorderLeft READ BorderLeft WRITE setBorderLeft)
    Q_PROPERTY(int BorderRight READ BorderRight WRITE setBorderRight)
    Q_PROPERTY(int BorderTop READ BorderTop WRITE setBorderTop)
    Q_PROPERTY(int BorderBottom READ BorderBottom WRITE setBorderBottom)
    Q_PROPERTY(bool BorderVisible READ BorderVisible WRITE setBorderVisible)
    Q_PROPERTY(bool BorderInnerVisible READ BorderInnerVisible WRITE setBorderInnerVisible)
    Q_PROPERTY(
        int SliderVertValue READ SliderVertValue WRITE setSliderVertValue STORED false DESIGNABLE false)
    Q_PROPERTY(int SliderHorValue READ SliderHorValue WRITE setSliderHorValue STORED false DESIGNABLE false)
    Q_PROPERTY(bool AutoResize READ AutoResize WRITE setAutoResize)
    Q_PROPERTY(int ScaleHeight READ ScaleHeight STORED false DESIGNABLE false)
    Q_PROPERTY(int ScaleWidth READ ScaleWidth STORED false DESIGNABLE false)

public:
    // The distance subtracted from the frame size on each axis for the viewport.
    static constexpr double ViewportInset = 50;
    // The inner border lies this far outside the viewport's near edges ...
    static constexpr double InnerBorderOffset = 13;
    // ... and is this much larger than the viewport.
    static constexpr double InnerBorderGrowth = 28;
    // The largest scroll range: the range is a 16-bit value. Content that
    // exceeds the viewport by more scrolls in proportional steps (ScrollAxis).
    static constexpr int MaxScrollRange = ScrollAxis::MaxRange;
    // The margins of a newly placed instance.
    static constexpr int NewInstanceMargin = 80;

    explicit Vellum(QWidget* parent = nullptr);
    ~Vellum() override;

    // The constituent controls: picFrame, picBorder, shpBorder, picContainer,
    // scrVertical, scrHorizontal.
    QList<QWidget*> Controls() const;

    int SliderAppereance() const { return m_sliderAppearance; }
    void setSliderAppereance(int appearance);

    void ShowAboutBox();

    // Installs the content: only a PictureBox is accepted (anything else,
    // including null, is ignored, as is a pane that holds this control or is
    // one of its own parts, which could not become its child). It is moved to 0, 0 without border, shown
    // and re-parented into picContainer, which takes its size. Size changes
    // of the content later are not followed: set it again. The host keeps
    // owning the pane: when the control is destroyed the pane goes back,
    // hidden, to the parent it had before.
    void setScrollContent(QWidget* content);

    int BorderLeft() const { return m_border.Left; }
    void setBorderLeft(int left);
    int BorderRight() const { return m_border.Right; }
    void setBorderRight(int right);
    int BorderTop() const { return m_border.Top; }
    void setBorderTop(int top);
    int BorderBottom() const { return m_border.Bottom; }
    void setBorderBottom(int bottom);
    VellumBorderDimension Border() const { return m_border; }
    void setBorder(const VellumBorderDimension& border);

    bool BorderVisible() const;
    void setBorderVisible(bool visible);
    bool BorderInnerVisible() const;
    void setBorderInnerVisible(bool visible);

    int SliderVertValue() const;
    void setSliderVertValue(int value);
    int SliderHorValue() const;
    void setSliderHorValue(int value);

    // Makes content a child of container at the window level; nothing else
    // changes (position and visibility are kept). Throws Platform::RuntimeError
    // 91 when either is null and 5 when container is content or lies inside it.
    void SetParentObject(QWidget* content, QWidget* container);

    // Does nothing.
    void ResizeScrollContent();

    bool AutoResize() const { return m_autoResize; }
    void setAutoResize(bool enabled) { m_autoResize = enabled; }

    int ScaleHeight() const;
    int ScaleWidth() const;

    // IAutoResizeParent
    bool Enable() const override { return m_autoResize; }
    void setEnable(bool enabled) override { m_autoResize = enabled; }
    void Resize() override;

    // The host's property store: a new instance, saving, loading.
    void InitProperties();
    void WriteProperties(PropertyStore& store) const;
    void ReadProperties(const PropertyStore& store);

    bool IsShown() const { return m_shown; }

    // The constituent controls, for hosts and tests that inspect the layout.
    PictureBox* picFrame() const { return m_picFrame; }
    PictureBox* picBorder() const { return m_picBorder; }
    RectangleShape* shpBorder() const { return m_shpBorder; }
    PictureBox* picContainer() const { return m_picContainer; }
    FlatScrollBar* scrVertical() const { return m_scrVertical; }
    FlatScrollBar* scrHorizontal() const { return m_scrHorizontal; }

signals:
    void SliderVertChange();
    void SliderHorChange();
    // The host is told that a property changed (only SliderAppereance does so).
    void PropertyChanged(const QString& propertyName);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutControl();
    void placeFrame();
    void updateRange(FlatScrollBar* bar, ScrollAxis& axis, double contentLength, double viewportLength);
    void placeContent();
    void scrollIntoView(QWidget* focused);
    void showFocus(bool focused);
    void onVerticalScroll(int position);
    void onHorizontalScroll(int position);
    void resizeToContainer();
    static void setPositionIfInRange(FlatScrollBar* bar, int value);

    PictureBox* m_picFrame;
    PictureBox* m_picBorder;
    RectangleShape* m_shpBorder;
    PictureBox* m_picContainer;
    FlatScrollBar* m_scrVertical;
    FlatScrollBar* m_scrHorizontal;
    ScrollAxis m_verticalAxis;
    ScrollAxis m_horizontalAxis;

    int m_sliderAppearance = socBoth;
    VellumBorderDimension m_border;
    bool m_autoResize = false;
    bool m_shown = false;
    bool m_resizeGuard = false;
    QPointer<QWidget> m_hostingForm;
    // Installed contents and the parents they came from, to give them back.
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> m_contents;
};

} // namespace VellumCtl
