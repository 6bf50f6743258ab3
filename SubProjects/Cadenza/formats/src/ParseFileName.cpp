#include "modTagFormat.h"

#include "Platform/Ansi.h"
#include "Platform/Numeric.h"

namespace modTagFormat {

namespace {

// UTF-16 to UTF-8 straight into the record's string (a surrogate without its
// partner becomes '?'); going through QByteArray would allocate twice per field.
std::string toUtf8(QStringView text)
{
    const qsizetype n = text.size();
    std::string out(static_cast<std::size_t>(n), '\0');
    qsizetype i = 0;
    for (; i < n && text[i].unicode() < 0x80; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
    if (i == n)
        return out; // plain ASCII, the usual case
    out.resize(static_cast<std::size_t>(i));
    for (; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
        else if (QChar::isSurrogate(c))
            c = '?';
        Platform::AppendUtf8(out, c);
    }
    return out;
}

} // namespace

bool ParseFileName(TagFormats& pattern, const QString& baseName, std::shared_ptr<Quaver::Tag>& tag)
{
    tag = std::make_shared<Quaver::Tag>();
    bool parseError = false;
    // One flag for all five calls: a call whose separator search fails leaves
    // it as the previous call set it, and the track rule depends on that.
    bool isMissing = false;

    tag->setArtist(toUtf8(pattern.TagAttributeView(TagAttributeArtist, baseName, isMissing)));
    tag->setAlbum(toUtf8(pattern.TagAttributeView(TagAttributeAlbum, baseName, isMissing)));
    tag->setTitle(toUtf8(pattern.TagAttributeView(TagAttributeTitle, baseName, isMissing)));

    const QStringView track = pattern.TagAttributeView(TagAttributeTrack, baseName, isMissing);
    if (!isMissing) {
        // Not numeric and numeric beyond 16 bits are both a misfit.
        const auto number = Platform::TextToInt16(toUtf8(track));
        if (track.isEmpty() || !number) {
            parseError = true;
        } else {
            tag->setTrack(*number);
            tag->setTagType(Quaver::ID3V11);
        }
    }

    tag->setYear(toUtf8(pattern.TagAttributeView(TagAttributeYear, baseName, isMissing)));
    return parseError;
}

} // namespace modTagFormat
