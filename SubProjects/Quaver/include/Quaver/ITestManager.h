#pragma once

#include <string>

namespace Quaver {

// What a test runner offers the fixture it drives.
class ITestManager
{
public:
    virtual ~ITestManager() = default;
    // Announces the next step.
    virtual void LogStep(const std::string& text) = 0;
    // Records a check: passed when condition is true, otherwise reports message.
    virtual void Check(bool condition, const std::string& message) = 0;
};

} // namespace Quaver
