# legato_version_info(target
#     [TITLE text] [DESCRIPTION text] [COMMENTS text] [COPYRIGHT text] [VERSION x.y.z])
# Records the version block of a program or library: its title, file description,
# major.minor.revision, comments and legal copyright. Title defaults to the target's
# output name, version to the project's.
function(legato_version_info target)
    cmake_parse_arguments(V "" "TITLE;DESCRIPTION;COMMENTS;COPYRIGHT;VERSION" "" ${ARGN})
    if(NOT V_TITLE)
        set(V_TITLE ${target})
    endif()
    if(NOT V_VERSION)
        set(V_VERSION ${PROJECT_VERSION})
    endif()
    if(NOT DEFINED V_COPYRIGHT)
        set(V_COPYRIGHT "Copyright (C) 2026 The Legato developers")
    endif()
    set_target_properties(${target} PROPERTIES
        LEGATO_TITLE "${V_TITLE}"
        LEGATO_DESCRIPTION "${V_DESCRIPTION}"
        LEGATO_COMMENTS "${V_COMMENTS}"
        LEGATO_COPYRIGHT "${V_COPYRIGHT}"
        LEGATO_VERSION "${V_VERSION}")
endfunction()
