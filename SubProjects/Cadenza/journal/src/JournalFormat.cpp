#include "JournalFormat.h"

#include <QByteArray>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace Journal::Format {

namespace {

std::uint32_t checksum(std::string_view text)
{
    std::uint32_t hash = 2166136261U;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619U;
    }
    return hash;
}

template <typename T> std::optional<T> number(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

std::string RunFileName(int id)
{
    char name[32];
    std::snprintf(name, sizeof name, "run-%06d.journal", id);
    return name;
}

std::optional<int> RunId(std::string_view fileName)
{
    constexpr std::string_view prefix = "run-", suffix = ".journal";
    if (fileName.size() <= prefix.size() + suffix.size() || fileName.substr(0, prefix.size()) != prefix ||
        fileName.substr(fileName.size() - suffix.size()) != suffix)
        return std::nullopt;
    const auto id =
        number<int>(fileName.substr(prefix.size(), fileName.size() - prefix.size() - suffix.size()));
    return id && *id > 0 ? id : std::nullopt;
}

// Encoding runs for every file a run records, so it writes the text
// directly (standard alphabet, padded); decoding is left to Qt.
void AppendBase64(std::string& out, std::string_view bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto byte = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) : 0U;
    };
    const std::size_t at = out.size();
    out.resize(at + (bytes.size() + 2) / 3 * 4);
    char* text = out.data() + at;
    for (std::size_t i = 0; i < bytes.size(); i += 3, text += 4) {
        const std::uint32_t group = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        text[0] = kDigits[group >> 18];
        text[1] = kDigits[(group >> 12) & 63];
        text[2] = i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
        text[3] = i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
}

std::string Base64(std::string_view bytes)
{
    std::string out;
    AppendBase64(out, bytes);
    return out;
}

void AppendHex(std::string& out, std::uint64_t value, int digits)
{
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4)
        out[at + static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 15];
}

std::string Hex(std::uint64_t value, int digits)
{
    std::string text;
    AppendHex(text, value, digits);
    return text;
}

void AppendNumber(std::string& out, std::int64_t value)
{
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, end);
}

std::optional<std::string> FromBase64(std::string_view text)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return decoded.decoded.toStdString();
}

void AppendLine(std::string& out, const std::vector<std::string>& fields)
{
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += '\t';
        out += fields[i];
    }
    EndLine(out, start);
}

void EndLine(std::string& out, std::size_t start)
{
    const std::uint32_t sum = checksum(std::string_view(out).substr(start));
    out += '\t';
    AppendHex(out, sum, 8);
    out += '\n';
}

std::optional<std::vector<std::string>> ParseLine(std::string_view line)
{
    const auto tab = line.rfind('\t');
    if (tab == std::string_view::npos || line.size() - tab != 9)
        return std::nullopt;
    const auto sum = line.substr(tab + 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(sum.data(), sum.data() + sum.size(), value, 16);
    if (error != std::errc() || end != sum.data() + sum.size() || value != checksum(line.substr(0, tab)))
        return std::nullopt;
    std::vector<std::string> fields;
    std::string_view rest = line.substr(0, tab);
    for (;;) {
        const auto next = rest.find('\t');
        fields.emplace_back(rest.substr(0, next));
        if (next == std::string_view::npos)
            break;
        rest.remove_prefix(next + 1);
    }
    return fields;
}

void AppendEnd(std::string& out, const FileEnd& end)
{
    AppendNumber(out, end.size);
    out += '\t';
    if (end.hasTrailer)
        AppendBase64(out, std::string_view(reinterpret_cast<const char*>(end.trailer.data()), 128));
    else
        out += '-';
    out += '\t';
    AppendNumber(out, end.modifiedSeconds);
    out += '.';
    AppendNumber(out, end.modifiedNanoseconds);
}

std::string DigestHex(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return Hex(hash, 16);
}

std::vector<std::string> EncodeSplice(const SpliceRecord& record)
{
    return {std::to_string(record.beforeSize),
            std::to_string(record.modifiedSeconds) + '.' + std::to_string(record.modifiedNanoseconds),
            Base64(record.oldFront),
            Base64(record.oldBack),
            std::to_string(record.afterSize),
            std::to_string(record.newFrontLength),
            record.newFrontDigest,
            std::to_string(record.newBackLength),
            record.newBackDigest};
}

std::optional<SpliceRecord> DecodeSplice(const std::vector<std::string>& fields, std::size_t first)
{
    if (fields.size() != first + 9)
        return std::nullopt;
    const auto field = [&](std::size_t i) { return std::string_view(fields[first + i]); };
    SpliceRecord record;
    const auto times = DecodeEnd(field(0), "-", field(1));
    const auto oldFront = FromBase64(field(2));
    const auto oldBack = FromBase64(field(3));
    const auto afterSize = number<std::int64_t>(field(4));
    const auto frontLength = number<std::size_t>(field(5));
    const auto backLength = number<std::size_t>(field(7));
    if (!times || !oldFront || !oldBack || !afterSize || !frontLength || !backLength ||
        field(6).size() != 16 || field(8).size() != 16)
        return std::nullopt;
    record.beforeSize = times->size;
    record.modifiedSeconds = times->modifiedSeconds;
    record.modifiedNanoseconds = times->modifiedNanoseconds;
    record.oldFront = *oldFront;
    record.oldBack = *oldBack;
    record.afterSize = *afterSize;
    record.newFrontLength = *frontLength;
    record.newBackLength = *backLength;
    record.newFrontDigest = fields[first + 6];
    record.newBackDigest = fields[first + 8];
    return record;
}

std::optional<FileEnd> DecodeEnd(std::string_view size, std::string_view trailer, std::string_view modified)
{
    FileEnd end;
    const auto dot = modified.find('.');
    const auto seconds = number<std::int64_t>(modified.substr(0, dot));
    const auto nanoseconds =
        dot == std::string_view::npos ? std::nullopt : number<std::int64_t>(modified.substr(dot + 1));
    if (!seconds || !nanoseconds)
        return std::nullopt;
    end.modifiedSeconds = *seconds;
    end.modifiedNanoseconds = *nanoseconds;
    const auto value = number<std::int64_t>(size);
    if (!value || *value < 0)
        return std::nullopt;
    end.size = *value;
    if (trailer == "-")
        return end;
    const auto bytes = FromBase64(trailer);
    if (!bytes || bytes->size() != end.trailer.size() || end.size < 128)
        return std::nullopt;
    end.hasTrailer = true;
    std::memcpy(end.trailer.data(), bytes->data(), end.trailer.size());
    return end;
}

} // namespace Journal::Format
