#include "ConsoleTestManager.h"

ConsoleTestManager::ConsoleTestManager(std::ostream& out, bool continueAfterError)
    : m_out(out), m_continueAfterError(continueAfterError)
{
}

void ConsoleTestManager::LogStep(const std::string& text)
{
    m_out << "STEP   " << text << '\n';
}

void ConsoleTestManager::Check(bool condition, const std::string& message)
{
    ++m_checks;
    if (condition) {
        m_out << "  ok   check " << m_checks << '\n';
        return;
    }
    ++m_failures;
    if (m_firstFailure == 0)
        m_firstFailure = m_checks;
    m_out << "  FAIL check " << m_checks << ": " << message << '\n';
    if (!m_continueAfterError)
        throw StopTest{};
}
