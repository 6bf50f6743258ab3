#pragma once

#include "Quaver/ITestManager.h"

#include <ostream>
#include <string>

// Prints every step and check of a fixture to a stream and counts the checks.
// When the fixture does not continue after errors, a failed check stops the
// run by raising StopTest.
class ConsoleTestManager : public Quaver::ITestManager
{
public:
    struct StopTest
    {
    };

    ConsoleTestManager(std::ostream& out, bool continueAfterError);

    void LogStep(const std::string& text) override;
    void Check(bool condition, const std::string& message) override;

    int Checks() const { return m_checks; }
    int Failures() const { return m_failures; }
    // The number (1-based) of the first failed check, 0 when none failed.
    int FirstFailure() const { return m_firstFailure; }

private:
    std::ostream& m_out;
    bool m_continueAfterError;
    int m_checks = 0;
    int m_failures = 0;
    int m_firstFailure = 0;
};
