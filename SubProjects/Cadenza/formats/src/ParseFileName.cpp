#include "modTagFormat.h"

#include "Platform/FileNameCodec.h"
#include "Platform/Numeric.h"

namespace modTagFormat {

bool ParseFileName(TagFormats& pattern, const QString& baseName, std::shared_ptr<Quaver::Tag>& tag)
{
    tag = std::make_shared<Quaver::Tag>();
    bool parseError = false;
    // One flag for all five calls: a call whose separator search fails leaves
    // it as the previous call set it, and the track rule depends on that.
    bool isMissing = false;

    tag->setArtist(
        Platform::FileNameToText(pattern.TagAttributeView(TagAttributeArtist, baseName, isMissing)));
    tag->setAlbum(Platform::FileNameToText(pattern.TagAttributeView(TagAttributeAlbum, baseName, isMissing)));
    tag->setTitle(Platform::FileNameToText(pattern.TagAttributeView(TagAttributeTitle, baseName, isMissing)));

    const QStringView track = pattern.TagAttributeView(TagAttributeTrack, baseName, isMissing);
    if (!isMissing) {
        // Not numeric and numeric beyond 16 bits are both a misfit.
        const auto number = Platform::TextToInt16(Platform::FileNameToText(track));
        if (track.isEmpty() || !number) {
            parseError = true;
        } else {
            tag->setTrack(*number);
            tag->setTagType(Quaver::ID3V11);
        }
    }

    tag->setYear(Platform::FileNameToText(pattern.TagAttributeView(TagAttributeYear, baseName, isMissing)));
    return parseError;
}

} // namespace modTagFormat
