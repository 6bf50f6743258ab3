#pragma once

#include "TagFormatCollection.h"
#include "TagFormats.h"

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

} // namespace modTagFormat
