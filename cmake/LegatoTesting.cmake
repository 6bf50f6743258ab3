# legato_add_test(NAME name SOURCES ... [LIBS ...] [QT] [INCLUDES dir...]
#                 [DEFINITIONS def...] [DEPENDS target...])
#   One GoogleTest binary, registered with CTest test by test.
#   QT: the binary gets a main() that creates a QApplication on the offscreen
#   platform, for tests of widgets, signals and event processing.
#   INCLUDES: extra include folders (relative to the calling folder);
#   DEFINITIONS: compile definitions; DEPENDS: targets (programs, components,
#   registration steps) that must be built before the tests run. All three are
#   ignored with the tests, so callers need no guards of their own.
function(legato_add_test)
    cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;INCLUDES;DEFINITIONS;DEPENDS" ${ARGN})
    if(NOT LEGATO_BUILD_TESTS)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    legato_warnings(${T_NAME})
    if(T_QT)
        target_link_libraries(${T_NAME} PRIVATE LegatoQtTestMain)
    else()
        target_link_libraries(${T_NAME} PRIVATE LegatoTestMain)
    endif()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
    if(T_INCLUDES)
        target_include_directories(${T_NAME} PRIVATE ${T_INCLUDES})
    endif()
    if(T_DEFINITIONS)
        target_compile_definitions(${T_NAME} PRIVATE ${T_DEFINITIONS})
    endif()
    if(T_DEPENDS)
        add_dependencies(${T_NAME} ${T_DEPENDS})
    endif()
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    # Discovery runs when CTest runs, with CTest's environment, not at build time.
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
        PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;LEGATO_BUILD_DIR=${CMAKE_BINARY_DIR};XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state")
endfunction()

# legato_validator_test(kind name file...)
#   Checks files with the system's validator for their kind (man, desktop,
#   appstream, cli-options; see scripts/validate.sh) as the CTest test
#   "kind.name". Skipped, saying which package is missing, when the validator
#   is not installed.
function(legato_validator_test kind name)
    if(NOT LEGATO_BUILD_TESTS)
        return()
    endif()
    add_test(NAME ${kind}.${name} COMMAND "${PROJECT_SOURCE_DIR}/scripts/validate.sh" ${kind} ${ARGN})
    set_tests_properties(${kind}.${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()
