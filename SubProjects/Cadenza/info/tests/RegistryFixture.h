#pragma once

#include "TempDir.h"

#include "Platform/RegistryStore.h"

#include <cstdlib>
#include <gtest/gtest.h>

// Points the registry at a fresh folder for the test and restores the previous
// folder afterwards.
class RegistryFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* previous = std::getenv("LEGATO_REGISTRY_DIR"))
            m_previous = previous;
        setenv("LEGATO_REGISTRY_DIR", m_dir.path().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_previous.empty())
            unsetenv("LEGATO_REGISTRY_DIR");
        else
            setenv("LEGATO_REGISTRY_DIR", m_previous.c_str(), 1);
    }

    // Registers progId as a component whose Clsid value is clsidValue and whose
    // library is path.
    static void registerComponent(const std::string& progId, const std::string& clsidValue,
                                  const std::string& clsid, const std::string& path)
    {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [&](Platform::RegistryHive& hive) {
            hive.setString(progId, "", progId + " component");
            hive.setString(progId + "\\Clsid", "", clsidValue);
            hive.setString("CLSID\\" + clsid + "\\InprocServer32", "", path);
        });
    }

    LegatoTest::TempDir m_dir;
    std::string m_previous;
};
