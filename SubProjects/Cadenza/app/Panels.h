#pragma once

#include <QList>

class QWidget;

// Creates the panels of the main window in placement order, which is the order
// in which the window registers them and lists them in its tree.
QList<QWidget*> createPanels();
