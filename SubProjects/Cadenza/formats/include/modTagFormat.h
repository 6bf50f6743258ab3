#pragma once

#include "TagFormatCollection.h"
#include "TagFormats.h"

#include "Quaver/Tag.h"

#include <QString>
#include <memory>

// Building the file-name patterns of the program.
namespace modTagFormat {

std::shared_ptr<TagFormat> NewAlbumFormat();
std::shared_ptr<TagFormat> NewArtistFormat();
std::shared_ptr<TagFormat> NewTitleFormat();
std::shared_ptr<TagFormat> NewTrackFormat();
std::shared_ptr<TagFormat> NewSeparatorFormat(const QString& text, qint32 occurrence);

// The three fixed patterns under the keys "0", "1", "2", in that order:
// "#AR# - #AL# - #TR#.#TI#", "#AR# - #TI#", "#AR# - #TR#.#TI#".
// FillFormatList (CadenzaFormatsWidgets) shows the same list in a drop-down.
std::shared_ptr<TagFormatCollection> DefaultFormats();

// Reads the fields the pattern names out of a base name (no folder, no last
// extension) into a new record, which tag receives. Returns true for a parse
// error: the pattern has a track placeholder and the name's track text is
// empty, not numeric, or outside the 16-bit range (never stored wrongly). A
// numeric track (rounded half to even) makes the record ID3v1.1; without one
// the record keeps ID3Unknown. Fields the name does not fit stay empty.
bool ParseFileName(TagFormats& pattern, const QString& baseName, std::shared_ptr<Quaver::Tag>& tag);

} // namespace modTagFormat
