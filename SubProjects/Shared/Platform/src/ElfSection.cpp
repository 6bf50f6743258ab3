#include "ElfSection.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace Platform {

namespace {

// Closes the descriptor however the read ends.
class FileReader
{
public:
    explicit FileReader(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat st
        {
        };
        if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode))
            m_size = static_cast<std::uint64_t>(st.st_size);
    }
    ~FileReader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool ok() const { return m_fd >= 0 && m_size > 0; }

    // Reads exactly count bytes at offset; false when any of them lies past the end.
    bool read(std::uint64_t offset, void* out, std::uint64_t count) const
    {
        if (offset > m_size || count > m_size - offset)
            return false;
        auto* p = static_cast<char*>(out);
        while (count > 0) {
            const ssize_t n = ::pread(m_fd, p, count, static_cast<off_t>(offset));
            if (n <= 0)
                return false;
            p += n;
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::uint64_t>(n);
        }
        return true;
    }

private:
    int m_fd;
    std::uint64_t m_size = 0;
};

// The fields of a section header that the lookup needs, for either class.
struct Section
{
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

struct Layout
{
    bool is64 = false;
    std::uint64_t shoff = 0;
    std::uint64_t shentsize = 0;
    std::uint64_t shnum = 0;
    std::uint64_t shstrndx = 0;
};

std::optional<Layout> readLayout(const FileReader& file)
{
    unsigned char ident[EI_NIDENT];
    if (!file.read(0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    if (ident[EI_DATA] != ELFDATA2LSB)
        return std::nullopt;
    Layout l;
    if (ident[EI_CLASS] == ELFCLASS64) {
        Elf64_Ehdr h;
        if (!file.read(0, &h, sizeof h) || h.e_shentsize < sizeof(Elf64_Shdr))
            return std::nullopt;
        l = {true, h.e_shoff, h.e_shentsize, h.e_shnum, h.e_shstrndx};
    } else if (ident[EI_CLASS] == ELFCLASS32) {
        Elf32_Ehdr h;
        if (!file.read(0, &h, sizeof h) || h.e_shentsize < sizeof(Elf32_Shdr))
            return std::nullopt;
        l = {false, h.e_shoff, h.e_shentsize, h.e_shnum, h.e_shstrndx};
    } else {
        return std::nullopt;
    }
    if (l.shoff == 0)
        return std::nullopt;
    return l;
}

std::optional<Section> readSection(const FileReader& file, const Layout& l, std::uint64_t index)
{
    if (l.shnum != 0 && index >= l.shnum)
        return std::nullopt;
    if (index > (UINT64_MAX - l.shoff) / l.shentsize)
        return std::nullopt;
    const std::uint64_t at = l.shoff + index * l.shentsize;
    if (l.is64) {
        Elf64_Shdr s;
        if (!file.read(at, &s, sizeof s))
            return std::nullopt;
        return Section{s.sh_name, s.sh_type, s.sh_offset, s.sh_size, s.sh_link};
    }
    Elf32_Shdr s;
    if (!file.read(at, &s, sizeof s))
        return std::nullopt;
    return Section{s.sh_name, s.sh_type, s.sh_offset, s.sh_size, s.sh_link};
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadElfSection(const std::string& path, std::string_view name,
                                                        std::size_t maxBytes)
{
    FileReader file(path);
    if (!file.ok())
        return std::nullopt;
    auto layout = readLayout(file);
    if (!layout)
        return std::nullopt;

    // Files with very many sections keep the real count and string-table index
    // in the first section header.
    if (layout->shnum == 0 || layout->shstrndx == SHN_XINDEX) {
        auto first = readSection(file, *layout, 0);
        if (!first)
            return std::nullopt;
        if (layout->shnum == 0)
            layout->shnum = first->size;
        if (layout->shstrndx == SHN_XINDEX)
            layout->shstrndx = first->link;
    }
    if (layout->shnum == 0)
        return std::nullopt;
    auto names = readSection(file, *layout, layout->shstrndx);
    if (!names || names->type != SHT_STRTAB)
        return std::nullopt;

    std::vector<char> wanted(name.size() + 1);
    for (std::uint64_t i = 1; i < layout->shnum; ++i) {
        auto s = readSection(file, *layout, i);
        if (!s)
            return std::nullopt;
        if (s->name >= names->size || names->size - s->name < wanted.size())
            continue;
        if (!file.read(names->offset + s->name, wanted.data(), wanted.size()))
            continue;
        if (std::memcmp(wanted.data(), name.data(), name.size()) != 0 || wanted.back() != '\0')
            continue;
        if (s->type == SHT_NOBITS || s->size > maxBytes)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(s->size));
        if (!file.read(s->offset, bytes.data(), bytes.size()))
            return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

} // namespace Platform
