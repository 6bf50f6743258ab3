#pragma once

namespace VellumCtl {

// One axis of the control's scrolling, in twips: the content is longer than
// the viewport by an excess, and the scroll bar's positions 0 to Maximum()
// stand for content offsets 0 to that excess. The bar's range is a 16-bit
// value; while the excess fits it a position is an offset in twips, past it a
// position stands for an equal share of the excess, so the reported positions
// stay in range and still every part of the content can be reached.
class ScrollAxis
{
public:
    static constexpr int MaxRange = 32767;

    ScrollAxis() = default;
    ScrollAxis(double contentLength, double viewportLength);

    // Whether the content is longer than the viewport.
    bool Scrolls() const { return m_excess > 0; }
    int Maximum() const { return m_maximum; }
    // A tenth of the maximum, rounded half to even, at least 1.
    int SingleStep() const;
    // The viewport's length in positions, at least 1: a page is what is
    // visible, and the thumb shows that share of the content.
    int PageStep() const;
    // The content offset in twips that a position scrolls to.
    double OffsetAt(int position) const;
    // The position nearest to `position` that shows the content span
    // [start, start + length): unchanged when the span is in view already, or
    // when it is longer than the viewport and partly in view; otherwise its
    // near edge, or its far edge when it lies beyond the viewport's far edge.
    int PositionShowing(double start, double length, int position) const;

private:
    double m_excess = 0;
    double m_viewport = 0;
    double m_twipsPerPosition = 1;
    int m_maximum = 0;
};

} // namespace VellumCtl
