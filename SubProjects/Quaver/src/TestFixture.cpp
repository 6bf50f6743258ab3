#include "Quaver/TestFixture.h"

#include "Quaver/FileHandler.h"

#include "Platform/BinaryFile.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

namespace Quaver {

namespace {

constexpr std::int64_t kContentSize = 10;
constexpr std::int64_t kTaggedSize = kContentSize + 128;

std::string found(const std::string& label, const std::string& expected, const std::string& actual)
{
    return label + expected + " expected, found : " + actual;
}

} // namespace

void TestFixture::Setup(std::shared_ptr<ITestManager> manager, const std::string& vbpPath)
{
    m_manager = std::move(manager);
    m_vbpPath = vbpPath;
}

void TestFixture::TearDown()
{
    m_manager.reset();
}

void TestFixture::RunTest()
{
    m_content = "Test-Test-";
    DeleteTestFile();
    CreateTestFile();
    WriteTestTag();
    CheckTaggedSize();
    CompareWrittenTag();
    m_manager->LogStep("- REWRITE TAG -");
    WriteTestTag();
    CheckTaggedSize();
    CompareWrittenTag();
}

void TestFixture::DeleteTestFile()
{
    m_manager->LogStep("Deleting Test-File");
    try {
        Platform::DeleteFile(TestFileName);
    } catch (const Platform::RuntimeError&) {
        m_manager->Check(false, "Couldn't delete the Test-File");
    }
}

void TestFixture::CreateTestFile()
{
    m_manager->LogStep("Create Test-File");
    try {
        Platform::BinaryFile file(TestFileName, Platform::BinaryFile::Access::Create);
        file.WriteAt(0, m_content.data(), m_content.size());
        file.Close();
    } catch (const Platform::RuntimeError&) {
        m_manager->Check(false, std::string("Couldn't create the Test-File '") + TestFileName + "'");
        return;
    }
    m_manager->LogStep("Testing file size");
    const std::int64_t size = GetFileSize(TestFileName);
    m_manager->Check(size == kContentSize, "Size incorrect. " + std::to_string(kContentSize) +
                                               " expected, found: " + std::to_string(size));
}

void TestFixture::WriteTestTag()
{
    m_manager->LogStep("Write Tag");
    FileHandler handler;
    handler.setFileName(TestFileName);
    const TagPtr tag = handler.ID3v1xTag();
    tag->setTagType(ID3V11);
    tag->setTitle("Title");
    tag->setTrack(77);
    tag->setArtist("Artist");
    tag->setAlbum("Album");
    tag->setComment("Comment");
    tag->setGenre(18);
    tag->setYear("2001");
    handler.WriteTag();
    m_manager->LogStep("Check if Tag exists");
    const bool hasTag = handler.HasTag();
    m_manager->Check(hasTag,
                     std::string("HasTag incorrect. 'True' expected, found: ") + (hasTag ? "True" : "False"));
}

void TestFixture::CheckTaggedSize()
{
    m_manager->LogStep("Testing file size");
    const std::int64_t size = GetFileSize(TestFileName);
    m_manager->Check(size == kTaggedSize, "Size incorrect. " + std::to_string(kTaggedSize) +
                                              " expected, found: " + std::to_string(size));
}

void TestFixture::CompareWrittenTag()
{
    m_manager->LogStep("Comparing written Tag");
    FileHandler handler;
    handler.setFileName(TestFileName);
    handler.ReadTag();
    const Tag& tag = *handler.ID3v1xTag();
    auto checkText = [this](const char* label, const std::string& expected, const std::string& actual) {
        m_manager->Check(actual == expected, found(label, expected, actual));
    };
    auto checkNumber = [this](const char* label, int expected, int actual) {
        m_manager->Check(actual == expected, found(label, std::to_string(expected), std::to_string(actual)));
    };
    checkNumber("TagType incorrect. ", ID3V11, tag.TagType());
    checkText("Title incorrect. ", "Title", tag.Title());
    checkNumber("Track incorrect. ", 77, tag.Track());
    checkText("Artist incorrect. ", "Artist", tag.Artist());
    checkText("Album incorrect. ", "Album", tag.Album());
    checkText("Comment incorrect. ", "Comment", tag.Comment());
    checkNumber("Genre incorrect. ", 18, tag.Genre());
    checkText("Year incorrect. ", "2001", tag.Year());
}

std::int64_t TestFixture::GetFileSize(const std::string& name)
{
    const auto info = Platform::FileSystemObject().FindFile(name);
    return info ? info->Size : -1;
}

} // namespace Quaver
