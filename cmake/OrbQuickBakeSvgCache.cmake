# orbquick_bake_svg_cache(TARGET DIR [FILES...])
#
# Bakes the distance fields of an application's SVG artwork at build time and
# places them as the folder "SvgCache" beside TARGET's executable, where the
# module's cache reads them first: the application's first start then draws
# its artwork without generating a field. FILES are SVG files or folders of
# them, relative to DIR (or absolute); without FILES all of DIR is baked.
# The folder is baked again when the tool or an input changes (files added to
# an input folder are seen at the next configure), as part of the "all" build,
# or alone as the target TARGET-SvgCache. A file that does not load fails the
# build.
function(orbquick_bake_svg_cache TARGET DIR)
    if(NOT TARGET ${TARGET})
        message(FATAL_ERROR "orbquick_bake_svg_cache: no target ${TARGET}")
    endif()
    set(_names ${ARGN})
    if(NOT _names)
        set(_names .)
    endif()

    set(_inputs)
    set(_depends)
    foreach(_name IN LISTS _names)
        get_filename_component(_input "${_name}" ABSOLUTE BASE_DIR "${DIR}")
        list(APPEND _inputs "${_input}")
        if(IS_DIRECTORY "${_input}")
            file(GLOB_RECURSE _svgs CONFIGURE_DEPENDS "${_input}/*.svg")
            list(APPEND _depends ${_svgs})
        else()
            list(APPEND _depends "${_input}")
        endif()
    endforeach()

    # The tool of this build when there is one, else an installed one.
    if(TARGET orbsvg-bake)
        set(_tool $<TARGET_FILE:orbsvg-bake>)
        list(APPEND _depends orbsvg-bake)
    else()
        find_program(ORBQUICK_BAKE_EXECUTABLE orbsvg-bake REQUIRED)
        set(_tool "${ORBQUICK_BAKE_EXECUTABLE}")
        list(APPEND _depends "${ORBQUICK_BAKE_EXECUTABLE}")
    endif()

    set(_stamp "${CMAKE_CURRENT_BINARY_DIR}/${TARGET}-SvgCache.stamp")
    add_custom_command(OUTPUT "${_stamp}"
        COMMAND ${_tool} "$<TARGET_FILE_DIR:${TARGET}>/SvgCache" ${_inputs}
        COMMAND ${CMAKE_COMMAND} -E touch "${_stamp}"
        DEPENDS ${_depends}
        COMMENT "Baking the SVG distance fields of ${TARGET}"
        VERBATIM)
    # Part of "all", after TARGET (whose folder it writes into).
    add_custom_target(${TARGET}-SvgCache ALL DEPENDS "${_stamp}")
endfunction()
