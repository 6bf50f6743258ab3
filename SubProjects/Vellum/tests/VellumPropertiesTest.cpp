#include "VellumFixture.h"

#include "Vellum/PropertyStore.h"
#include "Vellum/TypeInfo.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

using namespace VellumCtl;

namespace {

const QStringList AlwaysWritten = {"BorderLeft",         "BorderRight",   "BorderTop", "BorderBottom",
                                   "BorderInnerVisible", "BorderVisible", "AutoResize"};

} // namespace

TEST(VellumProperties, NewlyPlacedInstanceKeepsItsMarginsOfEightyThroughSaveAndLoad)
{
    Vellum placed;
    placed.InitProperties();
    MemoryPropertyStore store;
    placed.WriteProperties(store);
    // SliderAppereance equals its default 3 and is omitted; the rest always appear, in order.
    EXPECT_EQ(store.Keys(), AlwaysWritten);
    EXPECT_EQ(store.ReadProperty("BorderLeft").toInt(), 80);

    Vellum loaded;
    loaded.ReadProperties(store);
    EXPECT_EQ(loaded.Border(), (VellumBorderDimension{80, 80, 80, 80}));
    EXPECT_EQ(loaded.SliderAppereance(), 3);
    EXPECT_TRUE(loaded.BorderVisible());
    EXPECT_TRUE(loaded.BorderInnerVisible());
    EXPECT_FALSE(loaded.AutoResize());
}

TEST(VellumProperties, LoadingAStoreWithoutKeysGivesTheLoadDefaults)
{
    MemoryPropertyStore empty;
    Vellum v;
    v.setBorder({5, 6, 7, 8});
    v.setBorderVisible(false);
    v.setBorderInnerVisible(false);
    v.setSliderAppereance(0);
    v.setAutoResize(true);
    v.ReadProperties(empty);
    EXPECT_EQ(v.Border(), (VellumBorderDimension{0, 0, 0, 0}));
    EXPECT_EQ(v.SliderAppereance(), 3);
    EXPECT_TRUE(v.BorderVisible());
    EXPECT_TRUE(v.BorderInnerVisible());
    EXPECT_FALSE(v.AutoResize());

    // A constructed control already has these settings.
    Vellum fresh;
    MemoryPropertyStore a, b;
    fresh.WriteProperties(a);
    v.WriteProperties(b);
    for (const QString& key : AlwaysWritten)
        EXPECT_EQ(a.ReadProperty(key), b.ReadProperty(key)) << key.toStdString();
}

TEST(VellumProperties, EverySettingRoundTripsThroughTheStore)
{
    Vellum v;
    v.setSliderAppereance(2);
    v.setBorder({11, 12, 13, 14});
    v.setBorderVisible(false);
    v.setBorderInnerVisible(false);
    v.setAutoResize(true);
    MemoryPropertyStore store;
    v.WriteProperties(store);
    EXPECT_EQ(store.Keys(), QStringList{"SliderAppereance"} + AlwaysWritten);
    EXPECT_EQ(store.ReadProperty("BorderInnerVisible"), QVariant(false));

    Vellum copy;
    copy.ReadProperties(store);
    EXPECT_EQ(copy.SliderAppereance(), 2);
    EXPECT_EQ(copy.Border(), (VellumBorderDimension{11, 12, 13, 14}));
    EXPECT_FALSE(copy.BorderVisible());
    EXPECT_FALSE(copy.BorderInnerVisible());
    EXPECT_TRUE(copy.AutoResize());

    // Writing the default again drops the earlier value.
    copy.setSliderAppereance(3);
    copy.WriteProperties(store);
    EXPECT_FALSE(store.Contains("SliderAppereance"));
}

TEST(VellumProperties, PropertiesAreReachableByNameAsHostsAndThePageUseThem)
{
    Vellum v;
    EXPECT_TRUE(v.setProperty("BorderTop", 120));
    EXPECT_TRUE(v.setProperty("SliderAppereance", 1));
    EXPECT_TRUE(v.setProperty("BorderVisible", false));
    EXPECT_EQ(v.BorderTop(), 120);
    EXPECT_EQ(v.SliderAppereance(), 1);
    EXPECT_EQ(v.property("BorderVisible"), QVariant(false));
    EXPECT_EQ(v.Controls().size(), 6);
    EXPECT_EQ(v.Controls().at(0)->objectName(), "picFrame");
    EXPECT_EQ(v.Controls().at(5)->objectName(), "scrHorizontal");
}

TEST(VellumProperties, TypeInformationListsMembersInOrderWithTheirHelpTexts)
{
    const auto& members = VellumMembers();
    QStringList names;
    for (const auto& m : members)
        names << m.name;
    EXPECT_EQ(names,
              (QStringList{"Controls", "SliderAppereance", "ShowAboutBox", "ScrollContent", "BorderLeft",
                           "BorderRight", "BorderTop", "BorderBottom", "Border", "BorderVisible",
                           "BorderInnerVisible", "SliderVertValue", "SliderHorValue", "SetParentObject",
                           "ResizeScrollContent", "AutoResize", "ScaleHeight", "ScaleWidth"}));
    EXPECT_TRUE(members[0].help.endsWith("arrays. "));
    EXPECT_TRUE(members[9].help.contains("show the  scroll border"));
    EXPECT_EQ(members[3].help.count("\r\n"), 1);
    EXPECT_TRUE(members[2].help.isEmpty());
    EXPECT_EQ(members[2].dispId, -552);
    ASSERT_EQ(VellumEvents().size(), 2);
    EXPECT_EQ(VellumEvents()[0].help, "Occures when the value of the verticall slider changes.");
}

TEST(VellumProperties, ShowAboutBoxDescribesTheControlLibrary)
{
    Vellum v;
    QString caption, description, disclaimer;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        description = box->findChild<QLabel*>("lblDescription")->text();
        disclaimer = box->findChild<QLabel*>("lblDisclaimer")->text();
        EXPECT_NE(box->findChild<QLabel*>("picAppIcon"), nullptr);
        box->close();
    });
    v.ShowAboutBox();
    EXPECT_EQ(caption, "About Vellum Pane");
    EXPECT_TRUE(description.startsWith("Shows a content pane"));
    EXPECT_TRUE(disclaimer.startsWith("Copyright (C) 2026"));
}
