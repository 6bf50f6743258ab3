#include "Platform/FileFind.h"

#include "TempDir.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace Platform;

namespace {

// Every entry a pattern yields, with a "/" appended to directories.
std::set<std::string> listAll(const std::string& pattern)
{
    std::set<std::string> names;
    FindData data;
    FindHandle h = FindFirstFile(pattern, data);
    if (!h.valid())
        return names;
    do {
        names.insert(data.cFileName + ((data.dwFileAttributes & FileAttributeDirectory) ? "/" : ""));
    } while (FindNextFile(h, data));
    FindClose(h);
    return names;
}

} // namespace

TEST(Wildcard, StarAndQuestionMarkIgnoringLetterCase)
{
    EXPECT_TRUE(MatchesWildcard("song.mp3", "*.mp3"));
    EXPECT_TRUE(MatchesWildcard("SONG.MP3", "*.mp3"));
    EXPECT_TRUE(MatchesWildcard("a.b.mp3", "*.mp3"));
    EXPECT_TRUE(MatchesWildcard(".mp3", "*.mp3"));
    EXPECT_FALSE(MatchesWildcard("song.mp3x", "*.mp3"));
    EXPECT_FALSE(MatchesWildcard("song.mp", "*.mp3"));
    EXPECT_TRUE(MatchesWildcard("abc", "a?c"));
    EXPECT_FALSE(MatchesWildcard("ac", "a?c"));
    EXPECT_TRUE(MatchesWildcard("a*c", "a*c"));
    EXPECT_TRUE(MatchesWildcard("anything", "**"));
    EXPECT_FALSE(MatchesWildcard("x", ""));
}

TEST(Wildcard, DotStarAlsoMatchesNamesWithoutExtension)
{
    EXPECT_TRUE(MatchesWildcard("README", "*.*"));
    EXPECT_TRUE(MatchesWildcard("a.b", "*.*"));
    EXPECT_TRUE(MatchesWildcard("..", "*.*"));
    EXPECT_TRUE(MatchesWildcard("abc", "abc.*"));
    EXPECT_FALSE(MatchesWildcard("abd", "abc.*"));
}

TEST(Wildcard, QuestionMarkTakesOneWholeCharacter)
{
    EXPECT_TRUE(MatchesWildcard("\xC3\xA9t\xC3\xA9", "?t?"));      // UTF-8 "été"
    EXPECT_TRUE(MatchesWildcard("\xFF\xFEx", "??x"));              // stray bytes: one each
    EXPECT_TRUE(MatchesWildcard("\xC3\xA9.MP3", "\xC3\xA9.mp3"));  // non-ASCII compared exactly
    EXPECT_FALSE(MatchesWildcard("\xC3\x89.mp3", "\xC3\xA9.mp3")); // no folding beyond A-Z
}

TEST(Wildcard, LongNamesWithManyStarsFinish)
{
    const std::string name(4096, 'a');
    EXPECT_FALSE(MatchesWildcard(name, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesWildcard(name + ".mp3", "*.MP3"));
}

TEST(FileFind, ListsMatchingEntriesWithTheDirectoryAttribute)
{
    LegatoTest::TempDir tmp;
    tmp.write("one.mp3", "x");
    tmp.write("TWO.Mp3", "x");
    tmp.write("three.txt", "x");
    std::filesystem::create_directory(tmp.file("dir.mp3"));
    std::filesystem::create_directory(tmp.file("sub"));
    std::filesystem::create_directory_symlink(tmp.file("sub"), tmp.file("link"));
    std::filesystem::create_symlink(tmp.file("gone"), tmp.file("dangling"));

    EXPECT_EQ(listAll(tmp.path() + "/*.mp3"), (std::set<std::string>{"one.mp3", "TWO.Mp3", "dir.mp3/"}));
    EXPECT_EQ(listAll(tmp.path() + "/*.*"),
              (std::set<std::string>{"./", "../", "one.mp3", "TWO.Mp3", "three.txt", "dir.mp3/", "sub/",
                                     "link/", "dangling"}));
}

TEST(FileFind, NamesThatAreNotUtf8AreListedAsTheirBytes)
{
    LegatoTest::TempDir tmp;
    const std::string raw = "caf\xE9 \xFF.mp3";
    tmp.write(raw, "x");
    EXPECT_EQ(listAll(tmp.path() + "/*.mp3"), std::set<std::string>{raw});
}

TEST(FileFind, FailsToStartWithoutDirectoryOrMatch)
{
    LegatoTest::TempDir tmp;
    tmp.write("a.txt", "x");
    FindData data;
    FindHandle none = FindFirstFile(tmp.file("missing") + "/*.*", data);
    EXPECT_FALSE(none.valid());
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(FindFirstFile(tmp.file("a.txt") + "/*.*", data).valid()); // a file, not a directory
    EXPECT_FALSE(FindFirstFile(tmp.path() + "/*.mp3", data).valid());
    EXPECT_FALSE(FindNextFile(none, data));
    FindClose(none); // closing a handle that never opened is harmless
}

TEST(FileFind, PatternWithoutFolderListsTheCurrentDirectory)
{
    LegatoTest::TempDir tmp;
    tmp.write("here.mp3", "x");
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(tmp.path());
    const auto names = listAll("*.MP3");
    std::filesystem::current_path(old);
    EXPECT_EQ(names, std::set<std::string>{"here.mp3"});
}

TEST(FileFind, IdentityIsSharedByLinksToTheSameDirectory)
{
    LegatoTest::TempDir tmp;
    std::filesystem::create_directory(tmp.file("a"));
    std::filesystem::create_directory(tmp.file("b"));
    std::filesystem::create_directory_symlink(tmp.file("a"), tmp.file("b/up"));
    EXPECT_EQ(GetFileIdentity(tmp.file("a")), GetFileIdentity(tmp.file("b/up/")));
    EXPECT_NE(GetFileIdentity(tmp.file("a")), GetFileIdentity(tmp.file("b")));
    EXPECT_FALSE(GetFileIdentity(tmp.file("none")));
}
