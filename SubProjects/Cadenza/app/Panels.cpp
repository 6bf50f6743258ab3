#include "Panels.h"

#include "ucAppInfo.h"
#include "ucBatch.h"
#include "ucTagEditor.h"

// One line per panel, in placement order: batch, tag editor, program information.
QList<QWidget*> createPanels()
{
    return {
        new ucBatch,
        new ucTagEditor,
        new ucAppInfo,
    };
}
