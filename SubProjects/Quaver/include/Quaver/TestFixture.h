#pragma once

#include "Quaver/ITestFixture.h"
#include "Quaver/QuaverExport.h"

#include <cstdint>
#include <string>

namespace Quaver {

// The library's self-test: creates "MP3Tst00.mp3" in the current directory,
// writes a known ID3v1.1 tag, reads it back field by field, and writes it a
// second time to prove the trailer is replaced, not appended. The first check
// (deleting a test file left by an earlier run) fails on a clean directory.
// The file stays on disk afterwards.
class QUAVER_EXPORT TestFixture : public ITestFixture
{
public:
    static constexpr const char* TestFileName = "MP3Tst00.mp3";

    void Setup(std::shared_ptr<ITestManager> manager, const std::string& vbpPath) override;
    void RunTest() override;
    void TearDown() override;
    std::string Name() const override { return "Quaver Test"; }
    bool ContinueAfterError() const override { return true; }

private:
    void DeleteTestFile();
    void CreateTestFile();
    void WriteTestTag();
    void CheckTaggedSize();
    void CompareWrittenTag();
    static std::int64_t GetFileSize(const std::string& name);

    std::shared_ptr<ITestManager> m_manager;
    std::string m_vbpPath;
    std::string m_content;
};

} // namespace Quaver
