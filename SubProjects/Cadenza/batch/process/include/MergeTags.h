#pragma once

#include "Quaver/Tag.h"

// The tag a batch run writes for one file: the fields read from its name
// (parsed), with the gaps filled from the user's default tag. Returns a new
// record; neither argument is changed.
//
// - Title, and every field the name gave, come from parsed.
// - Artist, album, year and comment: the default's when parsed's is empty.
// - Track: when parsed's is 0, the default's track together with the default's
//   tag type (so a default track makes a v1.1 tag).
// - Genre: the default's when parsed has none (255) and the default has one.
// - A type still unknown at the end becomes ID3v1.0.
Quaver::TagPtr MergeTags(const Quaver::Tag& parsed, const Quaver::Tag& defaults);
// The same merge done on parsed itself, for a record nothing else holds.
void MergeInto(Quaver::Tag& parsed, const Quaver::Tag& defaults);
