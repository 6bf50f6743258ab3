#pragma once

#include "Platform/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

// What the information window learns about a component from the registry and
// from its file.

// The text of a registry value (valueName "" is the key's default value),
// without its terminating zero. Empty when the key cannot be opened, the value
// cannot be read, or it does not fit a buffer of 4096 characters. The key is
// always closed again.
std::string ReadRegistryValue(Platform::HKEY root, const std::string& keyPath, const std::string& valueName);

// True exactly when the key exists below HKEY_CLASSES_ROOT and its value can be
// read and holds at least one byte.
bool IsAppPresent(const std::string& strSubKey, const std::string& strValueName);

// The class identity registered for a ProgID ("<ProgID>\Clsid"), trimmed and cut
// right after its first "}"; empty without a "}".
std::string ComponentClsid(const std::string& progId);

// The library file registered for a ProgID
// ("CLSID\<clsid>\InprocServer32"); empty when unregistered.
std::string ComponentServerPath(const std::string& progId);

// The "FileVersion" text of a file's version block (the first string table
// that has one); empty when the file is missing, has no block, or its block is
// 32768 bytes or larger.
std::string GetFileVersion(const std::string& path);

// The search GetFileVersion runs over a version block: the block is read as
// UTF-16 text; the value starts 13 units after the first "FileVersion" (the
// key, its zero and one unit of alignment) and runs to the next zero.
std::string FileVersionFromBlock(const std::vector<std::uint8_t>& block);
