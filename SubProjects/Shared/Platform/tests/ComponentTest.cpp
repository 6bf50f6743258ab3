#include "Platform/Component.h"
#include "Platform/FileSystemObject.h"
#include "Platform/Registry.h"
#include "Platform/RegistryStore.h"

#include "TempDir.h"
#include "TestGreeter.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace Platform;

namespace {

class ComponentHost : public ::testing::Test
{
protected:
    void SetUp() override { setenv("LEGATO_REGISTRY_DIR", m_dir.path().c_str(), 1); }
    void TearDown() override { unsetenv("LEGATO_REGISTRY_DIR"); }

    static int regsvr32(const std::string& args)
    {
        const int status = std::system((std::string(LEGATO_REGSVR32) + " /s " + args).c_str());
        return WEXITSTATUS(status);
    }
    static std::int32_t errorOf(const std::string& progId)
    {
        try {
            CreateObject(progId);
        } catch (const RuntimeError& e) {
            return e.Number();
        }
        return 0;
    }
    LegatoTest::TempDir m_dir;
};

} // namespace

TEST_F(ComponentHost, RegisteredLibraryCreatesObjectsBoundByInterface)
{
    ASSERT_EQ(regsvr32(LEGATO_TEST_COMPONENT), 0);
    const RegistryHive hive = LoadRegistry(RegistryRoot::ClassesRoot);
    EXPECT_EQ(hive.findValue("Legato.TestGreeter\\Clsid", "")->data,
              std::string("{6B1F1E6A-3C41-4F0E-9C8A-0D7E2B5A9F11}") + '\0');
    EXPECT_EQ(hive.findValue("CLSID\\{6B1F1E6A-3C41-4F0E-9C8A-0D7E2B5A9F11}\\InprocServer32", "")->data,
              std::filesystem::canonical(LEGATO_TEST_COMPONENT).string() + '\0');
    EXPECT_EQ(hive.findValue("Legato.TestGreeter", "")->data, std::string("Legato test greeter") + '\0');

    auto first = CreateObjectAs<ITestGreeter>("Legato.TestGreeter");
    auto second = CreateObjectAs<ITestGreeter>("legato.testgreeter");
    EXPECT_EQ(first->Greet("you"), "Hello, you");
    EXPECT_EQ(first->Count(), 1);
    EXPECT_EQ(first->Count(), 2);
    EXPECT_EQ(second->Count(), 1) << "every CreateObject makes a new object";
}

TEST_F(ComponentHost, FailuresAreClearRuntimeErrors)
{
    EXPECT_EQ(errorOf("Nobody.Knows"), ErrCantCreateObject);
    ASSERT_EQ(regsvr32(LEGATO_TEST_COMPONENT), 0);
    EXPECT_EQ(errorOf("Legato.TestMissing"), ErrCantCreateObject) << "registered but no factory";

    // The registration points at a library that has since disappeared.
    UpdateRegistry(RegistryRoot::ClassesRoot, [&](RegistryHive& h) {
        h.setString("CLSID\\{6B1F1E6A-3C41-4F0E-9C8A-0D7E2B5A9F11}\\InprocServer32", "",
                    m_dir.file("gone.so"));
    });
    try {
        CreateObject("Legato.TestGreeter");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), ErrCantCreateObject);
        EXPECT_EQ(e.Source(), "Legato.TestGreeter");
        EXPECT_NE(e.Description().find("gone.so"), std::string::npos) << e.Description();
    }
}

TEST_F(ComponentHost, UnregisterRemovesTheClassesAndBadInputFails)
{
    ASSERT_EQ(regsvr32(LEGATO_TEST_COMPONENT), 0);
    ASSERT_EQ(regsvr32(std::string("/u ") + LEGATO_TEST_COMPONENT), 0);
    const RegistryHive hive = LoadRegistry(RegistryRoot::ClassesRoot);
    EXPECT_FALSE(hive.keyExists("Legato.TestGreeter"));
    EXPECT_FALSE(hive.keyExists("CLSID\\{6B1F1E6A-3C41-4F0E-9C8A-0D7E2B5A9F11}"));
    EXPECT_EQ(errorOf("Legato.TestGreeter"), ErrCantCreateObject);

    // A package build registers the library under the path it will be installed at.
    ASSERT_EQ(regsvr32(std::string("--as /usr/lib/libTest.so ") + LEGATO_TEST_COMPONENT), 0);
    EXPECT_EQ(LoadRegistry(RegistryRoot::ClassesRoot)
                  .findValue("CLSID\\{6B1F1E6A-3C41-4F0E-9C8A-0D7E2B5A9F11}\\InprocServer32", "")
                  ->data,
              std::string("/usr/lib/libTest.so") + '\0');
    EXPECT_EQ(regsvr32(std::string("--as relative.so ") + LEGATO_TEST_COMPONENT + " 2>/dev/null"), 1);

    EXPECT_EQ(regsvr32(m_dir.file("missing.so") + " 2>/dev/null"), 3);
    EXPECT_EQ(regsvr32("/lib/x86_64-linux-gnu/libc.so.6 2>/dev/null"), 4) << "not a component library";
}

TEST_F(ComponentHost, ThePlatformProvidesTheFileSystemObject)
{
    ASSERT_EQ(regsvr32(LEGATO_PLATFORM_LIBRARY), 0);
    auto fso = CreateObjectOf<FileSystemObject>("Scripting.FileSystemObject");
    ASSERT_TRUE(fso);
    EXPECT_TRUE(fso->FileExists(LEGATO_PLATFORM_LIBRARY));
    EXPECT_EQ(fso->GetExtensionName("a/b.c.mp3"), "mp3");
    EXPECT_EQ(errorOf("Scripting.FileSystemObject.2"), ErrCantCreateObject);
}
