#include "FileAssociation.h"

#include "Jukebox/PlayerProtocol.h"

#include "Platform/RegistryStore.h"
#include "Platform/RuntimeError.h"
#include "Platform/Shell.h"

#include <cstdio>

bool FileAssociation::Register(const std::string& programPath)
{
    try {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot, [&](Platform::RegistryHive& h) {
            h.setString("Jukebox.File", "", "MP3 audio (Jukebox)");
            h.setString(Jukebox::Protocol::kFileAssociationKey, "",
                        Platform::QuoteArgument(programPath) + " \"%1\"");
        });
        return true;
    } catch (const Platform::RuntimeError& e) {
        std::fprintf(stderr, "jukebox: cannot register the file association: %s\n", e.Description().c_str());
        return false;
    }
}

bool FileAssociation::Unregister()
{
    try {
        Platform::UpdateRegistry(Platform::RegistryRoot::ClassesRoot,
                                 [](Platform::RegistryHive& h) { h.deleteTree("Jukebox.File"); });
        return true;
    } catch (const Platform::RuntimeError& e) {
        std::fprintf(stderr, "jukebox: cannot remove the file association: %s\n", e.Description().c_str());
        return false;
    }
}
