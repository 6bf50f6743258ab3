# legato_add_test(NAME name SOURCES ... [LIBS ...] [QT])
#   One GoogleTest binary, registered with CTest test by test.
#   QT: the binary gets a main() that creates a QApplication on the offscreen
#   platform, for tests of widgets, signals and event processing.
function(legato_add_test)
    cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS" ${ARGN})
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
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    # Discovery runs when CTest runs, with CTest's environment, not at build time.
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LEGATO_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
