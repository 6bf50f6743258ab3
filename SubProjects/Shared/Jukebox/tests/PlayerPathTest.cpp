#include "PlayerPath.h"

#include "Jukebox/API.h"
#include "Platform/RegistryStore.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using Jukebox::PlayerPath;

TEST(PlayerPath, FindsThePlayerAsAWholeNameInAnyCase)
{
    EXPECT_EQ(PlayerPath::FromCommandLine("\"/usr/bin/jukebox\" \"%1\""), "/usr/bin/jukebox");
    EXPECT_EQ(PlayerPath::FromCommandLine("/usr/bin/jukebox \"%1\""), "/usr/bin/jukebox");
    EXPECT_EQ(PlayerPath::FromCommandLine("/OPT/JUKEBOX %1"), "/OPT/JUKEBOX");
    EXPECT_EQ(PlayerPath::FromCommandLine("\"/opt/my apps/JukeBox\" /ADD \"%1\""), "/opt/my apps/JukeBox");
    EXPECT_EQ(PlayerPath::FromCommandLine("jukebox"), "jukebox");
    EXPECT_EQ(PlayerPath::FromCommandLine("\"jukebox\""), "jukebox");
    // The name is the file's, not part of a folder or a longer name.
    EXPECT_EQ(PlayerPath::FromCommandLine("/home/jukebox/bin/vlc %1"), "");
    EXPECT_EQ(PlayerPath::FromCommandLine("/usr/bin/jukeboxer %1"), "");
    EXPECT_EQ(PlayerPath::FromCommandLine("/usr/bin/myjukebox %1"), "");
    EXPECT_EQ(PlayerPath::FromCommandLine("\"/usr/bin/vlc\" \"%1\""), "");
    EXPECT_EQ(PlayerPath::FromCommandLine("x"), "0");
    EXPECT_EQ(PlayerPath::FromCommandLine(""), "0");
}

TEST(PlayerPath, JukeboxPfadReadsTheAssociation)
{
    LegatoTest::TempDir dir;
    setenv("LEGATO_REGISTRY_DIR", dir.path().c_str(), 1);
    Jukebox::API api;
    EXPECT_EQ(api.JukeboxPfad(), "0") << "no association";

    auto associate = [](const Platform::RegistryValue& value) {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [&](Platform::RegistryHive& h) {
            h.setValue("Jukebox.File\\shell\\open\\command", "", value);
        });
    };
    associate({1, std::string("\"/opt/jukebox\" \"%1\"") + '\0'});
    EXPECT_EQ(api.JukeboxPfad(), "/opt/jukebox");
    associate({2, std::string("$HOME/jukebox %1") + '\0'});
    EXPECT_EQ(api.JukeboxPfad(), "$HOME/jukebox") << "expandable text is not expanded";
    associate({1, std::string("\"/usr/bin/vlc\" \"%1\"") + '\0'});
    EXPECT_EQ(api.JukeboxPfad(), "");
    associate({4, std::string("\x01\0\0\0", 4)});
    EXPECT_EQ(api.JukeboxPfad(), "0") << "a number is no text";
    unsetenv("LEGATO_REGISTRY_DIR");
}
