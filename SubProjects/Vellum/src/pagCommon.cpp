#include "Vellum/pagCommon.h"

#include "Platform/Numeric.h"
#include "Platform/RuntimeError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

namespace VellumCtl {

namespace {

constexpr int ErrPropertyNotSupported = 438;

QVariant readProperty(const QObject* control, const char* name)
{
    const QVariant value = control->property(name);
    if (!value.isValid() && control->metaObject()->indexOfProperty(name) < 0)
        throw Platform::RuntimeError(ErrPropertyNotSupported, "pagCommon",
                                     "Object doesn't support this property or method");
    return value;
}

// A margin text as a 32-bit value, rounded half to even; nothing when it is
// not numeric or does not fit.
std::optional<int> marginValue(const QString& text)
{
    const auto value = Platform::NumericValue(text.toStdString());
    if (!value)
        return std::nullopt;
    const double rounded = Platform::RoundHalfEven(*value);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

} // namespace

pagCommon::pagCommon(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pagCommon"));
    setWindowTitle(Caption());

    m_lblSliderAppereance = new QLabel(QStringLiteral("Slider Appereance"), this);
    m_lblSliderAppereance->setObjectName(QStringLiteral("lblSliderAppereance"));
    m_cmbSliderAppereance = new QComboBox(this);
    m_cmbSliderAppereance->setObjectName(QStringLiteral("cmbSliderAppereance"));
    // The position of an entry is the slider appearance it stands for.
    m_cmbSliderAppereance->addItems({QStringLiteral("None"), QStringLiteral("VerticalOnly"),
                                     QStringLiteral("HorizontalOnly"), QStringLiteral("Both")});
    m_cmbSliderAppereance->setCurrentIndex(0);
    m_lblSliderAppereance->setBuddy(m_cmbSliderAppereance);

    m_chkBorder = new QCheckBox(QStringLiteral("Border"), this);
    m_chkBorder->setObjectName(QStringLiteral("chkBorder"));
    m_chkInnerBorder = new QCheckBox(QStringLiteral("Inner Border"), this);
    m_chkInnerBorder->setObjectName(QStringLiteral("chkInnerBorder"));

    m_frmBorder = new QGroupBox(QStringLiteral("Border Values"), this);
    m_frmBorder->setObjectName(QStringLiteral("frmBorder"));
    new QGridLayout(m_frmBorder);
    m_txtBorderLeft = addMarginRow(m_frmBorder, "Label1", "Left", "txtBorderLeft", 0);
    m_txtBorderRight = addMarginRow(m_frmBorder, "Label2", "Right", "txtBorderRight", 1);
    m_txtBorderTop = addMarginRow(m_frmBorder, "Label3", "Top", "txtBorderTop", 2);
    m_txtBorderBottom = addMarginRow(m_frmBorder, "Label4", "Bottom", "txtBorderBottom", 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSliderAppereance);
    layout->addWidget(m_cmbSliderAppereance);
    layout->addWidget(m_chkBorder);
    layout->addWidget(m_chkInnerBorder);
    layout->addWidget(m_frmBorder);
    layout->addStretch();

    connect(m_chkBorder, &QCheckBox::clicked, this, &pagCommon::markChanged);
    connect(m_chkInnerBorder, &QCheckBox::clicked, this, &pagCommon::markChanged);
    connect(m_cmbSliderAppereance, &QComboBox::activated, this, &pagCommon::markChanged);
}

QLineEdit* pagCommon::addMarginRow(QGroupBox* group, const QString& labelName, const QString& caption,
                                   const QString& editName, int row)
{
    auto* label = new QLabel(caption, group);
    label->setObjectName(labelName);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(editName);
    label->setBuddy(edit);
    auto* grid = static_cast<QGridLayout*>(group->layout());
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textChanged, this, &pagCommon::markChanged);
    return edit;
}

void pagCommon::markChanged()
{
    if (!m_loading)
        setChanged(true);
}

void pagCommon::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    emit ChangedFlagChanged(changed);
}

QObject* pagCommon::firstControl() const
{
    return m_selection.isEmpty() ? nullptr : m_selection.first().data();
}

void pagCommon::SelectionChanged(const QList<QObject*>& selectedControls)
{
    m_selection.clear();
    for (QObject* control : selectedControls)
        m_selection.append(control);
    QObject* c = firstControl();
    if (!c)
        return;

    m_loading = true;
    try {
        m_cmbSliderAppereance->setCurrentIndex(readProperty(c, "SliderAppereance").toInt());
        m_chkBorder->setChecked(readProperty(c, "BorderVisible").toBool());
        m_chkInnerBorder->setChecked(readProperty(c, "BorderInnerVisible").toBool());
        m_txtBorderLeft->setText(QString::number(readProperty(c, "BorderLeft").toInt()));
        m_txtBorderRight->setText(QString::number(readProperty(c, "BorderRight").toInt()));
        m_txtBorderTop->setText(QString::number(readProperty(c, "BorderTop").toInt()));
        m_txtBorderBottom->setText(QString::number(readProperty(c, "BorderBottom").toInt()));
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    setChanged(false);
}

void pagCommon::writeProperty(QObject* control, const char* name, const QVariant& value)
{
    if (m_writer) {
        m_writer(control, name, value);
        return;
    }
    if (!control->setProperty(name, value))
        throw Platform::RuntimeError(ErrPropertyNotSupported, "pagCommon",
                                     "Object doesn't support this property or method");
}

void pagCommon::ApplyChanges()
{
    QObject* c = firstControl();
    if (!c)
        return;
    // A value the list has no entry for (for example 7) is shown without a
    // selection; writing that back would change the control, so it is kept.
    if (m_cmbSliderAppereance->currentIndex() >= 0)
        writeProperty(c, "SliderAppereance", m_cmbSliderAppereance->currentIndex());
    writeProperty(c, "BorderVisible", m_chkBorder->isChecked());
    writeProperty(c, "BorderInnerVisible", m_chkInnerBorder->isChecked());
    const std::pair<QLineEdit*, const char*> margins[] = {{m_txtBorderLeft, "BorderLeft"},
                                                          {m_txtBorderRight, "BorderRight"},
                                                          {m_txtBorderTop, "BorderTop"},
                                                          {m_txtBorderBottom, "BorderBottom"}};
    for (const auto& [edit, name] : margins) {
        if (const auto value = marginValue(edit->text()))
            writeProperty(c, name, *value);
    }
    setChanged(false);
}

} // namespace VellumCtl
