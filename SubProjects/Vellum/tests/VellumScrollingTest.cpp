#include "VellumFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace VellumCtl;
using VellumTest::ShownVellum;

namespace {

// A wheel turn as the window system delivers it: to the widget under the
// pointer, then to its parents while nobody takes it.
void turnWheel(QWidget* target, QPoint angleDelta)
{
    const QPointF at(2, 2);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    // notify() directly: sendEvent() would take the spontaneous mark off.
    qApp->notify(target, &event);
}

// Content 150 x 600 pixels (9000 twips high, 7055 more than the viewport).
struct TallContent : ShownVellum
{
    TallContent()
    {
        content->resize(150, 600);
        vellum->setScrollContent(content);
    }
};

} // namespace

TEST(VellumScrolling, WheelOverTheContentScrollsItAndAChildThatUsesTheWheelKeepsIt)
{
    TallContent t;
    auto* label = new QLabel("label", t.content);
    label->setGeometry(0, 0, 100, 20);
    auto* list = new QListWidget(t.content);
    list->setGeometry(0, 40, 120, 80);
    for (int row = 0; row < 50; ++row)
        list->addItem(QString::number(row));
    list->show();

    turnWheel(label, {0, -120});
    const int scrolled = t.vellum->SliderVertValue();
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(t.vellum->picContainer()->Top(), -scrolled);
    turnWheel(list->viewport(), {0, -120});
    EXPECT_GT(list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(t.vellum->SliderVertValue(), scrolled);

    // A pane that only scrolls sideways follows the plain wheel sideways.
    ShownVellum wide;
    wide.content->resize(600, 50);
    wide.vellum->setScrollContent(wide.content);
    turnWheel(wide.content, {0, -120});
    EXPECT_GT(wide.vellum->SliderHorValue(), 0);
}

TEST(VellumScrolling, AChildThatGetsTheFocusIsScrolledIntoView)
{
    TallContent t;
    auto* top = new QLineEdit(t.content);
    top->setGeometry(0, 0, 100, 20);
    auto* bottom = new QPushButton("Process", t.content);
    bottom->setGeometry(0, 500, 100, 30);
    top->show();
    bottom->show();
    t.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.form.get()));

    top->setFocus();
    QTest::keyClick(top, Qt::Key_Tab);
    ASSERT_TRUE(bottom->hasFocus());
    // The button's bottom edge (530 px) at the viewport's bottom (1945 twips).
    EXPECT_EQ(t.vellum->SliderVertValue(), 530 * 15 - 1945);
    EXPECT_EQ(bottom->mapTo(t.vellum->picBorder(), QPoint(0, bottom->height())).y(),
              t.vellum->picBorder()->height());

    QTest::keyClick(bottom, Qt::Key_Backtab);
    ASSERT_TRUE(top->hasFocus());
    EXPECT_EQ(t.vellum->SliderVertValue(), 0);
}

TEST(VellumScrolling, KeysScrollWhileTheControlHasTheFocusAndOnlyThen)
{
    ShownVellum t;
    t.content->resize(20, 20);
    t.vellum->setScrollContent(t.content);
    // Nothing to scroll: no stop in the focus chain.
    EXPECT_EQ(t.vellum->focusPolicy(), Qt::NoFocus);

    t.content->resize(150, 600);
    t.vellum->setScrollContent(t.content);
    EXPECT_EQ(t.vellum->focusPolicy(), Qt::StrongFocus);
    t.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.form.get()));
    t.vellum->setFocus();
    const FlatScrollBar* bar = t.vellum->scrVertical();
    struct Step
    {
        Qt::Key key;
        int value;
    };
    for (const Step s : {Step{Qt::Key_PageDown, 1945}, Step{Qt::Key_Down, 1945 + 706}, Step{Qt::Key_Up, 1945},
                         Step{Qt::Key_End, 7055}, Step{Qt::Key_PageUp, 7055 - 1945}, Step{Qt::Key_Home, 0}}) {
        QTest::keyClick(t.vellum, s.key);
        EXPECT_EQ(bar->value(), s.value) << s.key;
        EXPECT_EQ(t.vellum->picContainer()->Top(), -s.value) << s.key;
    }
    // The horizontal axis has nothing to scroll.
    QTest::keyClick(t.vellum, Qt::Key_Right);
    EXPECT_EQ(t.vellum->SliderHorValue(), 0);
}

TEST(VellumScrolling, ContentFarBeyondTheRangeScrollsToItsLastPixel)
{
    ShownVellum t;
    t.content->resize(150, 3000);
    t.vellum->setScrollContent(t.content);
    const PictureBox* carrier = t.vellum->picContainer();
    const int viewportHeight = t.vellum->picBorder()->height();
    t.vellum->setSliderVertValue(32767);
    EXPECT_EQ(t.vellum->SliderVertValue(), 32767);
    EXPECT_EQ(carrier->y() + carrier->height(), viewportHeight);

    // Longer content gives the same position a new offset: still the end.
    t.content->resize(150, 4000);
    t.vellum->setScrollContent(t.content);
    EXPECT_EQ(t.vellum->SliderVertValue(), 32767);
    EXPECT_EQ(carrier->y() + carrier->height(), viewportHeight);
}

TEST(VellumScrolling, ADisabledBarDrawsNoThumb)
{
    FlatScrollBar bar(Qt::Vertical, nullptr);
    bar.resize(17, 200);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    bar.setEnabled(false);
    const QImage before = bar.grab().toImage();
    bar.setValue(90);
    EXPECT_EQ(bar.grab().toImage(), before);
}
