#include "Platform/Registry.h"
#include "Platform/RegistryStore.h"
#include "Platform/RuntimeError.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace Platform;

namespace {

// Points the store at a fresh folder for the test's lifetime.
class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("LEGATO_REGISTRY_DIR", m_dir.path().c_str(), 1); }
    void TearDown() override
    {
        unsetenv("LEGATO_REGISTRY_DIR");
        unsetenv("LEGATO_SYSTEM_REGISTRY_DIR");
    }
    LegatoTest::TempDir m_dir;
};

std::string queryText(HKEY root, const char* key, const char* name, LSTATUS* status = nullptr)
{
    HKEY h = 0;
    LSTATUS rc = RegOpenKeyExA(root, key, 0, 0x3F, &h);
    std::string out;
    std::uint32_t type = 0, size = 0;
    if (rc == ERROR_SUCCESS)
        rc = RegQueryValueExA(h, name, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        std::vector<std::uint8_t> buf(size);
        rc = RegQueryValueExA(h, name, nullptr, &type, buf.data(), &size);
        out.assign(buf.begin(), buf.end());
    }
    if (h)
        RegCloseKey(h);
    if (status)
        *status = rc;
    return out;
}

} // namespace

TEST(RegistryHive, RoundTripsEveryTypeAndAwkwardBytes)
{
    RegistryHive hive;
    hive.setString("Jukebox.File\\shell\\open\\command", "", "\"/opt/x y/jukebox\" \"%1\"");
    hive.setValue("A\\B", "expand", {REG_EXPAND_SZ, std::string("$HOME/x\0", 8)});
    hive.setValue("A\\B", "multi", {REG_MULTI_SZ, std::string("one\0two\0\0", 9)});
    hive.setDword("A\\B", "Count", 0xC8);
    hive.setValue("A\\B", "we\"ird=name", {REG_SZ, std::string("tab\tnl\nback\\ \x01\xff") + '\0'});

    const RegistryHive back = RegistryHive::parse(hive.serialize(RegistryRoot::ClassesRoot));
    EXPECT_EQ(back.findValue("jukebox.file\\SHELL\\open\\command", "")->data,
              std::string("\"/opt/x y/jukebox\" \"%1\"") + '\0');
    EXPECT_EQ(back.findValue("A\\B", "EXPAND")->type, REG_EXPAND_SZ);
    EXPECT_EQ(back.findValue("A\\B", "expand")->data, std::string("$HOME/x\0", 8));
    EXPECT_EQ(back.findValue("A\\B", "multi")->data, std::string("one\0two\0\0", 9));
    EXPECT_EQ(back.findValue("A\\B", "count")->data, std::string("\xC8\0\0\0", 4));
    EXPECT_EQ(back.findValue("A\\B", "we\"ird=name")->data, hive.findValue("A\\B", "we\"ird=name")->data);
    EXPECT_TRUE(back.keyExists("Jukebox.File\\shell"));
    EXPECT_EQ(back.subKeys("A"), std::vector<std::string>{"B"});
}

TEST(RegistryHive, DeleteTreeRemovesOnlyThatBranch)
{
    RegistryHive hive;
    hive.setString("CLSID\\{1}\\InprocServer32", "", "/a.so");
    hive.setString("CLSID\\{10}", "", "other");
    EXPECT_TRUE(hive.deleteTree("clsid\\{1}"));
    EXPECT_FALSE(hive.keyExists("CLSID\\{1}\\InprocServer32"));
    EXPECT_TRUE(hive.keyExists("CLSID\\{10}"));
    EXPECT_FALSE(hive.deleteTree("CLSID\\{1}"));
}

TEST(RegistryHive, DamagedLinesAreSkipped)
{
    const RegistryHive hive = RegistryHive::parse("[Good]\n@=1:\"x\"\n\"bad=1:\"unterminated\n[Broken\n"
                                                  "\"n\"=4:notanumber\n\"ok\"=4:0x10\n");
    EXPECT_EQ(hive.findValue("Good", "")->data, std::string("x\0", 2));
    EXPECT_EQ(hive.findValue("Good", "ok")->data, std::string("\x10\0\0\0", 4));
    EXPECT_EQ(hive.findValue("Good", "n"), nullptr);
    EXPECT_TRUE(RegistryHive::parse("[]\n@=1:\"x\"\n[\\]\n\"v\"=4:1\n").subKeys("").empty())
        << "values under a section naming the root are skipped";
}

TEST_F(RegistryTest, QueryFollowsWin32Semantics)
{
    UpdateRegistry(RegistryRoot::ClassesRoot,
                   [](RegistryHive& h) { h.setString("Jukebox.File\\shell\\open\\command", "", "abc"); });
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", nullptr),
              std::string("abc\0", 4));

    HKEY h = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", 0, 0x3F, &h),
              ERROR_SUCCESS);
    std::uint32_t type = 0, size = 2;
    std::uint8_t small[2];
    EXPECT_EQ(RegQueryValueExA(h, "", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegQueryValueExA(h, "missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(h, "", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);

    LSTATUS rc = 0;
    queryText(HKEY_CLASSES_ROOT, "Nope", "", &rc);
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
    queryText(HKEY_CURRENT_USER, "Jukebox.File", "", &rc); // roots are separate files
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, QueriesSeeEveryNewWriteAndHandEdits)
{
    for (int i = 0; i < 20; ++i) {
        UpdateRegistry(RegistryRoot::CurrentUser,
                       [&](RegistryHive& h) { h.setString("Software\\Legato", "N", std::to_string(i)); });
        EXPECT_EQ(queryText(HKEY_CURRENT_USER, "Software\\Legato", "N"), std::to_string(i) + '\0');
    }
    // An editor that rewrites the file in place.
    const std::string file = RegistryFile(RegistryRoot::CurrentUser);
    m_dir.write("edited", "[Software\\Legato]\n\"N\"=1:\"by hand\"\n");
    std::filesystem::copy_file(m_dir.file("edited"), file, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(queryText(HKEY_CURRENT_USER, "Software\\Legato", "N"), std::string("by hand") + '\0');
    std::filesystem::remove(file);
    LSTATUS rc = 0;
    queryText(HKEY_CURRENT_USER, "Software\\Legato", "N", &rc);
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, ConcurrentWritersKeepEachOthersKeys)
{
    // Two processes, many threads each: every key written must survive.
    constexpr int kProcesses = 2, kThreads = 4, kKeys = 10;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t) {
                threads.emplace_back([p, t] {
                    for (int k = 0; k < kKeys; ++k) {
                        UpdateRegistry(RegistryRoot::CurrentUser, [&](RegistryHive& h) {
                            h.setDword("K\\" + std::to_string(p) + "_" + std::to_string(t), std::to_string(k),
                                       static_cast<std::uint32_t>(k));
                        });
                    }
                });
            }
            for (auto& th : threads)
                th.join();
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const RegistryHive hive = LoadRegistry(RegistryRoot::CurrentUser);
    for (int p = 0; p < kProcesses; ++p) {
        for (int t = 0; t < kThreads; ++t) {
            EXPECT_EQ(hive.valueNames("K\\" + std::to_string(p) + "_" + std::to_string(t)).size(),
                      static_cast<std::size_t>(kKeys));
        }
    }
}

TEST_F(RegistryTest, FailedWriteLeavesTheOldFile)
{
    UpdateRegistry(RegistryRoot::CurrentUser, [](RegistryHive& h) { h.setString("Keep", "", "old"); });
    EXPECT_THROW(UpdateRegistry(RegistryRoot::CurrentUser,
                                [](RegistryHive& h) {
                                    h.setString("Keep", "", "new");
                                    throw RuntimeError(5, "test", "interrupted");
                                }),
                 RuntimeError);
    EXPECT_EQ(LoadRegistry(RegistryRoot::CurrentUser).findValue("Keep", "")->data, std::string("old\0", 4));
}

TEST_F(RegistryTest, SystemLayerLiesBeneathTheUsersAndIsNeverWritten)
{
    LegatoTest::TempDir system;
    m_dir.write("system", "[Jukebox.API\\Clsid]\n@=1:\"{S}\"\n"
                          "[CLSID\\{S}\\InprocServer32]\n@=1:\"/usr/lib/libJukebox.so\"\n"
                          "[Jukebox.File\\shell\\open\\command]\n@=1:\"jukebox\"\n\"Kept\"=1:\"system\"\n");
    const std::string systemFile = system.file("HKEY_CLASSES_ROOT.reg");
    std::filesystem::copy_file(m_dir.file("system"), systemFile);
    setenv("LEGATO_SYSTEM_REGISTRY_DIR", system.path().c_str(), 1);
    UpdateRegistry(RegistryRoot::ClassesRoot, [](RegistryHive& h) {
        h.setString("Jukebox.API\\Clsid", "", "{U}");
        h.setString("Jukebox.File\\shell\\open\\command", "", "mine");
    });

    // The user's values win, the system's fill the gaps, and writes reach only the user's file.
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "Jukebox.API\\Clsid", ""), std::string("{U}") + '\0');
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "CLSID\\{S}\\InprocServer32", ""),
              std::string("/usr/lib/libJukebox.so") + '\0');
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", ""),
              std::string("mine") + '\0');
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", "Kept"),
              std::string("system") + '\0');
    EXPECT_EQ(LegatoTest::readAll(systemFile), LegatoTest::readAll(m_dir.file("system")));
    EXPECT_FALSE(LoadRegistry(RegistryRoot::CurrentUser).keyExists("Jukebox.API"));

    // A system layer others can change is refused, not silently used.
    ASSERT_EQ(chmod(system.path().c_str(), 0777), 0);
    EXPECT_THROW(LoadRegistry(RegistryRoot::ClassesRoot), RuntimeError);
    ASSERT_EQ(chmod(system.path().c_str(), 0755), 0);

    // A folder chosen by the environment (tests, a build tree) has no system layer beneath it.
    unsetenv("LEGATO_SYSTEM_REGISTRY_DIR");
    EXPECT_EQ(SystemRegistryFolder(), "");
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "CLSID\\{S}\\InprocServer32", ""), "");
}

TEST(RegistryFolder, EnvironmentThenBuildTreeThenUserData)
{
    setenv("LEGATO_REGISTRY_DIR", "/somewhere/reg", 1);
    EXPECT_EQ(RegistryFolder(), "/somewhere/reg");
    unsetenv("LEGATO_REGISTRY_DIR");
    // This test binary runs from the build tree, which carries the marker.
    const char* build = std::getenv("LEGATO_BUILD_DIR");
    if (build) {
        EXPECT_EQ(RegistryFolder(), std::string(build) + "/registry");
    }
}

TEST_F(RegistryTest, CommandLineToolSetsQueriesAndDeletes)
{
    auto run = [&](const std::string& args) {
        const std::string cmd =
            std::string(LEGATO_CADENZA_REG) + " " + args + " > " + m_dir.file("out") + " 2>&1";
        const int status = std::system(cmd.c_str());
        return std::make_pair(WEXITSTATUS(status), LegatoTest::readAll(m_dir.file("out")));
    };
    EXPECT_EQ(run("where").second, m_dir.path() + "\n");
    EXPECT_EQ(run("set HKCR 'Jukebox.File\\shell\\open\\command' @ sz '\"/opt/jukebox\" \"%1\"'").first, 0);
    EXPECT_EQ(queryText(HKEY_CLASSES_ROOT, "Jukebox.File\\shell\\open\\command", ""),
              std::string("\"/opt/jukebox\" \"%1\"") + '\0');
    EXPECT_EQ(run("set HKCU Software N dword 0x10").first, 0);
    EXPECT_EQ(run("query HKCU Software N").second, "16\n");
    EXPECT_EQ(run("set hkcu Software L multi_sz 'a|b'").first, 0);
    EXPECT_EQ(LoadRegistry(RegistryRoot::CurrentUser).findValue("Software", "L")->data,
              std::string("a\0b\0\0", 5));
    EXPECT_EQ(run("list HKCU Software").second, "N = 16\nL = a|b\n");
    EXPECT_EQ(run("delete HKCU Software N").first, 0);
    EXPECT_EQ(run("query HKCU Software N").first, 1);
    EXPECT_EQ(run("delete HKCR Jukebox.File").first, 0);
    EXPECT_FALSE(LoadRegistry(RegistryRoot::ClassesRoot).keyExists("Jukebox.File\\shell"));
    EXPECT_EQ(run("set HKCU Software N dword notanumber").first, 2);
    EXPECT_EQ(run("query HKLM Software").first, 2) << "unknown root";
}
