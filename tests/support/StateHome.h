#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace LegatoTest {

// Points the undo journal ($XDG_STATE_HOME/legato) at a folder of the test's
// own while it lives, so that tests running at the same time never undo each
// other's runs; the old value is put back after.
class StateHome
{
public:
    explicit StateHome(const std::string& path)
    {
        if (const char* old = std::getenv("XDG_STATE_HOME"))
            m_old = old;
        setenv("XDG_STATE_HOME", path.c_str(), 1);
    }
    ~StateHome()
    {
        if (m_old)
            setenv("XDG_STATE_HOME", m_old->c_str(), 1);
        else
            unsetenv("XDG_STATE_HOME");
    }
    StateHome(const StateHome&) = delete;
    StateHome& operator=(const StateHome&) = delete;

private:
    std::optional<std::string> m_old;
};

} // namespace LegatoTest
