#pragma once

#include <cstdint>
#include <string>

// The operating-system facts of the information window, computed once when the
// object is created. The platform name follows the classic rule for Windows
// version records (major version 4: "Windows NT", "Windows 9x" or
// "Windows 32s" by platform identifier; any other major version: "Windows");
// a record this system reads itself names its own platform ("Linux") with the
// kernel's version numbers.
class CInformation
{
public:
    // Platform identifiers of a version record.
    enum PlatformId : std::uint32_t {
        Win32s = 0,
        Win32Windows = 1,
        Win32NT = 2,
        // Not a Windows record: the name is the record's own system name.
        Native = 0xFFFF'FFFFu,
    };

    // What the system's version query reports.
    struct VersionRecord
    {
        std::uint32_t majorVersion = 0;
        std::uint32_t minorVersion = 0;
        std::uint32_t buildNumber = 0;
        std::uint32_t platformId = Native;
        std::string systemName; // used for Native records only
        std::string csdVersion; // service-pack text; cut at its first zero character
    };

    // Reads the running system (uname, and the distribution's name as the
    // service-pack text).
    CInformation();
    explicit CInformation(const VersionRecord& record);

    const std::string& OSVersion() const { return m_platform; }
    const std::string& OSMajorVersion() const { return m_major; }
    const std::string& OSMinorVersion() const { return m_minor; }
    const std::string& OSBuildNumber() const { return m_build; }
    const std::string& OSCSDVersion() const { return m_csd; }
    const std::string& OS() const { return m_os; }

    // Asked of the system at each call; empty when the query fails.
    std::string ComputerName() const;
    std::string UserName() const;

    // The version record of the running system.
    static VersionRecord SystemVersion();

private:
    std::string m_platform;
    std::string m_os;
    std::string m_major;
    std::string m_minor;
    std::string m_build;
    std::string m_csd;
};
