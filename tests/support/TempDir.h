#pragma once

#include <string>

namespace LegatoTest {

// A fresh directory below the system's temporary folder, removed with everything
// in it when the object goes out of scope.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + name
    std::string file(const std::string& name) const;
    // Creates (or replaces) a file holding the given bytes and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string readAll(const std::string& path);

} // namespace LegatoTest
