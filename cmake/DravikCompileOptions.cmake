# One set of flags for every target of the project.
#
# -ffp-contract=off: the formulas are evaluated operation by operation in the
# written order; a fused multiply-add would change the last digit. Fast-math
# is never used.
function(dravik_compile_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off -fno-fast-math)
    if(DRAVIK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(DRAVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
