#include "VellumPlugin.h"

#include "VellumTaskMenuFactory.h"

#include "Vellum/TypeInfo.h"
#include "Vellum/Vellum.h"

#include <QDesignerFormEditorInterface>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>
#include <QIcon>

namespace VellumCtl {

VellumPlugin::VellumPlugin(QObject* parent) : QObject(parent) {}

QString VellumPlugin::name() const
{
    return QStringLiteral("VellumCtl::Vellum");
}

QString VellumPlugin::group() const
{
    return QStringLiteral("Legato");
}

QString VellumPlugin::toolTip() const
{
    return QString::fromLatin1(VellumDisplayName);
}

QString VellumPlugin::whatsThis() const
{
    return QStringLiteral("A scroll container that shows a content pane larger than itself.");
}

QString VellumPlugin::includeFile() const
{
    return QStringLiteral("Vellum/Vellum.h");
}

QIcon VellumPlugin::icon() const
{
    return {};
}

bool VellumPlugin::isContainer() const
{
    return false;
}

QWidget* VellumPlugin::createWidget(QWidget* parent)
{
    auto* vellum = new Vellum(parent);
    vellum->InitProperties();
    return vellum;
}

bool VellumPlugin::isInitialized() const
{
    return m_initialized;
}

void VellumPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (m_initialized || !core)
        return;
    QExtensionManager* manager = core->extensionManager();
    if (manager)
        manager->registerExtensions(new VellumTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    m_initialized = true;
}

QString VellumPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="Vellum Pane">
 <widget class="VellumCtl::Vellum" name="scrPanel">
  <property name="geometry"><rect><x>0</x><y>0</y><width>200</width><height>150</height></rect></property>
  <property name="BorderLeft"><number>80</number></property>
  <property name="BorderRight"><number>80</number></property>
  <property name="BorderTop"><number>80</number></property>
  <property name="BorderBottom"><number>80</number></property>
  <property name="BorderInnerVisible"><bool>true</bool></property>
  <property name="BorderVisible"><bool>true</bool></property>
  <property name="AutoResize"><bool>false</bool></property>
 </widget>
</ui>
)");
}

} // namespace VellumCtl
