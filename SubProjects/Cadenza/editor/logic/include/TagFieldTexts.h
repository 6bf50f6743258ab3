#pragma once

#include <QString>
#include <memory>

namespace Quaver {
class Tag;
}

// What the tag field panel shows for a record, and the rules that turn what the
// user typed back into a record. Kept apart from the widgets so both directions
// can be checked without a window.
struct TagFieldTexts
{
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Track; // two digits for a v1.1 record, empty otherwise
    QString Comment;
    QString GenreText; // the genre's name as the genre box shows it
    QString GenreByte; // the genre number that counts when collecting

    // The texts for a record: the track only for v1.1, zero-padded to two
    // digits; the genre name from the record's own genre list (numbers without
    // an entry get the list's "<Not defined (n)>" entry).
    static TagFieldTexts fromTag(const Quaver::Tag& tag);

    // Writes the texts into the record: texts as typed, the genre number from
    // GenreByte, the track when numeric (half to even) and 0 otherwise, and the
    // type v1.1 exactly when the track is 1 to 255, v1.0 otherwise.
    void collectInto(Quaver::Tag& tag) const;

    bool operator==(const TagFieldTexts&) const = default;
};
