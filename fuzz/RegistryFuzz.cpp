// The registry file parser on any text, and writing back what it read.
#include "Platform/RegistryStore.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Platform::RegistryHive hive =
        Platform::RegistryHive::parse(std::string(reinterpret_cast<const char*>(data), size));
    (void)hive.serialize(Platform::RegistryRoot::CurrentUser);
    return 0;
}
