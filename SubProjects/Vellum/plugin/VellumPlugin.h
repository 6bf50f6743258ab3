#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace VellumCtl {

// Lets Qt Designer place Vellum on forms. A placed instance starts with the
// settings of a new instance (margins 80); the settings that are always saved
// are marked as set, so a form stores them even when unchanged.
class VellumPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit VellumPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    bool m_initialized = false;
};

} // namespace VellumCtl
