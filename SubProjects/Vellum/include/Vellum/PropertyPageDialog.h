#pragma once

#include <QDialog>

class QDialogButtonBox;

namespace VellumCtl {

class pagCommon;

// Hosts the "Common" page for a selection of controls: OK applies and closes,
// Apply applies (enabled while the page has unapplied edits), Cancel closes.
// Errors thrown by a property write are shown in a message box and keep the
// dialog open.
class PropertyPageDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PropertyPageDialog(const QList<QObject*>& selection, QWidget* parent = nullptr);

    pagCommon* page() const { return m_page; }
    QDialogButtonBox* buttons() const { return m_buttons; }

    // Applies the page; false when a property write failed (the user was told).
    bool apply();

private:
    pagCommon* m_page;
    QDialogButtonBox* m_buttons;
};

} // namespace VellumCtl
