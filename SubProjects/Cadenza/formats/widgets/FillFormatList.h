#pragma once

#include "modTagFormat.h"

#include <memory>

class QComboBox;

namespace modTagFormat {

// Replaces formats with a new collection of the default patterns and the
// entries of list with their texts, in the same order, and selects the first.
// Entry i of the list belongs to key QString::number(i) and position i + 1.
void FillFormatList(std::shared_ptr<TagFormatCollection>& formats, QComboBox* list);

} // namespace modTagFormat
