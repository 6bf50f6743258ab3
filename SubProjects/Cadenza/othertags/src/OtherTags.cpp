#include "OtherTags/OtherTags.h"

#include "OtherTags/EndBlocks.h"
#include "OtherTags/Id3v2Write.h"
#include "TagSource.h"

#include "Quaver/Genres.h"
#include "Quaver/TrailerCodec.h"

#include "Platform/FileDescriptor.h"

#include <taglib/apetag.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/tfile.h>
#include <taglib/tfilestream.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace OtherTags {

namespace {

constexpr std::int64_t TrailerLength = 128;
constexpr std::size_t Id3v2HeaderLength = 10;

// Opens the file for TagLib once, when the first tag needs it.
class Lazy
{
public:
    explicit Lazy(const std::string& path) : m_path(path) {}
    TagSource* get()
    {
        if (!m_file) {
            m_stream = std::make_unique<TagLib::FileStream>(m_path.c_str(), true);
            m_file = std::make_unique<TagSource>(m_stream.get());
        }
        return m_file->isOpen() ? m_file.get() : nullptr;
    }

private:
    std::string m_path;
    std::unique_ptr<TagLib::FileStream> m_stream;
    std::unique_ptr<TagSource> m_file;
};

// count bytes at offset of an open file, fewer only at the end of the file or on an error.
std::string readAt(int fd, std::int64_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, bytes.data() + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

void setText(std::optional<std::string>& field, const TagLib::String& text)
{
    std::string utf8 = text.to8Bit(true);
    if (!utf8.empty())
        field = std::move(utf8);
}

} // namespace

Fields FieldsOf(const TagLib::Tag& tag)
{
    Fields fields;
    setText(fields.Title, tag.title());
    setText(fields.Artist, tag.artist());
    setText(fields.Album, tag.album());
    setText(fields.Comment, tag.comment());
    setText(fields.Genre, tag.genre());
    if (tag.year() != 0)
        fields.Year = std::to_string(tag.year());
    if (tag.track() != 0)
        fields.Track = tag.track();
    return fields;
}

std::int64_t Id3v2Length(std::string_view head)
{
    if (head.size() < Id3v2HeaderLength || head.substr(0, 3) != "ID3")
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
    if (byte(3) < 2 || byte(3) > 4 || byte(4) == 0xFF)
        return 0;
    std::int64_t size = 0;
    for (std::size_t i = 6; i < 10; ++i) {
        if (byte(i) >= 0x80)
            return 0;
        size = (size << 7) | byte(i);
    }
    const bool footer = byte(3) == 4 && (byte(5) & 0x10) != 0;
    return static_cast<std::int64_t>(Id3v2HeaderLength) * (footer ? 2 : 1) + size;
}

namespace {

// Where the part before the trailer ends, given the file's last bytes.
std::size_t beforeTrailer(std::string_view end, std::int64_t size)
{
    if (size >= TrailerLength && end.size() >= static_cast<std::size_t>(TrailerLength) &&
        end.substr(end.size() - TrailerLength, 3) == "TAG")
        return end.size() - TrailerLength;
    return end.size();
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

bool MayHold(std::string_view head, std::string_view end, std::int64_t size)
{
    if (Id3v2Length(head) > 0)
        return true;
    const std::size_t before = beforeTrailer(end, size);
    if (before < end.size() && before >= EndBlocks::ExtendedLength &&
        EndBlocks::IsExtended(end.substr(before - EndBlocks::ExtendedLength)))
        return true;
    if (before >= EndBlocks::LyricsFooterLength &&
        EndBlocks::LyricsSize(
            end.substr(before - EndBlocks::LyricsFooterLength, EndBlocks::LyricsFooterLength)))
        return true;
    return before >= EndBlocks::ApeFooterLength &&
           EndBlocks::ApeLength(end.substr(before - EndBlocks::ApeFooterLength, EndBlocks::ApeFooterLength));
}

std::vector<Found> Read(const std::string& path)
{
    const Platform::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info
    {
    };
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    const std::int64_t size = info.st_size;
    const std::string head = readAt(fd.get(), 0, HeadBytes);
    const std::size_t endCount = static_cast<std::size_t>(std::min<std::int64_t>(size, EndBytes));
    const std::string end = readAt(fd.get(), size - static_cast<std::int64_t>(endCount), endCount);
    if (end.size() != endCount || !MayHold(head, end, size))
        return {};

    Lazy taglib(path);
    std::vector<Found> found;
    std::int64_t front = 0;
    if (const std::int64_t length = Id3v2Length(head); length > 0 && length <= size) {
        if (TagSource* file = taglib.get()) {
            const TagLib::ID3v2::Tag tag(file, 0);
            const unsigned version = tag.header()->majorVersion();
            found.push_back({"ID3v2." + std::to_string(version), 0, length, FieldsOf(tag)});
            front = length;
        }
    }

    // The blocks before the trailer are found from the back: TAG+ right before
    // it, then Lyrics3v2 and APEv2 blocks in any order.
    std::vector<Found> back;
    std::int64_t stop = size;
    std::string trailer;
    if (const std::size_t before = beforeTrailer(end, size); before < end.size()) {
        trailer = end.substr(before);
        stop -= TrailerLength;
        if (before >= EndBlocks::ExtendedLength) {
            const std::string_view block =
                std::string_view(end).substr(before - EndBlocks::ExtendedLength, EndBlocks::ExtendedLength);
            if (EndBlocks::IsExtended(block)) {
                stop -= static_cast<std::int64_t>(EndBlocks::ExtendedLength);
                back.push_back({"TAG+", stop, static_cast<std::int64_t>(EndBlocks::ExtendedLength),
                                EndBlocks::ParseExtended(block, trailer)});
            }
        }
    }
    for (;;) {
        if (stop - front >= static_cast<std::int64_t>(EndBlocks::LyricsFooterLength)) {
            const auto footerAt = stop - static_cast<std::int64_t>(EndBlocks::LyricsFooterLength);
            const auto length =
                EndBlocks::LyricsSize(readAt(fd.get(), footerAt, EndBlocks::LyricsFooterLength));
            if (length && footerAt - *length >= front) {
                const auto fields = EndBlocks::ParseLyrics(
                    readAt(fd.get(), footerAt - *length, static_cast<std::size_t>(*length)));
                if (fields) {
                    stop = footerAt - *length;
                    back.push_back({"Lyrics3v2", stop,
                                    *length + static_cast<std::int64_t>(EndBlocks::LyricsFooterLength),
                                    *fields});
                    continue;
                }
            }
        }
        if (stop - front >= static_cast<std::int64_t>(EndBlocks::ApeFooterLength)) {
            const auto footerAt = stop - static_cast<std::int64_t>(EndBlocks::ApeFooterLength);
            const auto length = EndBlocks::ApeLength(readAt(fd.get(), footerAt, EndBlocks::ApeFooterLength));
            if (length && stop - *length >= front) {
                if (TagSource* file = taglib.get()) {
                    const TagLib::APE::Tag tag(file, static_cast<long>(footerAt));
                    stop -= *length;
                    back.push_back({"APEv2", stop, *length, FieldsOf(tag)});
                    continue;
                }
            }
        }
        break;
    }
    found.insert(found.end(), back.rbegin(), back.rend());
    return found;
}

Quaver::TagPtr ToTrailer(const Fields& fields)
{
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTitle(fields.Title.value_or(""));
    tag->setArtist(fields.Artist.value_or(""));
    tag->setAlbum(fields.Album.value_or(""));
    tag->setYear(fields.Year.value_or(""));
    tag->setComment(fields.Comment.value_or(""));
    if (fields.Track && *fields.Track <= 255) {
        tag->setTrack(static_cast<std::int16_t>(*fields.Track));
        tag->setTagType(Quaver::TagTypeForTrack(tag->Track()));
    }
    if (fields.Genre) {
        const std::string wanted = lower(*fields.Genre);
        for (int number = 0; number < 255; ++number) {
            const char* name = Quaver::Genres::NameOf(number);
            if (name && lower(name) == wanted) {
                tag->setGenre(static_cast<std::uint8_t>(number));
                break;
            }
        }
    }
    return tag;
}

std::vector<std::string> Differing(const Fields& fields, const Quaver::Tag& trailer)
{
    using Quaver::TrailerCodec::TextField;
    const struct
    {
        const char* name;
        const std::optional<std::string>& value;
        TextField field;
        const std::string& shown;
    } texts[] = {{"title", fields.Title, TextField::Title, trailer.Title()},
                 {"artist", fields.Artist, TextField::Artist, trailer.Artist()},
                 {"album", fields.Album, TextField::Album, trailer.Album()},
                 {"year", fields.Year, TextField::Year, trailer.Year()},
                 {"comment", fields.Comment, TextField::Comment, trailer.Comment()}};
    std::vector<std::string> differing;
    for (const auto& text : texts) {
        if (!text.value)
            continue;
        const int width = Quaver::TrailerCodec::FieldWidth(text.field, trailer.TagType());
        if (trimmed(Quaver::TrailerCodec::FitField(*text.value, width).Stored) != trimmed(text.shown))
            differing.emplace_back(text.name);
    }
    if (fields.Track && *fields.Track != static_cast<unsigned>(std::max<int>(trailer.Track(), 0)))
        differing.emplace_back("track");
    const char* genre = Quaver::Genres::NameOf(trailer.Genre());
    if (fields.Genre && (!genre || lower(*fields.Genre) != lower(genre)))
        differing.emplace_back("genre");
    return differing;
}

const Found* FirstId3v2(const std::vector<Found>& tags)
{
    for (const Found& tag : tags)
        if (tag.Kind.rfind("ID3v2.", 0) == 0)
            return &tag;
    return nullptr;
}

} // namespace OtherTags
