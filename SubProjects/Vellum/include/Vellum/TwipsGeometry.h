#pragma once

#include <QRect>

class QWidget;

namespace VellumCtl {

// The position and size of a child control in twips, the unit of the control's
// coordinate system; applied to the Qt widget in logical pixels. The twips
// values are kept exactly, so layout arithmetic does not lose the fractions a
// pixel cannot hold. When the widget is moved through Qt directly, the twips
// values follow its new pixel geometry.
class TwipsGeometry
{
public:
    explicit TwipsGeometry(QWidget* widget) : m_widget(widget) {}
    virtual ~TwipsGeometry() = default;

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;

    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    // Negative sizes are shown as 0 pixels but kept as given.
    void Move(double left, double top, double width, double height);

private:
    void sync() const;

    QWidget* m_widget;
    mutable double m_left = 0;
    mutable double m_top = 0;
    mutable double m_width = 0;
    mutable double m_height = 0;
    mutable QRect m_applied;
};

} // namespace VellumCtl
