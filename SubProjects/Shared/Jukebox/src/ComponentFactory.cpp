#include "Jukebox/API.h"

#include "Platform/ComponentExports.h"

Platform::Object* Platform::CreateComponentObject(std::string_view progId)
{
    return progId == "Jukebox.API" ? new Jukebox::API : nullptr;
}
