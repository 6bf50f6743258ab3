#pragma once

#include "OtherTags/OtherTags.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The small fixed formats that sit between the audio and the ID3v1 trailer,
// read from their bytes without any file I/O. Texts in them are single-byte
// Windows-1252, as in the trailer.
namespace OtherTags::EndBlocks {

// The extended block of 227 bytes right before the trailer: "TAG+", then
// 60 bytes each continuing the trailer's title, artist and album, a speed
// byte, a 30-byte genre text and two 6-byte times.
inline constexpr std::size_t ExtendedLength = 227;
inline constexpr std::size_t ExtendedContinuation = 60;

// Whether block (at least ExtendedLength bytes) starts with "TAG+".
bool IsExtended(std::string_view block);

// The fields a TAG+ block holds: title, artist and album as the trailer's 30
// bytes (trailer, 128 bytes) followed by the continuation, when it is not
// empty; the genre text.
Fields ParseExtended(std::string_view block, std::string_view trailer);

// The TAG+ block updated for new full texts of title, artist and album: each
// continuation holds what lies beyond the trailer's 30 characters (cut to 60,
// padded with 0x00); the block keeps its size and every other byte. A text
// not given keeps its continuation.
std::string UpdateExtended(std::string_view block, const std::optional<std::string>& title,
                           const std::optional<std::string>& artist, const std::optional<std::string>& album);

// The TAG+ block continuing a new trailer record (its full texts): a title,
// artist or album that is what the old trailer (128 bytes) and block showed
// of it as the trailer holds it (cut to 30 characters) keeps its
// continuation; another gets the record's. The block keeps its size.
std::string FollowTrailer(std::string_view block, std::string_view oldTrailer, const Quaver::Tag& record);

// A Lyrics3v2 block ends in 6 decimal digits (the size of the block from
// "LYRICSBEGIN" up to them) and "LYRICS200".
inline constexpr std::size_t LyricsFooterLength = 15;

// The block's size from its footer (the last LyricsFooterLength bytes before
// where the block ends), or nothing when there is no Lyrics3v2 footer.
std::optional<std::int64_t> LyricsSize(std::string_view footer);

// The fields of a Lyrics3v2 block (its bytes from "LYRICSBEGIN" up to the
// footer): the extended title (ETT), artist (EAR) and album (EAL), and the
// information field (INF) as the comment. Nothing when the block is damaged.
std::optional<Fields> ParseLyrics(std::string_view block);

// The APEv2 footer (32 bytes): "APETAGEX", version, size of items and footer,
// item count, flags (bit 31: a header precedes the items).
inline constexpr std::size_t ApeFooterLength = 32;

// How far the tag reaches before the end of its footer (items, footer and a
// header when there is one), or nothing when footer is no APEv2 footer.
std::optional<std::int64_t> ApeLength(std::string_view footer);

// Windows-1252 bytes as UTF-8, up to the first 0x00.
std::string Text(std::string_view bytes);

} // namespace OtherTags::EndBlocks
