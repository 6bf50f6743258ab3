#include "Vellum/Vellum.h"
#include "Vellum/VellumObject.h"

#include "Platform/Component.h"
#include "Platform/VersionInfo.h"

#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace VellumCtl;

TEST(VellumComponent, RegisteredControlIsCreatedByProgIdAsANewInstance)
{
    LegatoTest::TempDir registry;
    setenv("LEGATO_REGISTRY_DIR", registry.path().c_str(), 1);
    const int status = std::system((std::string(LEGATO_REGSVR32) + " /s " + LEGATO_VELLUM_LIBRARY).c_str());
    ASSERT_EQ(WEXITSTATUS(status), 0);

    auto object = Platform::CreateObjectAs<VellumObject>("VellumCtl.Vellum");
    ASSERT_NE(object->control(), nullptr);
    EXPECT_EQ(object->control()->BorderLeft(), 80);

    // The host parents the control and owns it from then on.
    QWidget form;
    QPointer<Vellum> taken = object->control();
    taken->setParent(&form);
    object.reset();
    EXPECT_FALSE(taken.isNull());
    unsetenv("LEGATO_REGISTRY_DIR");
}

TEST(VellumComponent, LibraryCarriesItsOwnVersionTexts)
{
    auto info = Platform::ReadVersionInfo(LEGATO_VELLUM_LIBRARY);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "Vellum Pane");
    EXPECT_FALSE(info->comments.empty());
    EXPECT_FALSE(info->copyright.empty());
}
