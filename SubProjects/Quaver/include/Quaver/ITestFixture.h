#pragma once

#include "Quaver/ITestManager.h"

#include <memory>
#include <string>

namespace Quaver {

// A test case a runner can drive: Setup, RunTest, TearDown.
class ITestFixture
{
public:
    virtual ~ITestFixture() = default;
    // Hands over the runner (kept until TearDown) and the project path.
    virtual void Setup(std::shared_ptr<ITestManager> manager, const std::string& vbpPath) = 0;
    virtual void RunTest() = 0;
    virtual void TearDown() = 0;
    virtual std::string Name() const = 0;
    // Whether the runner goes on after a failed check.
    virtual bool ContinueAfterError() const = 0;
};

} // namespace Quaver
