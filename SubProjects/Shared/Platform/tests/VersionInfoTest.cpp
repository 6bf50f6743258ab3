#include "Platform/VersionInfo.h"
#include "Platform/MessageBox.h"
#include "Platform/VersionBlock.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace Platform;

namespace {

void localFunction() {}

std::string ownPath()
{
    return std::filesystem::canonical("/proc/self/exe").string();
}

std::string bytesOf(const std::vector<std::uint8_t>& v)
{
    return std::string(v.begin(), v.end());
}

// The UTF-16 value found 13 units after the first unit of the key, up to the
// next zero unit: how a plain text search reads a version block.
std::u16string searchValue(const std::vector<std::uint8_t>& block, std::u16string_view key)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        units += static_cast<char16_t>(block[i] | (block[i + 1] << 8));
    const auto at = units.find(key);
    if (at == std::u16string::npos)
        return u"<missing>";
    return units.substr(at + 13, units.find(u'\0', at + 13) - (at + 13));
}

} // namespace

TEST(VersionInfo, ProgramReadsItsOwnBlockFromDisk)
{
    EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&localFunction)), ownPath());
    auto info = ModuleVersionInfo(reinterpret_cast<const void*>(&localFunction));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "Platform Tests");
    EXPECT_EQ(info->description, "Tests of the platform layer");
    EXPECT_EQ(info->comments, "Prüft \"Versionen\" \\ Ende");
    EXPECT_EQ(info->copyright, "");
    EXPECT_EQ(info->major, 2);
    EXPECT_EQ(info->minor, 5);
    EXPECT_EQ(info->revision, 17);
    EXPECT_EQ(info->value("FileVersion"), "2.5.17");
    EXPECT_EQ(info->value("ProductVersion"), "2.5.17");
    EXPECT_EQ(info->value("OriginalFilename"), "PlatformTests");
    EXPECT_EQ(info->value("InternalName"), "PlatformTests");
    // An empty copyright is left out of the table rather than stored empty.
    for (const auto& entry : info->strings)
        EXPECT_NE(entry.first, "LegalCopyright");
}

TEST(VersionInfo, LibraryBlockIsFoundThroughAnAddressInside)
{
    const void* inLibrary = reinterpret_cast<const void*>(&Platform::MsgBox);
    const std::string path = ModuleFileName(inLibrary);
    // The loader may name the library by its soname link; the file is the same.
    EXPECT_EQ(std::filesystem::canonical(path), std::filesystem::canonical(LEGATO_PLATFORM_LIBRARY));
    auto info = ModuleVersionInfo(inLibrary);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "LegatoPlatform");
    EXPECT_EQ(info->description, "Legato platform layer");
    EXPECT_EQ(info->copyright, "Copyright (C) 2026 The Legato developers");
    EXPECT_EQ(info->comments, "");
    EXPECT_EQ(info->value("OriginalFilename"), std::filesystem::path(LEGATO_PLATFORM_LIBRARY).filename());
    EXPECT_EQ(info->value("FileVersion"), std::to_string(info->major) + "." + std::to_string(info->minor) +
                                              "." + std::to_string(info->revision));
}

TEST(VersionInfo, RawBlockServesATextSearchForFileVersion)
{
    const std::string path = ownPath();
    const std::uint32_t size = GetFileVersionInfoSize(path);
    auto block = GetFileVersionInfo(path);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), size);
    EXPECT_LT(size, 32768u);
    EXPECT_EQ(searchValue(*block, u"FileVersion"), u"2.5.17");
    EXPECT_EQ(searchValue(*block, u"ProductName"), u"Platform Tests");
}

TEST(VersionInfo, FilesWithoutABlockGiveNothing)
{
    LegatoTest::TempDir dir;
    const std::string systemLibrary = ModuleFileName(reinterpret_cast<const void*>(&std::strlen));
    ASSERT_FALSE(systemLibrary.empty());
    for (const std::string& path : {systemLibrary, dir.write("text.txt", "hello"), dir.write("empty", ""),
                                    dir.file("missing"), dir.path(), std::string()}) {
        EXPECT_EQ(GetFileVersionInfoSize(path), 0u) << path;
        EXPECT_FALSE(GetFileVersionInfo(path)) << path;
        EXPECT_FALSE(ReadVersionInfo(path)) << path;
    }
    EXPECT_EQ(ModuleFileName(nullptr), "");
}

TEST(VersionInfo, DamagedFilesAreRejectedWithoutCrashing)
{
    LegatoTest::TempDir dir;
    const std::string whole = LegatoTest::readAll(ownPath());
    ASSERT_GT(whole.size(), 4096u);

    // Cut short: the section headers sit at the end of the file.
    for (std::size_t length : {std::size_t{4}, std::size_t{63}, std::size_t{64}, std::size_t{1000},
                               whole.size() / 2, whole.size() - 1})
        EXPECT_FALSE(ReadVersionInfo(dir.write("short", whole.substr(0, length)))) << length;

    // Section headers said to lie far beyond the end of the file.
    std::string farHeaders = whole;
    const std::uint64_t far = 0x7FFFFFFFFFFFFF00ull;
    std::memcpy(farHeaders.data() + 0x28, &far, sizeof far);
    EXPECT_FALSE(ReadVersionInfo(dir.write("far", farHeaders)));

    // A block whose own length claims more than its section holds.
    auto block = GetFileVersionInfo(ownPath());
    ASSERT_TRUE(block);
    std::string badLength = whole;
    const auto at = badLength.find(bytesOf(*block));
    ASSERT_NE(at, std::string::npos);
    badLength[at] = '\xFF';
    badLength[at + 1] = '\xFF';
    EXPECT_FALSE(ReadVersionInfo(dir.write("badlength", badLength)));
}

TEST(VersionInfo, EveryTruncationOfABlockFailsToParse)
{
    auto block = GetFileVersionInfo(ownPath());
    ASSERT_TRUE(block);
    ASSERT_TRUE(ParseVersionBlock(*block));
    for (std::size_t n = 0; n < block->size(); ++n) {
        std::vector<std::uint8_t> part(block->begin(), block->begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(ParseVersionBlock(part)) << n;
    }
    // A damaged length inside the tree is caught as well.
    std::vector<std::uint8_t> inner = *block;
    const auto at = bytesOf(inner).find(std::string("S\0t\0r\0i\0n\0g\0F", 13));
    ASSERT_NE(at, std::string::npos);
    inner[at - 6] = 0xFF;
    inner[at - 5] = 0x7F;
    EXPECT_FALSE(ParseVersionBlock(inner));
}

TEST(VersionInfo, BuiltBlockRoundTripsTextsAndOmitsEmptyValues)
{
    static constexpr VersionBlock::Entry entries[] = {
        {u"Comments", u"Notes \u00e9 \U0001F3B5"},
        {u"LegalCopyright", u""},
        {u"FileVersion", u"1.2.3.4"},
        {u"ProductName", u"Legato"},
    };
    static constexpr VersionBlock::Source source{0, 8, 0, entries, 4};
    static constexpr auto bytes = VersionBlock::build<VersionBlock::size(source)>(source);
    auto info = ParseVersionBlock(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "Legato");
    EXPECT_EQ(info->comments, "Notes \u00e9 \U0001F3B5");
    EXPECT_EQ(info->copyright, "");
    EXPECT_EQ(info->major, 0);
    EXPECT_EQ(info->minor, 8);
    EXPECT_EQ(info->revision, 0);
    ASSERT_EQ(info->strings.size(), 3u);
    EXPECT_EQ(info->strings[1].first, "FileVersion");
    EXPECT_EQ(info->strings[1].second, "1.2.3.4");
}
