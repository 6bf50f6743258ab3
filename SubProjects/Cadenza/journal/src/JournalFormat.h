#pragma once

#include "FileEnd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a run file. Fields are separated by tabs; texts and bytes are
// base64, so no field holds a tab or a newline. Every line ends in the
// checksum of what comes before it: "<fields>\t<8 hex digits>\n".
namespace Journal::Format {

constexpr std::string_view kMagic = "legato-journal";
constexpr int kVersion = 1;
constexpr const char* kSource = "Undo journal";

std::string RunFileName(int id);
std::optional<int> RunId(std::string_view fileName);

std::string Base64(std::string_view bytes);
void AppendBase64(std::string& out, std::string_view bytes);
std::optional<std::string> FromBase64(std::string_view text);
// value in lower-case hexadecimal, zero-padded to digits.
std::string Hex(std::uint64_t value, int digits);
void AppendHex(std::string& out, std::uint64_t value, int digits);
void AppendNumber(std::string& out, std::int64_t value);

// Appends one line of the given fields, checksum and newline included.
void AppendLine(std::string& out, const std::vector<std::string>& fields);
// Ends the line whose fields were appended to out from start on (tab
// separated): appends its checksum and the newline.
void EndLine(std::string& out, std::size_t start);

// The fields of one line (without its newline); nothing when its checksum
// does not match.
std::optional<std::vector<std::string>> ParseLine(std::string_view line);

// Three fields: size, trailer (or "-"), modification time ("seconds.nanoseconds").
void AppendEnd(std::string& out, const FileEnd& end);
std::optional<FileEnd> DecodeEnd(std::string_view size, std::string_view trailer, std::string_view modified);

// A 64-bit FNV-1a digest of bytes, as 16 hex digits: what the journal keeps
// of the bytes a write leaves.
std::string DigestHex(std::string_view bytes);

// A splice's record: the fields after the entry number and the name.
struct SpliceRecord
{
    std::int64_t beforeSize = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0; // before the write
    std::string oldFront, oldBack;
    std::int64_t afterSize = 0;
    std::size_t newFrontLength = 0, newBackLength = 0;
    std::string newFrontDigest, newBackDigest;
};
std::vector<std::string> EncodeSplice(const SpliceRecord& record);
// From the fields after the name; nothing when one is damaged.
std::optional<SpliceRecord> DecodeSplice(const std::vector<std::string>& fields, std::size_t first);

} // namespace Journal::Format
