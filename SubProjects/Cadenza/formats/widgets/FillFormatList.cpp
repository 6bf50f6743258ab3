#include "FillFormatList.h"

#include <QComboBox>

namespace modTagFormat {

void FillFormatList(std::shared_ptr<TagFormatCollection>& formats, QComboBox* list)
{
    formats = DefaultFormats();
    if (!list)
        return;
    list->clear();
    for (qint32 i = 0; i < formats->Count(); ++i)
        list->insertItem(i, formats->ItemAt(i + 1)->Serialize());
    list->setCurrentIndex(0);
}

} // namespace modTagFormat
