#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The binary layout of a module's version block, written at compile time into
// the module's ".legato_version" section (the build generates one small source
// per program and library) and read back from the file by VersionInfo.h.
//
// The layout is the classic version-resource tree: every node is
//   uint16 length (node with its children, without trailing padding)
//   uint16 value length (bytes for binary values, UTF-16 units for texts)
//   uint16 type (0 binary, 1 text)
//   UTF-16 key with its terminating zero, padded to a multiple of 4 bytes
//   the value, padded to a multiple of 4 bytes
//   the children
// all little-endian, offsets aligned relative to the start of the block:
//
//   "VS_VERSION_INFO"  value: the fixed record (13 x uint32, signature 0xFEEF04BD)
//     "StringFileInfo"
//       "040904B0"     one string table (US English, UTF-16)
//         "Comments" = ..., "FileVersion" = ..., ...
//     "VarFileInfo"
//       "Translation"  value: 0x0409, 0x04B0
//
// Readers that only search the block as UTF-16 text find a value 13 units after
// the first unit of its key ("FileVersion", zero, one unit of padding).
namespace Platform::VersionBlock {

inline constexpr std::string_view SectionName = ".legato_version";
inline constexpr std::u16string_view RootKey = u"VS_VERSION_INFO";
inline constexpr std::u16string_view StringFileInfoKey = u"StringFileInfo";
inline constexpr std::u16string_view StringTableKey = u"040904B0";
inline constexpr std::u16string_view VarFileInfoKey = u"VarFileInfo";
inline constexpr std::u16string_view TranslationKey = u"Translation";
inline constexpr std::uint32_t FixedSignature = 0xFEEF04BDu;
inline constexpr std::uint16_t FixedInfoBytes = 52;
inline constexpr std::uint16_t TypeBinary = 0;
inline constexpr std::uint16_t TypeText = 1;

struct Entry
{
    std::u16string_view key;
    std::u16string_view value;
};

// What a module declares about itself. Entries with an empty value are left
// out of the string table.
struct Source
{
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    const Entry* entries = nullptr;
    std::size_t entryCount = 0;
};

// Writes bytes into a buffer, or only counts them when it has none.
class Sink
{
public:
    constexpr explicit Sink(unsigned char* data = nullptr) : m_data(data) {}

    constexpr std::size_t pos() const { return m_pos; }
    constexpr void byte(std::uint8_t b)
    {
        if (m_data)
            m_data[m_pos] = b;
        ++m_pos;
    }
    constexpr void word(std::uint16_t w)
    {
        byte(static_cast<std::uint8_t>(w & 0xFF));
        byte(static_cast<std::uint8_t>(w >> 8));
    }
    constexpr void dword(std::uint32_t d)
    {
        word(static_cast<std::uint16_t>(d & 0xFFFF));
        word(static_cast<std::uint16_t>(d >> 16));
    }
    constexpr void text(std::u16string_view s)
    {
        for (char16_t c : s)
            word(static_cast<std::uint16_t>(c));
        word(0);
    }
    constexpr void align()
    {
        while (m_pos % 4)
            byte(0);
    }
    constexpr void patchWord(std::size_t at, std::uint16_t w)
    {
        if (m_data) {
            m_data[at] = static_cast<std::uint8_t>(w & 0xFF);
            m_data[at + 1] = static_cast<std::uint8_t>(w >> 8);
        }
    }
    // Starts a node; its length is filled in by endNode.
    constexpr std::size_t beginNode(std::u16string_view key, std::uint16_t valueLength, std::uint16_t type)
    {
        const std::size_t start = m_pos;
        word(0);
        word(valueLength);
        word(type);
        text(key);
        align();
        return start;
    }
    constexpr void endNode(std::size_t start)
    {
        patchWord(start, static_cast<std::uint16_t>(m_pos - start));
        align();
    }

private:
    unsigned char* m_data;
    std::size_t m_pos = 0;
};

constexpr void write(Sink& out, const Source& src)
{
    const std::uint32_t versionMS = (std::uint32_t{src.major} << 16) | src.minor;
    const std::uint32_t versionLS = std::uint32_t{src.revision} << 16;
    const std::size_t root = out.beginNode(RootKey, FixedInfoBytes, TypeBinary);
    out.dword(FixedSignature);
    out.dword(0x00010000); // structure version 1.0
    out.dword(versionMS);  // file version
    out.dword(versionLS);
    out.dword(versionMS); // product version
    out.dword(versionLS);
    out.dword(0x3F); // flags mask
    out.dword(0);    // flags
    out.dword(0);    // operating system
    out.dword(0);    // file type
    out.dword(0);    // subtype
    out.dword(0);    // date
    out.dword(0);
    out.align();

    const std::size_t strings = out.beginNode(StringFileInfoKey, 0, TypeText);
    const std::size_t table = out.beginNode(StringTableKey, 0, TypeText);
    for (std::size_t i = 0; i < src.entryCount; ++i) {
        const Entry& e = src.entries[i];
        if (e.value.empty())
            continue;
        const std::size_t node =
            out.beginNode(e.key, static_cast<std::uint16_t>(e.value.size() + 1), TypeText);
        out.text(e.value);
        out.endNode(node);
    }
    out.endNode(table);
    out.endNode(strings);

    const std::size_t vars = out.beginNode(VarFileInfoKey, 0, TypeText);
    const std::size_t translation = out.beginNode(TranslationKey, 4, TypeBinary);
    out.word(0x0409);
    out.word(0x04B0);
    out.endNode(translation);
    out.endNode(vars);
    out.endNode(root);
}

constexpr std::size_t size(const Source& src)
{
    Sink counter;
    write(counter, src);
    return counter.pos();
}

template <std::size_t N> constexpr std::array<unsigned char, N> build(const Source& src)
{
    std::array<unsigned char, N> bytes{};
    Sink out(bytes.data());
    write(out, src);
    return bytes;
}

} // namespace Platform::VersionBlock
