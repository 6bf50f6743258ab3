#include "modTagFormat.h"

#include "Platform/Numeric.h"

namespace modTagFormat {

bool ParseFileName(TagFormats& pattern, const QString& baseName, std::shared_ptr<Quaver::Tag>& tag)
{
    tag = std::make_shared<Quaver::Tag>();
    bool parseError = false;
    // One flag for all five calls: a call whose separator search fails leaves
    // it as the previous call set it, and the track rule depends on that.
    bool isMissing = false;

    tag->setArtist(pattern.TagAttributeString(TagAttributeArtist, baseName, isMissing).toStdString());
    tag->setAlbum(pattern.TagAttributeString(TagAttributeAlbum, baseName, isMissing).toStdString());
    tag->setTitle(pattern.TagAttributeString(TagAttributeTitle, baseName, isMissing).toStdString());

    const QString track = pattern.TagAttributeString(TagAttributeTrack, baseName, isMissing);
    if (!isMissing) {
        // Not numeric and numeric beyond 16 bits are both a misfit.
        const auto number = Platform::TextToInt16(track.toStdString());
        if (track.isEmpty() || !number) {
            parseError = true;
        } else {
            tag->setTrack(*number);
            tag->setTagType(Quaver::ID3V11);
        }
    }

    tag->setYear(pattern.TagAttributeString(TagAttributeYear, baseName, isMissing).toStdString());
    return parseError;
}

} // namespace modTagFormat
