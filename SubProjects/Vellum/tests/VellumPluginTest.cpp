#include "VellumTaskMenu.h"
#include "VellumTaskMenuFactory.h"

#include "Vellum/Vellum.h"

#include <QAction>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>
#include <QLabel>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace VellumCtl;

TEST(VellumPlugin, BuiltPluginLoadsAndPlacesANewInstance)
{
    const char* buildDir = std::getenv("LEGATO_BUILD_DIR");
    const QString path = QString::fromLocal8Bit(buildDir ? buildDir : LEGATO_BUILD_DIR_DEFAULT) +
                         "/plugins/designer/libVellumDesigner.so";
    QPluginLoader loader(path);
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), "VellumCtl::Vellum");
    EXPECT_EQ(plugin->includeFile(), "Vellum/Vellum.h");
    EXPECT_TRUE(plugin->domXml().contains(R"(class="VellumCtl::Vellum")"));

    // The plugin's Vellum is the library's class, not a copy.
    std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    auto* vellum = qobject_cast<Vellum*>(widget.get());
    ASSERT_NE(vellum, nullptr);
    EXPECT_EQ(vellum->Border(), (VellumBorderDimension{80, 80, 80, 80}));
    EXPECT_EQ(vellum->SliderAppereance(), 3);
}

TEST(VellumPlugin, TaskMenuOffersTheCommonPageForVellumsOnly)
{
    QExtensionManager manager;
    auto* factory = new VellumTaskMenuFactory(&manager);
    manager.registerExtensions(factory, Q_TYPEID(QDesignerTaskMenuExtension));

    Vellum vellum;
    QLabel label;
    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(&manager, &vellum);
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->taskActions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "Common...");
    EXPECT_EQ(menu->preferredEditAction(), actions[0]);
    EXPECT_EQ(actions[1]->text(), "About Vellum Pane...");
    EXPECT_EQ(qt_extension<QDesignerTaskMenuExtension*>(&manager, &label), nullptr);

    // Outside a form the selection is the control itself.
    auto* vellumMenu = dynamic_cast<VellumTaskMenu*>(menu);
    ASSERT_NE(vellumMenu, nullptr);
    EXPECT_EQ(vellumMenu->selection(), QList<QObject*>{&vellum});
}
