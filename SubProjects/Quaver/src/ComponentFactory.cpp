#include "Platform/ComponentExports.h"
#include "Quaver/FileHandler.h"
#include "Quaver/Genres.h"
#include "Quaver/Tag.h"
#include "Quaver/TestFixture.h"

#include <memory>

// The classes other programs create by ProgID (registered by the build and by
// regsvr32); each comes as a Platform::ObjectOf the library's class.
Platform::Object* Platform::CreateComponentObject(std::string_view progId)
{
    if (progId == "Quaver.FileHandler")
        return new ObjectOf<Quaver::FileHandler>(std::make_shared<Quaver::FileHandler>());
    if (progId == "Quaver.Tag")
        return new ObjectOf<Quaver::Tag>(std::make_shared<Quaver::Tag>());
    if (progId == "Quaver.Genres")
        return new ObjectOf<Quaver::Genres>(std::make_shared<Quaver::Genres>());
    if (progId == "Quaver.TestFixture")
        return new ObjectOf<Quaver::TestFixture>(std::make_shared<Quaver::TestFixture>());
    return nullptr;
}
