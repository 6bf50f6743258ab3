#include "Vellum/pagCommon.h"
#include "Vellum/PropertyPageDialog.h"
#include "Vellum/PropertyStore.h"
#include "Vellum/Vellum.h"

#include "Platform/MessageBox.h"
#include "Platform/RuntimeError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace VellumCtl;

namespace {

MemoryPropertyStore saved(const Vellum& v)
{
    MemoryPropertyStore store;
    v.WriteProperties(store);
    return store;
}

bool sameSettings(const Vellum& a, const Vellum& b)
{
    const MemoryPropertyStore sa = saved(a), sb = saved(b);
    if (sa.Keys() != sb.Keys())
        return false;
    for (const QString& key : sa.Keys()) {
        if (sa.ReadProperty(key) != sb.ReadProperty(key))
            return false;
    }
    return true;
}

} // namespace

TEST(pagCommon, InitialisationFillsTheListAndSelectsTheFirstEntry)
{
    pagCommon page;
    EXPECT_EQ(pagCommon::Caption(), "Common");
    QStringList entries;
    for (int i = 0; i < page.cmbSliderAppereance()->count(); ++i)
        entries << page.cmbSliderAppereance()->itemText(i);
    EXPECT_EQ(entries, (QStringList{"None", "VerticalOnly", "HorizontalOnly", "Both"}));
    EXPECT_EQ(page.cmbSliderAppereance()->currentIndex(), 0);
    EXPECT_EQ(page.findChild<QLabel*>("lblSliderAppereance")->text(), "Slider Appereance");
    EXPECT_EQ(page.chkInnerBorder()->text(), "Inner Border");
    EXPECT_EQ(page.findChild<QGroupBox*>("frmBorder")->title(), "Border Values");
    EXPECT_EQ(page.findChild<QLabel*>("Label4")->text(), "Bottom");
    EXPECT_FALSE(page.Changed());
}

TEST(pagCommon, LoadsTheFirstControlAndAppliesItBackUnchanged)
{
    Vellum v;
    v.setSliderAppereance(2);
    v.setBorder({11, 22, 33, 44});
    v.setBorderVisible(false);
    Vellum before;
    before.ReadProperties(saved(v));

    pagCommon page;
    page.SelectionChanged({&v});
    EXPECT_EQ(page.cmbSliderAppereance()->currentText(), "HorizontalOnly");
    EXPECT_FALSE(page.chkBorder()->isChecked());
    EXPECT_TRUE(page.chkInnerBorder()->isChecked());
    EXPECT_EQ(page.txtBorderLeft()->text(), "22");
    EXPECT_EQ(page.txtBorderRight()->text(), "33");
    EXPECT_EQ(page.txtBorderTop()->text(), "11");
    EXPECT_EQ(page.txtBorderBottom()->text(), "44");
    // Loading is not an edit.
    EXPECT_FALSE(page.Changed());

    page.ApplyChanges();
    EXPECT_TRUE(sameSettings(v, before));
}

TEST(pagCommon, MarginTextsAreRoundedHalfToEvenAndNonNumbersSkipped)
{
    Vellum v;
    v.setBorder({5, 6, 7, 8});
    pagCommon page;
    page.SelectionChanged({&v});
    page.txtBorderLeft()->setText("12.5");
    page.txtBorderRight()->setText("13.5");
    page.txtBorderTop()->setText("abc");
    page.txtBorderBottom()->setText("1e10"); // numeric, but beyond 32 bits
    page.ApplyChanges();
    EXPECT_EQ(v.BorderLeft(), 12);
    EXPECT_EQ(v.BorderRight(), 14);
    EXPECT_EQ(v.BorderTop(), 5);
    EXPECT_EQ(v.BorderBottom(), 8);
}

TEST(pagCommon, OnlyTheFirstSelectedControlIsReadAndWritten)
{
    Vellum first, second;
    second.setBorderLeft(99);
    pagCommon page;
    page.SelectionChanged({&first, &second});
    EXPECT_EQ(page.txtBorderLeft()->text(), "0");
    page.txtBorderLeft()->setText("40");
    page.cmbSliderAppereance()->setCurrentIndex(1);
    page.ApplyChanges();
    EXPECT_EQ(first.BorderLeft(), 40);
    EXPECT_EQ(first.SliderAppereance(), 1);
    EXPECT_EQ(second.BorderLeft(), 99);
    EXPECT_EQ(second.SliderAppereance(), 3);
}

TEST(pagCommon, UserEditsSetTheChangedFlagAndWritesGoInOrder)
{
    Vellum v;
    pagCommon page;
    page.SelectionChanged({&v});
    QTest::mouseClick(page.chkBorder(), Qt::LeftButton);
    EXPECT_TRUE(page.Changed());
    page.setChanged(false);
    page.txtBorderTop()->setText("7");
    EXPECT_TRUE(page.Changed());

    QStringList writes;
    page.setPropertyWriter([&](QObject* control, const char* name, const QVariant& value) {
        writes << QString::fromLatin1(name);
        control->setProperty(name, value);
    });
    page.ApplyChanges();
    EXPECT_EQ(writes, (QStringList{"SliderAppereance", "BorderVisible", "BorderInnerVisible", "BorderLeft",
                                   "BorderRight", "BorderTop", "BorderBottom"}));
    EXPECT_FALSE(page.Changed());
    EXPECT_FALSE(v.BorderVisible());
    EXPECT_EQ(v.BorderTop(), 7);
}

TEST(pagCommon, AnAppearanceWithoutAnEntryIsKept)
{
    Vellum v;
    v.setSliderAppereance(7);
    pagCommon page;
    page.SelectionChanged({&v});
    EXPECT_EQ(page.cmbSliderAppereance()->currentIndex(), -1);
    page.ApplyChanges();
    EXPECT_EQ(v.SliderAppereance(), 7);
}

TEST(pagCommon, FailedPropertyAccessReachesTheHost)
{
    QObject notAControl;
    pagCommon page;
    try {
        page.SelectionChanged({&notAControl});
        FAIL() << "expected an error";
    } catch (const Platform::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 438);
    }
    EXPECT_THROW(page.ApplyChanges(), Platform::RuntimeError);

    // The dialog host reports it and stays open.
    Vellum v;
    PropertyPageDialog dialog({&v});
    dialog.page()->SelectionChanged({&v});
    dialog.page()->setPropertyWriter([](QObject*, const char*, const QVariant&) {
        throw Platform::RuntimeError(380, "Vellum", "Invalid property value");
    });
    Platform::MessageBoxRecorder boxes;
    EXPECT_FALSE(dialog.apply());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Invalid property value");
}

TEST(pagCommon, DialogOffersApplyOnlyAfterAnEdit)
{
    Vellum v;
    PropertyPageDialog dialog({&v});
    QPushButton* apply = dialog.buttons()->button(QDialogButtonBox::Apply);
    EXPECT_FALSE(apply->isEnabled());
    dialog.page()->txtBorderRight()->setText("250");
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_EQ(v.BorderRight(), 250);
    EXPECT_FALSE(apply->isEnabled());
}
