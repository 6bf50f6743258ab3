#include "Platform/ComponentExports.h"
#include "Platform/FileSystemObject.h"

#include <memory>

// The platform layer is a component too: desktop scripts and the information
// window create the file-system object by its ProgID.
Platform::Object* Platform::CreateComponentObject(std::string_view progId)
{
    if (progId == "Scripting.FileSystemObject")
        return new ObjectOf<FileSystemObject>(std::make_shared<FileSystemObject>());
    return nullptr;
}
