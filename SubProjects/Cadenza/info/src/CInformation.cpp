#include "CInformation.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

// Size of the buffers the name queries fill, as the classic calls take it.
constexpr std::size_t NameBufferSize = 1024;
// Length of the record's service-pack text field.
constexpr std::size_t CsdFieldLength = 128;

std::string platformName(const CInformation::VersionRecord& record)
{
    if (record.platformId == CInformation::Native)
        return record.systemName;
    if (record.majorVersion != 4)
        return "Windows";
    switch (record.platformId) {
    case CInformation::Win32NT:
        return "Windows NT";
    case CInformation::Win32Windows:
        return "Windows 9x";
    case CInformation::Win32s:
        return "Windows 32s";
    default:
        return "";
    }
}

std::string upToZero(const std::string& text, std::size_t limit)
{
    const std::string field = text.substr(0, limit);
    return field.substr(0, field.find('\0'));
}

// "6.1.0-18-amd64" -> 6, 1, 0: the leading numbers of a kernel release.
void parseRelease(const char* release, std::uint32_t* numbers, int count)
{
    const char* p = release;
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(p, &end, 10);
        if (end == p)
            return;
        numbers[i] = static_cast<std::uint32_t>(value);
        if (*end != '.')
            return;
        p = end + 1;
    }
}

// The distribution's display name from os-release; empty when unknown.
std::string distributionName()
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("PRETTY_NAME=", 0) != 0)
                continue;
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return "";
}

} // namespace

CInformation::CInformation() : CInformation(SystemVersion()) {}

CInformation::CInformation(const VersionRecord& record)
{
    m_platform = platformName(record);
    m_csd = upToZero(record.csdVersion, CsdFieldLength - 1);
    m_build = std::to_string(record.buildNumber);
    m_major = std::to_string(record.majorVersion);
    m_minor = std::to_string(record.minorVersion);
    m_os = m_platform + " version: " + m_major + "." + m_minor + " Build : " + m_build + " " + m_csd;
}

CInformation::VersionRecord CInformation::SystemVersion()
{
    VersionRecord record;
    struct utsname names {};
    if (uname(&names) == 0) {
        record.systemName = names.sysname;
        std::uint32_t numbers[3] = {0, 0, 0};
        parseRelease(names.release, numbers, 3);
        record.majorVersion = numbers[0];
        record.minorVersion = numbers[1];
        record.buildNumber = numbers[2];
    }
    record.csdVersion = distributionName();
    return record;
}

std::string CInformation::ComputerName() const
{
    char buffer[NameBufferSize] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0)
        return "";
    return std::string(buffer);
}

std::string CInformation::UserName() const
{
    char buffer[NameBufferSize] = {};
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found || !found->pw_name)
        return "";
    return std::string(found->pw_name);
}
