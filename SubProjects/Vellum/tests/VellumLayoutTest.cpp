#include "VellumFixture.h"

#include "Platform/RuntimeError.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace VellumCtl;
using VellumTest::ShownVellum;
using VellumTest::twips;

TEST(VellumLayout, PlacesBarsFrameViewportAndInnerBorderInTwips)
{
    ShownVellum t;
    t.vellum->setBorder({80, 80, 80, 80});
    Vellum& v = *t.vellum;
    EXPECT_EQ(twips(*v.scrVertical()), QRectF(2745, 0, 255, 1995));
    EXPECT_EQ(twips(*v.scrHorizontal()), QRectF(0, 1995, 2745, 255));
    EXPECT_EQ(twips(*v.picFrame()), QRectF(0, 0, 2745, 1995));
    // 50 comes off on each axis besides the margins.
    EXPECT_EQ(twips(*v.picBorder()), QRectF(80, 80, 2745 - 160 - 50, 1995 - 160 - 50));
    // 13 outside on the near side, 28 larger.
    EXPECT_EQ(twips(*v.shpBorder()), QRectF(67, 67, 2535 + 28, 1785 + 28));
    EXPECT_EQ(v.ScaleWidth(), 2535);
    EXPECT_EQ(v.ScaleHeight(), 1785);

    // The Qt geometry is the twips geometry in pixels.
    EXPECT_EQ(v.picBorder()->geometry(), QRect(5, 5, 169, 119));
    EXPECT_EQ(v.scrVertical()->geometry(), QRect(183, 0, 17, 133));
}

TEST(VellumLayout, MarginsBeyondTheFrameGiveAnEmptyViewportNeverANegativeOne)
{
    ShownVellum t;
    t.vellum->setBorder({1500, 2000, 2000, 1500});
    EXPECT_EQ(t.vellum->picBorder()->Width(), 0);
    EXPECT_EQ(t.vellum->picBorder()->Height(), 0);
    EXPECT_EQ(twips(*t.vellum->shpBorder()), QRectF(1987, 1487, 28, 28));
    EXPECT_EQ(t.vellum->ScaleWidth(), 0);
}

TEST(VellumLayout, ScrollRangeAndStepsFollowTheContentExcess)
{
    struct Case
    {
        int excess, maximum, small, page;
    };
    // The small step is a tenth, rounded half to even, at least 1. A page is
    // the viewport (1945 twips less the top margin that makes the excess
    // exact), in positions of the range.
    for (const Case c : {Case{1000, 1000, 100, 1940}, Case{7, 7, 1, 1943}, Case{25, 25, 2, 1940},
                         Case{15, 15, 2, 1935}, Case{40000, 32767, 3277, 1589}}) {
        ShownVellum t;
        t.contentTallerBy(c.excess);
        const FlatScrollBar* bar = t.vellum->scrVertical();
        EXPECT_EQ(t.vellum->picContainer()->Height() - t.vellum->picBorder()->Height(), c.excess);
        EXPECT_TRUE(bar->isEnabled()) << c.excess;
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), c.maximum) << c.excess;
        EXPECT_EQ(bar->singleStep(), c.small) << c.excess;
        EXPECT_EQ(bar->pageStep(), c.page) << c.excess;
        // Content narrower than the viewport leaves the other bar disabled.
        EXPECT_FALSE(t.vellum->scrHorizontal()->isEnabled());
    }
}

TEST(VellumLayout, ContentShrinkingWhileScrolledScrollsBackOnceAndDisablesTheBar)
{
    ShownVellum t;
    t.contentTallerBy(1000, 400);
    QSignalSpy vertical(t.vellum, &Vellum::SliderVertChange);
    QSignalSpy horizontal(t.vellum, &Vellum::SliderHorChange);
    t.vellum->setSliderVertValue(600);
    t.vellum->setSliderHorValue(300);
    EXPECT_EQ(t.vellum->picContainer()->Top(), -600);
    EXPECT_EQ(t.vellum->picContainer()->Left(), -300);
    vertical.clear();
    horizontal.clear();

    t.content->resize(20, 20);
    t.vellum->setScrollContent(t.content);
    for (const FlatScrollBar* bar : {t.vellum->scrVertical(), t.vellum->scrHorizontal()}) {
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(bar->maximum(), 0);
        EXPECT_FALSE(bar->isEnabled());
    }
    // Nothing is left to scroll to.
    t.vellum->setSliderVertValue(600);
    EXPECT_EQ(t.vellum->picContainer()->Top(), 0);
    EXPECT_EQ(t.vellum->picContainer()->Left(), 0);
    EXPECT_EQ(vertical.count(), 1);
    EXPECT_EQ(horizontal.count(), 1);

    // A bar that is already disabled is left alone: no further event.
    t.vellum->setBorderLeft(10);
    EXPECT_EQ(vertical.count(), 1);
}

TEST(VellumLayout, ScrollPositionsOutsideTheRangeAreIgnoredWithoutAnEvent)
{
    ShownVellum t;
    t.contentTallerBy(1000);
    QSignalSpy spy(t.vellum, &Vellum::SliderVertChange);
    for (int outside : {-1, 1001, 40000}) {
        t.vellum->setSliderVertValue(outside);
        EXPECT_EQ(t.vellum->SliderVertValue(), 0);
    }
    EXPECT_EQ(spy.count(), 0);
    t.vellum->setSliderVertValue(1000);
    EXPECT_EQ(t.vellum->SliderVertValue(), 1000);
    EXPECT_EQ(t.vellum->picContainer()->Top(), -1000);
    EXPECT_EQ(spy.count(), 1);

    // The user's scrolling runs the same handler.
    t.vellum->scrVertical()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(t.vellum->picContainer()->Top(), -900);
    EXPECT_EQ(spy.count(), 2);
}

TEST(VellumLayout, SliderAppearanceShowsTheChosenBarsAndKeepsAnyValue)
{
    ShownVellum t;
    Vellum& v = *t.vellum;
    QSignalSpy changed(&v, &Vellum::PropertyChanged);
    struct Case
    {
        int value;
        bool vertical, horizontal;
    };
    for (const Case c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, true},
                         Case{3, true, true}, Case{7, false, false}, Case{-1, false, false}}) {
        v.setSliderAppereance(c.value);
        EXPECT_EQ(v.SliderAppereance(), c.value);
        EXPECT_EQ(v.scrVertical()->isVisible(), c.vertical) << c.value;
        EXPECT_EQ(v.scrHorizontal()->isVisible(), c.horizontal) << c.value;
        const double frameWidth = c.vertical ? 2745 : 3000;
        const double frameHeight = c.horizontal ? 1995 : 2250;
        EXPECT_EQ(twips(*v.picFrame()), QRectF(0, 0, frameWidth, frameHeight)) << c.value;
    }
    EXPECT_EQ(changed.count(), 6);
    EXPECT_EQ(changed.at(0).at(0).toString(), "SliderAppereance");
}

TEST(VellumLayout, ScrollContentTakesOnlyAPictureBox)
{
    ShownVellum t;
    t.content->setBorderStyle(1);
    t.content->move(30, 40);
    t.content->resize(300, 250);
    t.content->hide();
    t.vellum->setScrollContent(t.content);
    EXPECT_EQ(t.content->parentWidget(), t.vellum->picContainer());
    EXPECT_EQ(t.content->pos(), QPoint(0, 0));
    EXPECT_EQ(t.content->BorderStyle(), 0);
    EXPECT_TRUE(t.content->isVisible());
    EXPECT_EQ(twips(*t.vellum->picContainer()), QRectF(0, 0, 4500, 3750));

    QLabel label("label", t.form.get());
    QLineEdit edit(t.form.get());
    QFrame plainFrame(t.form.get());
    for (QWidget* other : {static_cast<QWidget*>(&label), static_cast<QWidget*>(&edit),
                           static_cast<QWidget*>(&plainFrame), static_cast<QWidget*>(nullptr)}) {
        t.vellum->setScrollContent(other);
        if (other) {
            EXPECT_EQ(other->parentWidget(), t.form.get());
        }
    }
    EXPECT_EQ(t.content->parentWidget(), t.vellum->picContainer());
    EXPECT_EQ(twips(*t.vellum->picContainer()), QRectF(0, 0, 4500, 3750));

    // Panes that would have to become their own descendants are refused too.
    PictureBox host;
    Vellum* inner = new Vellum(&host);
    for (PictureBox* own : {&host, inner->picFrame(), inner->picBorder(), inner->picContainer()}) {
        QWidget* before = own->parentWidget();
        inner->setScrollContent(own);
        EXPECT_EQ(own->parentWidget(), before);
    }
}

TEST(VellumLayout, TheHostKeepsOwningItsContent)
{
    QWidget form;
    auto* content = new PictureBox(&form);
    {
        Vellum v(&form);
        v.setScrollContent(content);
        EXPECT_EQ(content->parentWidget(), v.picContainer());
    }
    EXPECT_EQ(content->parentWidget(), &form);
    EXPECT_TRUE(content->isHidden());
}

TEST(VellumLayout, NothingMovesBeforeTheControlIsFirstShown)
{
    QWidget form;
    form.resize(400, 300);
    auto* v = new Vellum(&form);
    v->setGeometry(0, 0, 200, 150);
    const QRectF viewport = twips(*v->picBorder());
    const QRectF vertical = twips(*v->scrVertical());
    const QRectF shape = twips(*v->shpBorder());

    v->InitProperties();
    v->setBorder({300, 300, 300, 300});
    v->setSliderAppereance(1);
    EXPECT_FALSE(v->IsShown());
    EXPECT_EQ(twips(*v->picBorder()), viewport);
    EXPECT_EQ(twips(*v->scrVertical()), vertical);
    EXPECT_EQ(twips(*v->shpBorder()), shape);
    // A newly placed instance gets its frame placed once, with both bars.
    EXPECT_EQ(twips(*v->picFrame()), QRectF(0, 0, 2745, 1995));

    form.show();
    EXPECT_TRUE(v->IsShown());
    EXPECT_EQ(twips(*v->picBorder()), QRectF(300, 300, 3000 - 255 - 650, 2250 - 650));
    EXPECT_EQ(twips(*v->scrVertical()), QRectF(2745, 0, 255, 2250));
}

TEST(VellumLayout, AutoResizeFillsTheContainerAndFollowsTheForm)
{
    QFrame form;
    form.setFrameStyle(QFrame::Box | QFrame::Plain);
    form.setLineWidth(2);
    form.resize(300, 200);
    auto* v = new Vellum(&form);
    v->setGeometry(10, 10, 50, 50);
    form.show();
    v->setAutoResize(true);
    EXPECT_TRUE(v->Enable());
    v->Resize();
    EXPECT_EQ(v->geometry(), QRect(2, 2, 296, 196));
    form.resize(400, 250);
    EXPECT_EQ(v->geometry(), QRect(2, 2, 396, 246));
    EXPECT_EQ(twips(*v->picFrame()), QRectF(0, 0, 396 * 15 - 255, 246 * 15 - 255));

    v->setEnable(false);
    form.resize(300, 200);
    EXPECT_EQ(v->geometry(), QRect(2, 2, 396, 246));
}

TEST(VellumLayout, SetParentObjectMovesAWindowAndNothingElse)
{
    QWidget form;
    QWidget target(&form);
    QLabel moved("x", &form);
    moved.move(7, 9);
    form.show();
    Vellum v(&form);
    v.SetParentObject(&moved, &target);
    EXPECT_EQ(moved.parentWidget(), &target);
    EXPECT_EQ(moved.pos(), QPoint(7, 9));
    EXPECT_TRUE(moved.isVisible());
    auto errorOf = [&v](QWidget* content, QWidget* container) {
        try {
            v.SetParentObject(content, container);
        } catch (const Platform::RuntimeError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf(nullptr, &target), 91);
    EXPECT_EQ(errorOf(&moved, nullptr), 91);
    EXPECT_EQ(errorOf(&form, &moved), 5);
    EXPECT_EQ(errorOf(&target, &target), 5);
    EXPECT_EQ(moved.parentWidget(), &target);
}
