#include "OtherTags/EndBlocks.h"

#include "Quaver/TrailerCodec.h"

#include <algorithm>
#include <cstring>

namespace OtherTags::EndBlocks {

namespace {

using Quaver::TrailerCodec::Block;

constexpr std::size_t TitleAt = 4;
constexpr std::size_t GenreAt = TitleAt + 3 * ExtendedContinuation + 1;
constexpr std::size_t GenreLength = 30;
constexpr std::size_t TrailerTextLength = 30;

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void setText(std::optional<std::string>& field, std::string_view bytes)
{
    std::string text = trimmed(Text(bytes));
    if (!text.empty())
        field = std::move(text);
}

// A decimal number of exactly digits.size() digits.
std::optional<std::int64_t> number(std::string_view digits)
{
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::uint32_t littleEndian(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

std::string Text(std::string_view bytes)
{
    // The trailer's codec maps each byte to a character; it works on one
    // 128-byte block, so longer texts go through it a block at a time.
    bytes = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += Block().size()) {
        const std::size_t count = std::min(bytes.size() - at, Block().size());
        Block block{};
        std::memcpy(block.data(), bytes.data() + at, count);
        text += Quaver::TrailerCodec::BytesToText(block, 0, static_cast<int>(count) - 1);
    }
    return text;
}

bool IsExtended(std::string_view block)
{
    return block.size() >= ExtendedLength && block.substr(0, 4) == "TAG+";
}

Fields ParseExtended(std::string_view block, std::string_view trailer)
{
    Fields fields;
    std::optional<std::string>* texts[] = {&fields.Title, &fields.Artist, &fields.Album};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view continuation =
            block.substr(TitleAt + i * ExtendedContinuation, ExtendedContinuation);
        if (Text(continuation).empty())
            continue;
        // The block continues the trailer's 30 bytes, spaces included.
        const std::string full =
            Text(trailer.substr(3 + i * TrailerTextLength, TrailerTextLength)) + Text(continuation);
        *texts[i] = trimmed(full);
    }
    setText(fields.Genre, block.substr(GenreAt, GenreLength));
    return fields;
}

std::string UpdateExtended(std::string_view block, const std::optional<std::string>& title,
                           const std::optional<std::string>& artist, const std::optional<std::string>& album)
{
    std::string updated(block);
    const std::optional<std::string>* texts[] = {&title, &artist, &album};
    constexpr int whole = static_cast<int>(TrailerTextLength + ExtendedContinuation);
    for (std::size_t i = 0; i < 3; ++i) {
        if (!*texts[i])
            continue;
        Block bytes{};
        Quaver::TrailerCodec::TextToBytes(bytes, 0, whole - 1, **texts[i]);
        std::memcpy(updated.data() + TitleAt + i * ExtendedContinuation, bytes.data() + TrailerTextLength,
                    ExtendedContinuation);
    }
    return updated;
}

std::string FollowTrailer(std::string_view block, std::string_view oldTrailer, const Quaver::Tag& record)
{
    const std::string* texts[] = {&record.Title(), &record.Artist(), &record.Album()};
    std::optional<std::string> updates[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string old = Text(oldTrailer.substr(3 + i * TrailerTextLength, TrailerTextLength)) +
                                Text(block.substr(TitleAt + i * ExtendedContinuation, ExtendedContinuation));
        const int width = static_cast<int>(TrailerTextLength);
        if (trimmed(*texts[i]) != trimmed(Quaver::TrailerCodec::FitField(old, width).Stored))
            updates[i] = *texts[i];
    }
    return UpdateExtended(block, updates[0], updates[1], updates[2]);
}

std::optional<std::int64_t> LyricsSize(std::string_view footer)
{
    if (footer.size() != LyricsFooterLength || footer.substr(6) != "LYRICS200")
        return std::nullopt;
    return number(footer.substr(0, 6));
}

std::optional<Fields> ParseLyrics(std::string_view block)
{
    constexpr std::string_view begin = "LYRICSBEGIN";
    if (block.substr(0, begin.size()) != begin)
        return std::nullopt;
    Fields fields;
    for (std::size_t at = begin.size(); at < block.size();) {
        if (block.size() - at < 8)
            return std::nullopt;
        const std::string_view id = block.substr(at, 3);
        const auto size = number(block.substr(at + 3, 5));
        at += 8;
        if (!size || static_cast<std::size_t>(*size) > block.size() - at)
            return std::nullopt;
        const std::string_view data = block.substr(at, static_cast<std::size_t>(*size));
        at += static_cast<std::size_t>(*size);
        if (id == "ETT")
            setText(fields.Title, data);
        else if (id == "EAR")
            setText(fields.Artist, data);
        else if (id == "EAL")
            setText(fields.Album, data);
        else if (id == "INF")
            setText(fields.Comment, data);
    }
    return fields;
}

std::optional<std::int64_t> ApeLength(std::string_view footer)
{
    if (footer.size() != ApeFooterLength || footer.substr(0, 8) != "APETAGEX")
        return std::nullopt;
    const std::uint32_t size = littleEndian(footer.substr(12, 4));
    const bool header = (littleEndian(footer.substr(20, 4)) & 0x80000000u) != 0;
    if (size < ApeFooterLength)
        return std::nullopt;
    return static_cast<std::int64_t>(size) + (header ? static_cast<std::int64_t>(ApeFooterLength) : 0);
}

} // namespace OtherTags::EndBlocks
