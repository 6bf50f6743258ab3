# The layers hold at link time. A library (or program) declared with
#   legato_layer(target QTCORE)    may reach Qt only through QtCore;
#   legato_layer(target STANDARD)  may reach no Qt library at all;
#   legato_layer(target PANEL)     (a panel of the main window) reaches the panel
#                                  contract, never the main window's library.
# The check runs once every folder is read (links may name targets defined
# later): it follows LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES transitively
# and stops the configure step, naming the path, when a forbidden library is
# reached.
set(_LEGATO_LAYER_QTCORE "^Qt[0-9]*::(Gui|Widgets|Network|OpenGL|OpenGLWidgets|Multimedia|Designer|Test)$")
set(_LEGATO_LAYER_STANDARD "^Qt[0-9]*::")
set(_LEGATO_LAYER_PANEL "^CadenzaShell$")

function(legato_layer target layer)
    if(NOT DEFINED _LEGATO_LAYER_${layer})
        message(FATAL_ERROR "legato_layer(${target}): layer is QTCORE or STANDARD, not '${layer}'")
    endif()
    # A deferred call reads its arguments when it runs, so the values are written in.
    cmake_language(EVAL CODE
        "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _legato_check_layer [[${target}]] [[${layer}]])")
endfunction()

function(_legato_check_layer target layer)
    set(pattern "${_LEGATO_LAYER_${layer}}")
    set(queue ${target})
    set(seen "")
    set(_from_${target} "")
    while(queue)
        list(POP_FRONT queue item)
        if(item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        # Qt's imported targets are known only below the folder that found
        # them, so a link is judged by its name first.
        set(aliased "")
        if(TARGET ${item})
            get_target_property(aliased ${item} ALIASED_TARGET)
        endif()
        if(item MATCHES "${pattern}" OR (aliased AND aliased MATCHES "${pattern}"))
            set(path "${item}")
            set(step "${_from_${item}}")
            while(step)
                set(path "${step} -> ${path}")
                set(step "${_from_${step}}")
            endwhile()
            message(FATAL_ERROR "${target} is a ${layer} layer but links ${item}: ${path}")
        endif()
        if(NOT TARGET ${item})
            continue()
        endif()
        if(aliased)
            set(item ${aliased})
        endif()
        get_target_property(type ${item} TYPE)
        set(links "")
        if(NOT type STREQUAL "INTERFACE_LIBRARY" OR CMAKE_VERSION VERSION_GREATER_EQUAL 3.19)
            get_target_property(own ${item} LINK_LIBRARIES)
            if(own)
                list(APPEND links ${own})
            endif()
        endif()
        get_target_property(iface ${item} INTERFACE_LINK_LIBRARIES)
        if(iface)
            list(APPEND links ${iface})
        endif()
        foreach(link IN LISTS links)
            # A static library's private links appear as $<LINK_ONLY:...>; other
            # generator expressions and folder markers name no target.
            string(REGEX REPLACE "^\\$<LINK_ONLY:([^>]+)>$" "\\1" link "${link}")
            if(link MATCHES "^\\$<|^::@" OR link IN_LIST seen)
                continue()
            endif()
            if(NOT DEFINED _from_${link})
                set(_from_${link} ${item})
            endif()
            list(APPEND queue ${link})
        endforeach()
    endwhile()
endfunction()
