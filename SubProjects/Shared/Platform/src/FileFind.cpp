#include "Platform/FileFind.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace Platform {

struct FindHandle::State
{
    DIR* dir = nullptr;
    std::string wildcard;

    ~State()
    {
        if (dir)
            closedir(dir);
    }
};

FindHandle::FindHandle() = default;
FindHandle::~FindHandle() = default;
FindHandle::FindHandle(FindHandle&&) noexcept = default;
FindHandle& FindHandle::operator=(FindHandle&&) noexcept = default;

namespace {

// Length of the character starting at name[i]: a whole UTF-8 sequence when one
// starts there, otherwise the single byte.
std::size_t charLength(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t len = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        len = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        len = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        len = 4;
    if (len == 1 || i + len > s.size())
        return 1;
    for (std::size_t k = 1; k < len; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return len;
}

char foldCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameChar(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a.size() == 1)
        return foldCase(a[0]) == foldCase(b[0]);
    return a == b;
}

// "*" and "?" matching with one backtracking point (the last star), linear in
// practice and never recursive, so long names cannot exhaust the stack.
bool matchPlain(std::string_view name, std::string_view wc)
{
    std::size_t n = 0, w = 0;
    std::size_t starW = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (w < wc.size() && wc[w] == '*') {
            starW = w++;
            starN = n;
            continue;
        }
        if (w < wc.size()) {
            const std::size_t nl = charLength(name, n);
            if (wc[w] == '?') {
                n += nl;
                ++w;
                continue;
            }
            const std::size_t wl = charLength(wc, w);
            if (sameChar(name.substr(n, nl), wc.substr(w, wl))) {
                n += nl;
                w += wl;
                continue;
            }
        }
        if (starW == std::string_view::npos)
            return false;
        // Let the last star swallow one more character and try again from there.
        starN += charLength(name, starN);
        n = starN;
        w = starW + 1;
    }
    while (w < wc.size() && wc[w] == '*')
        ++w;
    return w == wc.size();
}

std::uint32_t attributesOf(DIR* dir, const dirent* entry)
{
    if (entry->d_type == DT_DIR)
        return FileAttributeDirectory;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
        struct stat st
        {
        };
        if (fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode))
            return FileAttributeDirectory;
    }
    return 0;
}

bool readMatch(FindHandle::State& state, FindData& data)
{
    errno = 0;
    while (const dirent* entry = readdir(state.dir)) {
        if (MatchesWildcard(entry->d_name, state.wildcard)) {
            data.cFileName = entry->d_name;
            data.dwFileAttributes = attributesOf(state.dir, entry);
            return true;
        }
    }
    if (errno == 0)
        errno = ENOENT;
    return false;
}

// The common shapes "*" and "*.ext" (ASCII extension) without the general loop:
// every directory entry goes through here once or twice.
std::optional<bool> matchQuick(std::string_view name, std::string_view wc)
{
    if (wc == "*" || wc == "*.*")
        return true;
    if (wc.size() < 2 || wc[0] != '*')
        return std::nullopt;
    const std::string_view tail = wc.substr(1);
    for (const char c : tail) {
        if (c == '*' || c == '?' || static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
    }
    if (name.size() < tail.size())
        return std::nullopt; // may still match through the ".*" rule
    const std::string_view end = name.substr(name.size() - tail.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (foldCase(end[i]) != foldCase(tail[i]))
            return std::nullopt;
    }
    return true;
}

} // namespace

bool MatchesWildcard(std::string_view name, std::string_view wildcard)
{
    if (const auto quick = matchQuick(name, wildcard))
        return *quick;
    if (matchPlain(name, wildcard))
        return true;
    // "name.*" also stands for "name" without any extension.
    if (wildcard.size() >= 2 && wildcard.substr(wildcard.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return matchPlain(name, wildcard.substr(0, wildcard.size() - 2));
    return false;
}

FindHandle FindFirstFile(const std::string& pattern, FindData& data)
{
    FindHandle handle;
    const auto slash = pattern.rfind('/');
    const bool inCurrent = slash == std::string::npos;
    const std::string dir = inCurrent ? std::string(".") : pattern.substr(0, slash == 0 ? 1 : slash);
    auto state = std::make_unique<FindHandle::State>();
    state->wildcard = inCurrent ? pattern : pattern.substr(slash + 1);
    state->dir = opendir(dir.c_str());
    if (!state->dir)
        return handle;
    if (!readMatch(*state, data))
        return handle;
    handle.m_state = std::move(state);
    return handle;
}

bool FindNextFile(FindHandle& handle, FindData& data)
{
    if (!handle.m_state)
        return false;
    return readMatch(*handle.m_state, data);
}

void FindClose(FindHandle& handle)
{
    handle.m_state.reset();
}

std::optional<FileIdentity> GetFileIdentity(const std::string& path)
{
    struct stat st
    {
    };
    if (stat(path.empty() ? "." : path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

} // namespace Platform
