# The section diagrams' drawing code as a library of its own: draw_pictures
# draws the stored pictures with it, and the program draws the diagrams of
# its calculation sheets with it, sharp at print resolution.
if(NOT TARGET dravik_section_drawing)
    find_package(Qt6 6.4 REQUIRED COMPONENTS Gui)
    add_library(dravik_section_drawing STATIC
        ${CMAKE_CURRENT_LIST_DIR}/style.cpp
        ${CMAKE_CURRENT_LIST_DIR}/section_rectangle.cpp
        ${CMAKE_CURRENT_LIST_DIR}/section_l.cpp
        ${CMAKE_CURRENT_LIST_DIR}/section_flanged.cpp
        ${CMAKE_CURRENT_LIST_DIR}/section_z.cpp
    )
    target_link_libraries(dravik_section_drawing PUBLIC Qt6::Gui)
    dravik_compile_options(dravik_section_drawing)
endif()
