#include "Platform/VersionInfo.h"

#include "ElfSection.h"
#include "Platform/VersionBlock.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace Platform {

namespace {

namespace Block = VersionBlock;

// One node of the version tree (see VersionBlock.h), located inside the block.
struct Node
{
    std::u16string key;
    std::uint16_t type = 0;
    std::size_t valueBegin = 0;
    std::size_t valueBytes = 0;
    std::size_t childrenBegin = 0;
    std::size_t end = 0;
};

class BlockReader
{
public:
    explicit BlockReader(const std::vector<std::uint8_t>& block) : m_b(block) {}

    std::uint16_t word(std::size_t at) const
    {
        return static_cast<std::uint16_t>(m_b[at] | (m_b[at + 1] << 8));
    }
    std::uint32_t dword(std::size_t at) const { return word(at) | (std::uint32_t{word(at + 2)} << 16); }

    // The node starting at `at` that must end no later than `limit`.
    std::optional<Node> node(std::size_t at, std::size_t limit) const
    {
        if (limit > m_b.size() || at + 6 > limit)
            return std::nullopt;
        const std::size_t length = word(at);
        if (length < 6 || length > limit - at)
            return std::nullopt;
        Node n;
        n.end = at + length;
        const std::uint16_t valueLength = word(at + 2);
        n.type = word(at + 4);
        std::size_t p = at + 6;
        for (;;) {
            if (p + 2 > n.end)
                return std::nullopt;
            const char16_t c = static_cast<char16_t>(word(p));
            p += 2;
            if (c == 0)
                break;
            n.key += c;
        }
        p = align(p);
        n.valueBegin = p;
        n.valueBytes = n.type == Block::TypeText ? std::size_t{valueLength} * 2 : valueLength;
        if (n.valueBytes > n.end - std::min(p, n.end))
            return std::nullopt;
        n.childrenBegin = align(p + n.valueBytes);
        return n;
    }

    // The children of a node, in order; nothing when one of them is damaged.
    std::optional<std::vector<Node>> children(const Node& parent) const
    {
        std::vector<Node> out;
        for (std::size_t at = parent.childrenBegin; at < parent.end; at = align(out.back().end)) {
            auto child = node(at, parent.end);
            if (!child)
                return std::nullopt;
            out.push_back(*child);
        }
        return out;
    }

    // A text value up to its first zero unit.
    std::u16string text(const Node& n) const
    {
        std::u16string s;
        for (std::size_t p = n.valueBegin; p + 1 < n.valueBegin + n.valueBytes; p += 2) {
            const char16_t c = static_cast<char16_t>(word(p));
            if (c == 0)
                break;
            s += c;
        }
        return s;
    }

private:
    static std::size_t align(std::size_t p) { return (p + 3) & ~std::size_t{3}; }

    const std::vector<std::uint8_t>& m_b;
};

std::optional<std::vector<std::uint8_t>> readBlock(const std::string& path)
{
    auto section = ReadElfSection(path, Block::SectionName, 1u << 20);
    if (!section || section->size() < 6)
        return std::nullopt;
    // The section may be padded by the linker; the block's own length counts.
    const std::size_t length = (*section)[0] | ((*section)[1] << 8);
    if (length < 6 || length > section->size())
        return std::nullopt;
    section->resize(length);
    return section;
}

} // namespace

std::string VersionInfo::value(const std::string& key) const
{
    for (const auto& [k, v] : strings) {
        if (k == key)
            return v;
    }
    return {};
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::uint32_t GetFileVersionInfoSize(const std::string& path)
{
    auto block = readBlock(path);
    return block ? static_cast<std::uint32_t>(block->size()) : 0;
}

std::optional<std::vector<std::uint8_t>> GetFileVersionInfo(const std::string& path)
{
    return readBlock(path);
}

std::optional<VersionInfo> ParseVersionBlock(const std::vector<std::uint8_t>& block)
{
    const BlockReader r(block);
    auto root = r.node(0, block.size());
    if (!root || root->key != Block::RootKey || root->valueBytes < Block::FixedInfoBytes ||
        r.dword(root->valueBegin) != Block::FixedSignature)
        return std::nullopt;
    VersionInfo info;
    const std::uint32_t ms = r.dword(root->valueBegin + 8);
    const std::uint32_t ls = r.dword(root->valueBegin + 12);
    info.major = static_cast<int>(ms >> 16);
    info.minor = static_cast<int>(ms & 0xFFFF);
    info.revision = static_cast<int>(ls >> 16);

    auto sections = r.children(*root);
    if (!sections)
        return std::nullopt;
    for (const Node& section : *sections) {
        if (section.key != Block::StringFileInfoKey)
            continue;
        auto tables = r.children(section);
        if (!tables)
            return std::nullopt;
        if (tables->empty())
            break;
        auto entries = r.children(tables->front());
        if (!entries)
            return std::nullopt;
        for (const Node& e : *entries)
            info.strings.emplace_back(Utf16ToUtf8(e.key), Utf16ToUtf8(r.text(e)));
        break;
    }
    info.title = info.value("ProductName");
    info.description = info.value("FileDescription");
    info.comments = info.value("Comments");
    info.copyright = info.value("LegalCopyright");
    return info;
}

std::optional<VersionInfo> ReadVersionInfo(const std::string& path)
{
    auto block = readBlock(path);
    if (!block)
        return std::nullopt;
    return ParseVersionBlock(*block);
}

std::string ModuleFileName(const void* addressInModule)
{
    Dl_info info{};
    link_map* map = nullptr;
    if (!dladdr1(addressInModule, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map)
        return {};
    // The main program's entry has no name of its own; dladdr would report
    // argv[0], which need not be a path at all.
    if (map->l_name == nullptr || map->l_name[0] == '\0') {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
        return n > 0 && static_cast<std::size_t>(n) < sizeof buf
                   ? std::string(buf, static_cast<std::size_t>(n))
                   : std::string{};
    }
    char resolved[PATH_MAX];
    return ::realpath(map->l_name, resolved) ? std::string(resolved) : std::string(map->l_name);
}

std::optional<VersionInfo> ModuleVersionInfo(const void* addressInModule)
{
    const std::string path = ModuleFileName(addressInModule);
    if (path.empty())
        return std::nullopt;
    return ReadVersionInfo(path);
}

} // namespace Platform
