# Installs libQuaver with its headers and an exported CMake package, so other
# programs can use it with find_package(Quaver) and link Quaver::Quaver.
include(CMakePackageConfigHelpers)

set(QUAVER_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Quaver")

# Everything goes into the component "Quaver", so the library can be installed
# alone: cmake --install BUILD --component Quaver.
install(TARGETS Quaver LegatoPlatform EXPORT QuaverTargets COMPONENT Quaver
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/Quaver "${QUAVER_GENERATED}/Quaver"
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Quaver)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/SubProjects/Shared/Platform/include/Platform"
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Legato COMPONENT Quaver)
install(EXPORT QuaverTargets NAMESPACE Quaver:: DESTINATION "${QUAVER_CMAKE_DIR}" COMPONENT Quaver)

configure_package_config_file("${CMAKE_CURRENT_LIST_DIR}/QuaverConfig.cmake.in"
    "${CMAKE_CURRENT_BINARY_DIR}/QuaverConfig.cmake"
    INSTALL_DESTINATION "${QUAVER_CMAKE_DIR}")
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/QuaverConfigVersion.cmake"
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/QuaverConfig.cmake"
    "${CMAKE_CURRENT_BINARY_DIR}/QuaverConfigVersion.cmake"
    DESTINATION "${QUAVER_CMAKE_DIR}" COMPONENT Quaver)
