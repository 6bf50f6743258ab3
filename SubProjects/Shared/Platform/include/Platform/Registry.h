#pragma once

#include <cstdint>

// The desktop registry's reading calls, with their semantics, over the store of
// RegistryStore.h. Every query reads the root's file again, so a value written
// by another process is seen at once.
namespace Platform {

using HKEY = std::uintptr_t;
using LSTATUS = long;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

// Opens an existing key below a root (or below a key already open). On success
// *result holds a handle to close with RegCloseKey; a missing key gives
// ERROR_FILE_NOT_FOUND and leaves *result 0. The access mask is accepted as given.
LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, std::uint32_t options, std::uint32_t samDesired,
                      HKEY* result);

// Reads a value (nullptr or "" names the default value). With data == nullptr
// only *type and *cbData (the size in bytes, texts with their final zero) are
// reported. A buffer smaller than the value gives ERROR_MORE_DATA with the
// needed size in *cbData.
LSTATUS RegQueryValueExA(HKEY key, const char* valueName, std::uint32_t* reserved, std::uint32_t* type,
                         std::uint8_t* data, std::uint32_t* cbData);

// Closes a handle from RegOpenKeyExA; closing a root or an unknown handle is
// ERROR_INVALID_HANDLE.
LSTATUS RegCloseKey(HKEY key);

} // namespace Platform
