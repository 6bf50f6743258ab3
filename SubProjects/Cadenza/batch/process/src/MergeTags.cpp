#include "MergeTags.h"

namespace {

// The number of the last entry of every genre list: the value that marks a tag
// without a genre. The list is fixed, so the number is known here; building a
// genre list for each file of a run only to read its last entry would cost
// more than the rest of the merge.
constexpr std::uint8_t NoGenre = 255;

void FillGap(const std::string& parsed, const std::string& fallback, void (Quaver::Tag::*set)(std::string),
             Quaver::Tag& into)
{
    if (parsed.empty() && !fallback.empty())
        (into.*set)(fallback);
}

} // namespace

Quaver::TagPtr MergeTags(const Quaver::Tag& parsed, const Quaver::Tag& defaults)
{
    auto merged = std::make_shared<Quaver::Tag>(parsed);

    FillGap(parsed.Artist(), defaults.Artist(), &Quaver::Tag::setArtist, *merged);
    FillGap(parsed.Album(), defaults.Album(), &Quaver::Tag::setAlbum, *merged);
    if (parsed.Track() == 0 && defaults.Track() != 0) {
        merged->setTrack(defaults.Track());
        merged->setTagType(defaults.TagType());
    }
    FillGap(parsed.Year(), defaults.Year(), &Quaver::Tag::setYear, *merged);
    FillGap(parsed.Comment(), defaults.Comment(), &Quaver::Tag::setComment, *merged);
    if (parsed.Genre() == NoGenre && defaults.Genre() != NoGenre)
        merged->setGenre(defaults.Genre());
    if (merged->TagType() == Quaver::ID3Unknown)
        merged->setTagType(Quaver::ID3V1);
    return merged;
}
