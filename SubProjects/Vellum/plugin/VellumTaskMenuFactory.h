#pragma once

#include <QExtensionFactory>

namespace VellumCtl {

// Gives Qt Designer a VellumTaskMenu for every Vellum on a form.
class VellumTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    explicit VellumTaskMenuFactory(QExtensionManager* parent = nullptr);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace VellumCtl
