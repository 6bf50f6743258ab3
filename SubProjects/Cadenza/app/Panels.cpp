#include "Panels.h"

// One line per panel, in placement order: batch, tag editor, program information.
QList<QWidget*> createPanels()
{
    return {
    };
}
