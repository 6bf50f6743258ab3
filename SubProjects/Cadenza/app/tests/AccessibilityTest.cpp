#include "Panels.h"
#include "frmFrame.h"
#include "frmInfo.h"

#include "About/frmAbout.h"
#include "ApplicationVersion.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Where a widget sits, by object names (class names for unnamed ones).
QString PathOf(const QWidget* widget)
{
    QStringList parts;
    for (const QObject* o = widget; o; o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                : o->objectName());
    return parts.join(QLatin1Char('/'));
}

// Every control below root that takes the keyboard focus but gives a screen
// reader no name (its own, a buddy label's or its caption). Parts of a
// composite control (a combo box's list, a scroll area's viewport) are named
// by the control they belong to.
std::string UnnamedControls(QWidget* root)
{
    QStringList unnamed;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy())
            continue;
        // A popup (a combo box's list) belongs to the control that opens it.
        if (widget->window() != root)
            continue;
        if (qobject_cast<QWidget*>(widget->parent()) && widget->parentWidget()->focusProxy() == widget)
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << PathOf(widget);
    }
    return unnamed.join(QLatin1Char('\n')).toStdString();
}

TEST(Accessibility, EveryFocusableControlHasAName)
{
    frmFrame window(createPanels());
    EXPECT_EQ(UnnamedControls(&window), "") << "main window and its panels";

    frmInfo info(&window);
    EXPECT_EQ(UnnamedControls(&info), "") << "information window";

    frmAbout about(frmAbout::Variant::Program, reinterpret_cast<const void*>(&ApplicationVersion));
    EXPECT_EQ(UnnamedControls(&about), "") << "about box";
}

} // namespace
