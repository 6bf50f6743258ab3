#include "ComponentInfo.h"
#include "RegistryFixture.h"

#include "Platform/VersionBlock.h"
#include "Platform/VersionInfo.h"

#include <array>

namespace {

using ComponentInfoTest = RegistryFixture;

const char* const Clsid = "{0F6C1C52-7D0B-4A8B-9E39-5B8D7F2A1C11}";

std::string ownFile()
{
    return Platform::ModuleFileName(reinterpret_cast<const void*>(&ownFile));
}

// A version block whose string table holds FileVersion = text.
std::vector<std::uint8_t> blockWithFileVersion(std::u16string_view text)
{
    const Platform::VersionBlock::Entry entries[] = {{u"Comments", u"x"}, {u"FileVersion", text}};
    const Platform::VersionBlock::Source source{1, 2, 3, entries, 2};
    std::vector<std::uint8_t> block(Platform::VersionBlock::size(source));
    Platform::VersionBlock::Sink out(block.data());
    Platform::VersionBlock::write(out, source);
    return block;
}

} // namespace

TEST_F(ComponentInfoTest, ReadRegistryValueGivesTheTextOrNothing)
{
    Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [](Platform::RegistryHive& hive) {
        hive.setString("Legato.Thing", "", "default text");
        hive.setString("Legato.Thing", "Named", "named text");
        hive.setString("Legato.Long", "", std::string(4096, 'x'));
        hive.setString("Legato.Fits", "", std::string(4095, 'y'));
    });
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "Legato.Thing", ""), "default text");
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "legato.thing", "named"), "named text");
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "Legato.Thing", "Missing"), "");
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "Legato.Missing", ""), "");
    // 4096 characters and the terminating zero do not fit the buffer.
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "Legato.Long", ""), "");
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CLASSES_ROOT, "Legato.Fits", "").size(), 4095u);
    EXPECT_EQ(ReadRegistryValue(Platform::HKEY_CURRENT_USER, "Legato.Thing", ""), "");
}

TEST_F(ComponentInfoTest, IsAppPresentNeedsTheKeyAndAReadableValue)
{
    registerComponent("Quaver.FileHandler", Clsid, Clsid, "/nowhere/libQuaver.so");
    Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot,
                             [](Platform::RegistryHive& hive) { hive.createKey("Legato.KeyOnly"); });
    EXPECT_TRUE(IsAppPresent("Quaver.FileHandler", ""));
    EXPECT_TRUE(IsAppPresent("QUAVER.FILEHANDLER\\Clsid", ""));
    EXPECT_FALSE(IsAppPresent("Jukebox.API", ""));
    EXPECT_FALSE(IsAppPresent("Legato.KeyOnly", ""));
    EXPECT_FALSE(IsAppPresent("Quaver.FileHandler", "NoSuchValue"));
}

TEST_F(ComponentInfoTest, ClsidIsTrimmedAndCutRightAfterItsClosingBrace)
{
    registerComponent("Legato.Trailing", std::string("  ") + Clsid + " trailing text}", Clsid, ownFile());
    EXPECT_EQ(ComponentClsid("Legato.Trailing"), Clsid);
    EXPECT_EQ(ComponentServerPath("Legato.Trailing"), ownFile());

    registerComponent("Legato.NoBrace", "{0F6C1C52", Clsid, ownFile());
    EXPECT_EQ(ComponentClsid("Legato.NoBrace"), "");
    EXPECT_EQ(ComponentServerPath("Legato.NoBrace"), "");
    EXPECT_EQ(ComponentServerPath("Legato.Unregistered"), "");
}

TEST_F(ComponentInfoTest, FileVersionOfARegisteredFile)
{
    // This test program carries its own version block (see CMakeLists.txt).
    EXPECT_EQ(GetFileVersion(ownFile()), "1.2.3");
    EXPECT_EQ(GetFileVersion(""), "");
    EXPECT_EQ(GetFileVersion(m_dir.file("missing.so")), "");
    EXPECT_EQ(GetFileVersion(m_dir.write("plain.txt", "FileVersion")), "");
}

TEST(FileVersionFromBlock, TakesTheFirstFileVersionOfTheBlock)
{
    std::vector<std::uint8_t> block = blockWithFileVersion(u"1.2.3.4");
    EXPECT_EQ(FileVersionFromBlock(block), "1.2.3.4");

    // A later string table with another value does not count.
    const std::vector<std::uint8_t> later = blockWithFileVersion(u"9.9.9.9");
    block.insert(block.end(), later.begin(), later.end());
    EXPECT_EQ(FileVersionFromBlock(block), "1.2.3.4");

    EXPECT_EQ(FileVersionFromBlock({}), "");
    const std::u16string keyOnly = u"FileVersion";
    std::vector<std::uint8_t> truncated;
    for (char16_t c : keyOnly) {
        truncated.push_back(static_cast<std::uint8_t>(c));
        truncated.push_back(0);
    }
    EXPECT_EQ(FileVersionFromBlock(truncated), "");
}
