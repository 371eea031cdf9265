# Installs a build tree into an empty prefix and checks what arrived.
#
#   cmake -D BUILD_DIR=... -D PREFIX=... -D CONFIG=... -D "EXPECTED=rel;paths"
#         -D BINDIR=bin -D DATADIR=share -P check-install.cmake
#
# Fails when a file of EXPECTED is missing, when the desktop entry's Exec does
# not name an installed, executable program, or when its Icon names no
# installed icon.
foreach(var BUILD_DIR PREFIX BINDIR DATADIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check-install.cmake: ${var} not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
set(config_args "")
if(CONFIG)
    set(config_args --config "${CONFIG}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" ${config_args}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(problems "")
foreach(file IN LISTS EXPECTED)
    if(NOT EXISTS "${PREFIX}/${file}")
        list(APPEND problems "missing: ${file}")
    endif()
endforeach()

set(entry "${PREFIX}/${DATADIR}/applications/dravik.desktop")
if(EXISTS "${entry}")
    file(STRINGS "${entry}" exec_lines REGEX "^Exec=")
    file(STRINGS "${entry}" icon_lines REGEX "^Icon=")
    list(LENGTH exec_lines exec_count)
    list(LENGTH icon_lines icon_count)
    if(NOT exec_count EQUAL 1 OR NOT icon_count EQUAL 1)
        list(APPEND problems "dravik.desktop: wants exactly one Exec= and one Icon= line")
    else()
        # Exec=PROGRAM [ARGS]: PROGRAM, found on PATH, must be one we install.
        string(REGEX REPLACE "^Exec=([^ ]+).*$" "\\1" program "${exec_lines}")
        execute_process(COMMAND test -x "${PREFIX}/${BINDIR}/${program}" RESULT_VARIABLE not_executable)
        if(program MATCHES "/" OR NOT not_executable EQUAL 0)
            list(APPEND problems "dravik.desktop: Exec=${program} is not an installed program in ${BINDIR}/")
        endif()
        # Icon=NAME: a theme icon, looked up as NAME.png under the hicolor theme.
        string(REGEX REPLACE "^Icon=(.*)$" "\\1" icon "${icon_lines}")
        file(GLOB icons "${PREFIX}/${DATADIR}/icons/hicolor/*/apps/${icon}.png")
        if(icon MATCHES "/" OR NOT icons)
            list(APPEND problems "dravik.desktop: Icon=${icon} names no installed icon")
        endif()
    endif()
endif()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "installation into ${PREFIX} is incomplete:\n  ${text}")
endif()
message(STATUS "installation into ${PREFIX} complete")
