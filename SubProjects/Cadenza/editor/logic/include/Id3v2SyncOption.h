#pragma once

#include "OtherTags/Id3v2Sync.h"

#include <QString>

// The two check boxes "Also update ID3v2" and "Create an ID3v2 tag where
// there is none" of the editor and the batch panel, and how each panel
// remembers them in the program's settings.
namespace Id3v2SyncOption {

// What the boxes ask for; the second counts only with the first.
OtherTags::Id3v2Sync FromChecks(bool also, bool create);
bool AlsoChecked(OtherTags::Id3v2Sync sync);
bool CreateChecked(OtherTags::Id3v2Sync sync);

// The choice a panel (by its key, e.g. "ucTagEditor") made last; Off when it
// made none or the stored value is not one of the choices.
OtherTags::Id3v2Sync Stored(const QString& panel);
void Store(const QString& panel, OtherTags::Id3v2Sync sync);

} // namespace Id3v2SyncOption
