// The registry store under hostile input: planted folders and files, special
// files, oversized and deeply nested content, read-only files and leftovers of
// killed writers.
#include "Platform/Component.h"
#include "Platform/RegistryStore.h"
#include "Platform/RuntimeError.h"

#include "TempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Platform;

namespace {

class RegistryTrust : public ::testing::Test
{
protected:
    void SetUp() override { setenv("LEGATO_REGISTRY_DIR", m_dir.path().c_str(), 1); }
    void TearDown() override { unsetenv("LEGATO_REGISTRY_DIR"); }

    std::string file() const { return RegistryFile(RegistryRoot::ClassesRoot); }
    // Why loading the classes root fails; "" when it loads.
    static std::string loadError()
    {
        try {
            LoadRegistry(RegistryRoot::ClassesRoot);
        } catch (const RuntimeError& e) {
            return e.Description();
        }
        return {};
    }
    static bool contains(const std::string& text, const std::string& part)
    {
        return text.find(part) != std::string::npos;
    }
    LegatoTest::TempDir m_dir;
};

std::string seconds(std::chrono::steady_clock::time_point start)
{
    return std::to_string(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

} // namespace

TEST_F(RegistryTrust, FoldersAndFilesOthersControlAreRefusedSayingWhy)
{
    UpdateRegistry(RegistryRoot::ClassesRoot, [](RegistryHive& h) {
        h.setString("Jukebox.API\\Clsid", "", "{1}");
        h.setString("CLSID\\{1}\\InprocServer32", "", "/tmp/libevil.so");
    });
    ASSERT_EQ(loadError(), "");

    ASSERT_EQ(chmod(file().c_str(), 0666), 0);
    EXPECT_TRUE(contains(loadError(), "can be changed by other users")) << loadError();
    ASSERT_EQ(chmod(file().c_str(), 0644), 0);
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0777), 0);
    EXPECT_TRUE(contains(loadError(), m_dir.path() + " can be changed by other users")) << loadError();
    EXPECT_THROW(UpdateRegistry(RegistryRoot::ClassesRoot, [](RegistryHive&) {}), RuntimeError);
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0700), 0);

    // A folder that belongs to somebody else (as root: planted by nobody).
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown(file().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        EXPECT_TRUE(contains(loadError(), "belongs to another user")) << loadError();
    } else {
        setenv("LEGATO_REGISTRY_DIR", "/", 1);
        EXPECT_TRUE(contains(loadError(), "belongs to another user")) << loadError();
    }
    // The component host says why it cannot create the object, and loads nothing.
    try {
        CreateObject("Jukebox.API");
        FAIL() << "an untrusted registry created an object";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(contains(e.Description(), "belongs to another user")) << e.Description();
    }
}

TEST_F(RegistryTrust, OnlyRegularFilesWithinTheLimitAreReadWithoutBlocking)
{
    ASSERT_EQ(mkfifo(file().c_str(), 0600), 0);
    EXPECT_TRUE(contains(loadError(), "is not a regular file")) << "a FIFO must not hang the reader";
    std::filesystem::remove(file());
    std::filesystem::create_symlink("/dev/zero", file());
    EXPECT_TRUE(contains(loadError(), "is not a regular file"));
    std::filesystem::remove(file());

    m_dir.write(file().substr(m_dir.path().size() + 1), std::string(kRegistryFileLimit + 1, ';'));
    EXPECT_TRUE(contains(loadError(), "is larger than 1024 KiB")) << loadError();
    EXPECT_THROW(UpdateRegistry(RegistryRoot::ClassesRoot, [](RegistryHive&) {}), RuntimeError);
}

TEST(RegistryHiveLimits, DeepOrWideContentParsesQuicklyWithinTheLimits)
{
    // 20,000 levels in one section, and a key with 60,000 values.
    std::string deep = "[";
    for (int i = 0; i < 20000; ++i)
        deep += "k\\";
    deep += "k]\n@=1:\"x\"\n[\\]\n@=1:\"at the root\"\n[Ok]\n@=1:\"y\"\n";
    std::string wide = "[Wide]\n";
    for (int i = 0; i < 60000; ++i)
        wide += "\"v" + std::to_string(i) + "\"=4:0x1\n";
    const auto start = std::chrono::steady_clock::now();
    const RegistryHive deepHive = RegistryHive::parse(deep);
    const RegistryHive wideHive = RegistryHive::parse(wide);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << seconds(start);

    EXPECT_FALSE(deepHive.keyExists("k")) << "a section beyond the depth limit names no key";
    EXPECT_EQ(deepHive.findValue("Ok", "")->data, std::string("y\0", 2));
    EXPECT_EQ(wideHive.valueNames("Wide").size(), 60000u);
    EXPECT_NE(wideHive.findValue("WIDE", "V59999"), nullptr);

    RegistryHive hive;
    std::string path = "a";
    for (std::size_t level = 1; level < kRegistryKeyDepth; ++level)
        path += "\\a";
    hive.setString(path, "", "deepest allowed");
    EXPECT_THROW(hive.setString(path + "\\a", "", "one too deep"), RuntimeError);
    EXPECT_THROW(hive.createKey(std::string(kRegistryKeyPathLimit + 1, 'x')), RuntimeError);
    EXPECT_TRUE(hive.deleteValue(path, ""));
    EXPECT_EQ(hive.findValue(path, ""), nullptr);
}

TEST_F(RegistryTrust, WritesKeepTheModeRefuseReadOnlyFilesAndRemoveStaleTemporaries)
{
    auto set = [](const std::string& text) {
        UpdateRegistry(RegistryRoot::ClassesRoot, [&](RegistryHive& h) { h.setString("K", "", text); });
    };
    set("one");
    ASSERT_EQ(chmod(file().c_str(), 0600), 0);
    set("two");
    struct stat st
    {
    };
    ASSERT_EQ(stat(file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    ASSERT_EQ(chmod(file().c_str(), 0444), 0);
    try {
        set("three");
        FAIL() << "a read-only registry file was replaced";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(contains(e.Description(), "is read-only")) << e.Description();
    }
    ASSERT_EQ(stat(file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(LoadRegistry(RegistryRoot::ClassesRoot).findValue("K", "")->data, std::string("two\0", 4));

    ASSERT_EQ(chmod(file().c_str(), 0644), 0);
    const std::string stale = m_dir.write("HKEY_CLASSES_ROOT.reg.tmp.99999", "half");
    const std::string other = m_dir.write("HKEY_CURRENT_USER.reg.tmp.99999", "another root's");
    set("four");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(other)) << "only the locked root's leftovers go";
}

// Without HOME the folder comes from the user database, never from /tmp. Run
// from a copy of the tool outside the build tree, which would otherwise win.
TEST_F(RegistryTrust, WithoutHomeTheFolderIsTheUsersOwnNeverTmp)
{
    const std::string bin = m_dir.file("bin");
    std::filesystem::create_directory(bin);
    std::filesystem::copy_file(LEGATO_CADENZA_REG, bin + "/cadenza-reg");
    const std::string out = m_dir.file("where");
    const std::string cmd = "env -u HOME -u XDG_DATA_HOME -u LEGATO_REGISTRY_DIR " + bin +
                            "/cadenza-reg where > " + out + " 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << LegatoTest::readAll(out);
    const passwd* me = getpwuid(geteuid());
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(LegatoTest::readAll(out), std::string(me->pw_dir) + "/.local/share/legato/registry\n");
}
