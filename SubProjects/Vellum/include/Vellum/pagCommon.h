#pragma once

#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace VellumCtl {

// The design-time property page "Common" of Vellum: which scroll bars are
// shown, the outer frame and inner border switches and the four margins. It
// works on the first control of the host's selection only, and talks to it
// only through its properties by name.
class pagCommon : public QWidget
{
    Q_OBJECT
public:
    // Writes one property of a control; the host may route writes through its
    // own undo stack. Failures are thrown to the host.
    using PropertyWriter = std::function<void(QObject* control, const char* name, const QVariant& value)>;

    // Initialisation: fills the list and selects its first entry.
    explicit pagCommon(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Common"); }

    // Loads the fields from the first selected control. Loading is not an edit:
    // the changed flag is cleared afterwards.
    void SelectionChanged(const QList<QObject*>& selectedControls);
    // Writes the fields to the first selected control, in the page's order.
    void ApplyChanges();

    // Whether the user edited something since the last load or apply.
    bool Changed() const { return m_changed; }
    void setChanged(bool changed);

    void setPropertyWriter(PropertyWriter writer) { m_writer = std::move(writer); }

    QComboBox* cmbSliderAppereance() const { return m_cmbSliderAppereance; }
    QCheckBox* chkBorder() const { return m_chkBorder; }
    QCheckBox* chkInnerBorder() const { return m_chkInnerBorder; }
    QLineEdit* txtBorderLeft() const { return m_txtBorderLeft; }
    QLineEdit* txtBorderRight() const { return m_txtBorderRight; }
    QLineEdit* txtBorderTop() const { return m_txtBorderTop; }
    QLineEdit* txtBorderBottom() const { return m_txtBorderBottom; }

signals:
    void ChangedFlagChanged(bool changed);

private:
    QLineEdit* addMarginRow(QGroupBox* group, const QString& labelName, const QString& caption,
                            const QString& editName, int row);
    void markChanged();
    QObject* firstControl() const;
    void writeProperty(QObject* control, const char* name, const QVariant& value);

    QLabel* m_lblSliderAppereance;
    QComboBox* m_cmbSliderAppereance;
    QCheckBox* m_chkBorder;
    QCheckBox* m_chkInnerBorder;
    QGroupBox* m_frmBorder;
    QLineEdit* m_txtBorderLeft;
    QLineEdit* m_txtBorderRight;
    QLineEdit* m_txtBorderTop;
    QLineEdit* m_txtBorderBottom;

    QList<QPointer<QObject>> m_selection;
    PropertyWriter m_writer;
    bool m_changed = false;
    bool m_loading = false;
};

} // namespace VellumCtl
