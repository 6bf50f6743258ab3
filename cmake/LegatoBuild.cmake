# Project-wide build conventions: C++20, warnings, output folders, Qt's automoc,
# and the helpers every target uses.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

# Every program and library lands in one folder, so programs find the shared
# libraries and each other without installing.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/lib")
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/lib")

include(GNUInstallDirs)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set(CMAKE_BUILD_RPATH "${CMAKE_BINARY_DIR}/lib")

# Warnings for our own code only (not for third-party headers). With
# LEGATO_WERROR (on in CI) each of them fails the build.
function(legato_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(LEGATO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

include(LegatoVersion)
include(LegatoTesting)
include(LegatoComponent)
include(LegatoLayers)
