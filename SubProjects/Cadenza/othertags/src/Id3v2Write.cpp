#include "OtherTags/Id3v2Write.h"

#include "TagSource.h"

#include "Quaver/Genres.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

#include <algorithm>
#include <memory>

namespace OtherTags {

namespace {

constexpr std::size_t HeaderLength = 10;
// What TagLib pads a tag with when the old padding does not fit or is too large.
constexpr std::size_t TagLibPadding = 1024;

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

TagLib::String text(const std::string& utf8)
{
    return TagLib::String(utf8, TagLib::String::UTF8);
}

void setFrame(TagLib::ID3v2::Tag& tag, const char* id, const std::string& value)
{
    tag.removeFrames(id);
    if (value.empty())
        return;
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, TagLib::String::UTF8);
    frame->setText(text(value));
    tag.addFrame(frame);
}

// The comment is the frame without a description; frames that carry one
// (players' own data) stay as they are.
void setComment(TagLib::ID3v2::Tag& tag, const std::string& value)
{
    TagLib::ID3v2::CommentsFrame* plain = nullptr;
    for (TagLib::ID3v2::Frame* frame : TagLib::ID3v2::FrameList(tag.frameList("COMM"))) {
        auto* comment = dynamic_cast<TagLib::ID3v2::CommentsFrame*>(frame);
        if (!comment || !comment->description().isEmpty())
            continue;
        if (value.empty() || plain)
            tag.removeFrame(comment);
        else
            plain = comment;
    }
    if (value.empty())
        return;
    if (!plain) {
        plain = new TagLib::ID3v2::CommentsFrame(TagLib::String::UTF8);
        plain->setLanguage("eng");
        tag.addFrame(plain);
    }
    plain->setText(text(value));
}

// The track number, keeping a total ("/12") the frame gave.
void setTrack(TagLib::ID3v2::Tag& tag, unsigned track)
{
    std::string total;
    if (const auto& frames = tag.frameList("TRCK"); !frames.isEmpty()) {
        const std::string old = frames.front()->toString().to8Bit(true);
        if (const auto slash = old.find('/'); slash != std::string::npos)
            total = old.substr(slash);
    }
    setFrame(tag, "TRCK", track ? std::to_string(track) + total : std::string());
}

void setSynchsafe(std::string& bytes, std::size_t at, std::size_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (7 * (3 - i))) & 0x7F);
}

// TagLib pads a rendered tag with 1024 bytes whenever the old padding was
// too small or more than it keeps; the new tag is padded to the old length
// instead when its frames fit, so the audio need not move.
void keepLength(std::string& rendered, std::size_t oldLength)
{
    const bool footer = (static_cast<unsigned char>(rendered[5]) & 0x10) != 0;
    if (footer || rendered.size() == oldLength || rendered.size() < HeaderLength + TagLibPadding)
        return;
    const std::size_t framesEnd = rendered.size() - TagLibPadding;
    if (framesEnd > oldLength || std::any_of(rendered.begin() + static_cast<std::ptrdiff_t>(framesEnd),
                                             rendered.end(), [](char c) { return c != '\0'; }))
        return;
    rendered.resize(framesEnd);
    rendered.resize(oldLength, '\0');
    setSynchsafe(rendered, 6, oldLength - HeaderLength);
}

} // namespace

Id3v2Update AllFields()
{
    return {{"title", "artist", "album", "year", "comment", "track", "genre"}, false};
}

RenderedId3v2 RenderId3v2(std::string_view bytes, const Quaver::Tag& record, const Id3v2Update& update)
{
    TagLib::ByteVectorStream stream(TagLib::ByteVector(bytes.data(), static_cast<unsigned>(bytes.size())));
    TagSource source(&stream);
    const std::unique_ptr<TagLib::ID3v2::Tag> tag = bytes.empty()
                                                        ? std::make_unique<TagLib::ID3v2::Tag>()
                                                        : std::make_unique<TagLib::ID3v2::Tag>(&source, 0);
    const bool v3 = !bytes.empty() && tag->header()->majorVersion() == 3;
    RenderedId3v2 result{std::string(bytes), v3 ? "ID3v2.3" : "ID3v2.4", false};

    const Fields existing = FieldsOf(*tag);
    const std::vector<std::string> differing = Differing(existing, record);
    // 255 is the trailer's "no genre" (named "<Undefined>" in the table).
    const char* genre = record.Genre() == 255 ? nullptr : Quaver::Genres::NameOf(record.Genre());
    const unsigned track =
        record.TagType() == Quaver::ID3V1 ? 0 : static_cast<unsigned>(std::max<int>(record.Track(), 0));
    // Whether the field goes in: asked for, not empty unless empties clear,
    // and not already what the tag holds as the trailer shows it.
    const auto wanted = [&](const std::string& name, bool held, bool empty) {
        if (!contains(update.Fields, name) || (empty && !update.EmptyClears))
            return false;
        return held ? contains(differing, name) : !empty;
    };
    bool touched = false;
    const auto set = [&](const std::string& name, bool held, bool empty, const auto& write) {
        if (wanted(name, held, empty)) {
            write();
            touched = true;
        }
    };
    set("title", existing.Title.has_value(), record.Title().empty(),
        [&] { tag->setTitle(text(record.Title())); });
    set("artist", existing.Artist.has_value(), record.Artist().empty(),
        [&] { tag->setArtist(text(record.Artist())); });
    set("album", existing.Album.has_value(), record.Album().empty(),
        [&] { tag->setAlbum(text(record.Album())); });
    set("year", existing.Year.has_value(), record.Year().empty(),
        [&] { setFrame(*tag, "TDRC", record.Year()); });
    set("comment", existing.Comment.has_value(), record.Comment().empty(),
        [&] { setComment(*tag, record.Comment()); });
    set("track", existing.Track.has_value(), track == 0, [&] { setTrack(*tag, track); });
    set("genre", existing.Genre.has_value(), genre == nullptr,
        [&] { setFrame(*tag, "TCON", genre ? genre : ""); });
    if (!touched)
        return result;

    const TagLib::ByteVector rendered = tag->render(v3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4);
    std::string out(rendered.data(), rendered.size());
    if (!bytes.empty())
        keepLength(out, bytes.size());
    result.Changed = out != bytes;
    result.Bytes = std::move(out);
    return result;
}

} // namespace OtherTags
