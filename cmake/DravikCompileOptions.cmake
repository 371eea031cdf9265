# One set of flags for every target of the project.
#
# -ffp-contract=off: the formulas are evaluated operation by operation in the
# written order; a fused multiply-add would change the last digit. Fast-math
# is never used.
# -Wconversion and -Wsign-conversion: a value changes type only where the code
# says so, with a static_cast where it is known to fit. -Wshadow: no name hides
# another. -Wold-style-cast: every cast says which kind it is. Qt's and
# GoogleTest's headers come in as system headers (their imported targets), so
# only the project's own code is held to these.
function(dravik_compile_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
                                             -Wold-style-cast -ffp-contract=off -fno-fast-math)
    if(DRAVIK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(DRAVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
