#include "MergeTags.h"

namespace {

// The number of the last entry of every genre list: the value that marks a tag
// without a genre. The list is fixed, so the number is known here; building a
// genre list for each file of a run only to read its last entry would cost
// more than the rest of the merge.
constexpr std::uint8_t NoGenre = 255;

void FillGap(const std::string& (Quaver::Tag::*get)() const, void (Quaver::Tag::*set)(std::string),
             const Quaver::Tag& defaults, Quaver::Tag& into)
{
    if ((into.*get)().empty() && !(defaults.*get)().empty())
        (into.*set)((defaults.*get)());
}

} // namespace

Quaver::TagPtr MergeTags(const Quaver::Tag& parsed, const Quaver::Tag& defaults)
{
    auto merged = std::make_shared<Quaver::Tag>(parsed);
    MergeInto(*merged, defaults);
    return merged;
}

void MergeInto(Quaver::Tag& merged, const Quaver::Tag& defaults)
{
    FillGap(&Quaver::Tag::Artist, &Quaver::Tag::setArtist, defaults, merged);
    FillGap(&Quaver::Tag::Album, &Quaver::Tag::setAlbum, defaults, merged);
    if (merged.Track() == 0 && defaults.Track() != 0) {
        merged.setTrack(defaults.Track());
        merged.setTagType(defaults.TagType());
    }
    FillGap(&Quaver::Tag::Year, &Quaver::Tag::setYear, defaults, merged);
    FillGap(&Quaver::Tag::Comment, &Quaver::Tag::setComment, defaults, merged);
    if (merged.Genre() == NoGenre && defaults.Genre() != NoGenre)
        merged.setGenre(defaults.Genre());
    if (merged.TagType() == Quaver::ID3Unknown)
        merged.setTagType(Quaver::ID3V1);
}
