#include "Platform/RegistryStore.h"

#include "Platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace Platform {

namespace {

constexpr const char* kSource = "Registry";

std::string fold(const std::string& s)
{
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

// "\a\\b\" -> "a\b": no empty levels, no separators at either end.
std::string normalizePath(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;
        out += c;
    }
    if (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

std::string parentOf(const std::string& path)
{
    const auto pos = path.rfind('\\');
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

bool isTextType(std::uint32_t type)
{
    return type == 1 || type == 2 || type == 7;
}

std::string quote(const std::string& bytes)
{
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : bytes) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            if (c < 0x20 || c == 0x7f) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at text[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> unquote(const std::string& text, std::size_t& pos)
{
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string out;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= text.size())
            return std::nullopt;
        switch (text[pos]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '0':
            out += '\0';
            break;
        case 'x': {
            if (pos + 2 >= text.size())
                return std::nullopt;
            const int hi = hexDigit(text[pos + 1]), lo = hexDigit(text[pos + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            pos += 2;
            break;
        }
        default:
            out += text[pos];
        }
    }
    return std::nullopt;
}

std::string encodeData(const RegistryValue& v)
{
    if (v.type == 4 && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(v.data[i]);
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08x", n);
        return buf;
    }
    std::string data = v.data;
    if (isTextType(v.type) && !data.empty() && data.back() == '\0')
        data.pop_back();
    return quote(data);
}

std::optional<RegistryValue> decodeData(std::uint32_t type, const std::string& text, std::size_t pos)
{
    RegistryValue v;
    v.type = type;
    if (pos < text.size() && text[pos] == '"') {
        auto bytes = unquote(text, pos);
        if (!bytes)
            return std::nullopt;
        v.data = *bytes;
        if (isTextType(type))
            v.data += '\0';
        return v;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long n = std::strtoul(text.c_str() + pos, &end, 0);
    if (type != 4 || end == text.c_str() + pos || errno || n > 0xffffffffUL)
        return std::nullopt;
    for (int i = 0; i < 4; ++i)
        v.data += static_cast<char>((n >> (8 * i)) & 0xff);
    return v;
}

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

} // namespace

RegistryHive RegistryHive::parse(const std::string& text)
{
    RegistryHive hive;
    std::istringstream in(text);
    std::string line;
    std::optional<std::string> current;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                continue; // a damaged section line names no key
            current = normalizePath(line.substr(1, line.size() - 2));
            // The root itself holds no values; a path beyond the limits names no key.
            if (current->empty() || !hive.tryCreateKey(*current))
                current.reset();
            continue;
        }
        if (!current)
            continue;
        std::size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else {
            auto quoted = unquote(line, pos);
            if (!quoted)
                continue;
            name = *quoted;
        }
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            continue;
        ++pos;
        const auto colon = line.find(':', pos);
        if (colon == std::string::npos)
            continue;
        char* end = nullptr;
        const unsigned long type = std::strtoul(line.c_str() + pos, &end, 10);
        if (end != line.c_str() + colon)
            continue;
        if (auto value = decodeData(static_cast<std::uint32_t>(type), line, colon + 1))
            hive.setValue(*current, name, std::move(*value));
    }
    return hive;
}

std::string RegistryHive::serialize(RegistryRoot root) const
{
    std::string out = "; Legato registry store, root ";
    out += RegistryRootName(root);
    out += ". Format: see Platform/RegistryStore.h.\n";
    for (const auto& folded : m_order) {
        const Key& key = m_keys.at(folded);
        out.append("\n[").append(key.path).append("]\n");
        for (const auto& [name, value] : key.values) {
            out += name.empty() ? std::string("@") : quote(name);
            out.append("=")
                .append(std::to_string(value.type))
                .append(":")
                .append(encodeData(value))
                .append("\n");
        }
    }
    return out;
}

RegistryHive::Key* RegistryHive::find(const std::string& path)
{
    auto it = m_keys.find(fold(normalizePath(path)));
    return it == m_keys.end() ? nullptr : &it->second;
}

const RegistryHive::Key* RegistryHive::find(const std::string& path) const
{
    auto it = m_keys.find(fold(normalizePath(path)));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool RegistryHive::keyExists(const std::string& path) const
{
    return normalizePath(path).empty() || find(path) != nullptr;
}

const RegistryValue* RegistryHive::findValue(const std::string& path, const std::string& name) const
{
    const Key* key = find(path);
    if (!key)
        return nullptr;
    const auto it = key->index.find(fold(name));
    return it == key->index.end() ? nullptr : &key->values[it->second].second;
}

std::vector<std::string> RegistryHive::subKeys(const std::string& path) const
{
    const std::string parent = fold(normalizePath(path));
    std::vector<std::string> out;
    for (const auto& folded : m_order) {
        if (fold(parentOf(folded)) == parent && !folded.empty()) {
            const std::string& full = m_keys.at(folded).path;
            const auto pos = full.rfind('\\');
            out.push_back(pos == std::string::npos ? full : full.substr(pos + 1));
        }
    }
    return out;
}

std::vector<std::string> RegistryHive::valueNames(const std::string& path) const
{
    std::vector<std::string> out;
    if (const Key* key = find(path)) {
        for (const auto& entry : key->values)
            out.push_back(entry.first);
    }
    return out;
}

void RegistryHive::overlay(const RegistryHive& top)
{
    for (const std::string& folded : top.m_order) {
        const Key& key = top.m_keys.at(folded);
        // Every key of a hive is within the limits, so it can be created here too.
        if (!tryCreateKey(key.path))
            continue;
        for (const auto& [name, value] : key.values)
            setValue(key.path, name, value);
    }
}

bool RegistryHive::tryCreateKey(const std::string& normalized)
{
    if (normalized.empty() || find(normalized))
        return true;
    if (normalized.size() > kRegistryKeyPathLimit ||
        static_cast<std::size_t>(std::count(normalized.begin(), normalized.end(), '\\')) >= kRegistryKeyDepth)
        return false;
    // Ancestors first, from the top, so parents always precede their children.
    for (std::size_t end = normalized.find('\\');; end = normalized.find('\\', end + 1)) {
        const std::string prefix = normalized.substr(0, end);
        std::string folded = fold(prefix);
        if (!m_keys.count(folded)) {
            m_keys.emplace(folded, Key{prefix, {}, {}});
            m_order.push_back(std::move(folded));
        }
        if (end == std::string::npos)
            return true;
    }
}

void RegistryHive::createKey(const std::string& path)
{
    if (!tryCreateKey(normalizePath(path)))
        throw RuntimeError(5, kSource,
                           "Key path longer than " + std::to_string(kRegistryKeyDepth) + " levels or " +
                               std::to_string(kRegistryKeyPathLimit) + " bytes");
}

void RegistryHive::setValue(const std::string& path, const std::string& name, RegistryValue value)
{
    createKey(path);
    Key* key = find(path);
    if (!key)
        throw RuntimeError(5, kSource, "Values cannot be stored at the root itself");
    const auto [slot, added] = key->index.emplace(fold(name), key->values.size());
    if (added)
        key->values.emplace_back(name, std::move(value));
    else
        key->values[slot->second].second = std::move(value);
}

void RegistryHive::setString(const std::string& path, const std::string& name, const std::string& text)
{
    setValue(path, name, RegistryValue{1, text + '\0'});
}

void RegistryHive::setDword(const std::string& path, const std::string& name, std::uint32_t number)
{
    std::string data;
    for (int i = 0; i < 4; ++i)
        data += static_cast<char>((number >> (8 * i)) & 0xff);
    setValue(path, name, RegistryValue{4, data});
}

bool RegistryHive::deleteTree(const std::string& path)
{
    const std::string folded = fold(normalizePath(path));
    if (folded.empty() || !m_keys.count(folded))
        return false;
    const std::string prefix = folded + "\\";
    std::erase_if(m_keys, [&](const auto& entry) {
        return entry.first == folded || entry.first.compare(0, prefix.size(), prefix) == 0;
    });
    std::erase_if(m_order, [&](const std::string& k) { return !m_keys.count(k); });
    return true;
}

bool RegistryHive::deleteValue(const std::string& path, const std::string& name)
{
    Key* key = find(path);
    if (!key)
        return false;
    const auto it = key->index.find(fold(name));
    if (it == key->index.end())
        return false;
    const std::size_t removed = it->second;
    key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(removed));
    key->index.erase(it);
    for (auto& entry : key->index) {
        if (entry.second > removed)
            --entry.second;
    }
    return true;
}

} // namespace Platform
