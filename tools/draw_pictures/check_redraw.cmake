# Redraws every picture into a scratch directory and compares it with the
# committed file.
#
#   cmake -D DRAW_PICTURES=... -D OUTPUT_DIR=... -D ASSETS_DIR=... -P check_redraw.cmake
#
# Fails when draw_pictures fails, when a drawn file differs from its committed
# copy in a single byte or is not committed, or when a committed picture is no
# longer drawn.
cmake_minimum_required(VERSION 3.25)

foreach(var DRAW_PICTURES OUTPUT_DIR ASSETS_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_redraw.cmake: ${var} not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${DRAW_PICTURES}" "${OUTPUT_DIR}" RESULT_VARIABLE result ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "draw_pictures failed (${result}):\n${output}")
endif()

file(GLOB_RECURSE drawn RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/*")
file(GLOB_RECURSE committed RELATIVE "${ASSETS_DIR}" "${ASSETS_DIR}/*")
if(NOT drawn)
    message(FATAL_ERROR "draw_pictures wrote nothing into ${OUTPUT_DIR}")
endif()
set(problems "")
foreach(file IN LISTS drawn)
    if(NOT EXISTS "${ASSETS_DIR}/${file}")
        list(APPEND problems "drawn but not committed: ${file}")
        continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT_DIR}/${file}" "${ASSETS_DIR}/${file}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND problems "differs from the committed file: ${file}")
    endif()
endforeach()
foreach(file IN LISTS committed)
    if(NOT file IN_LIST drawn)
        list(APPEND problems "committed but no longer drawn: ${file}")
    endif()
endforeach()
if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "the committed pictures are not what draw_pictures draws:\n  ${text}\n"
                        "Redraw them with: cmake --build <build dir> --target pictures")
endif()
list(LENGTH drawn count)
message(STATUS "all ${count} pictures redrawn byte for byte")
