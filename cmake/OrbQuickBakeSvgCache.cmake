# orbquick_bake_svg_cache(TARGET DIR [FILES...])
#
# Bakes the distance fields of an application's SVG artwork at build time and
# places them as the folder "SvgCache" beside TARGET's executable, where the
# module's cache reads them first: the application's first start then draws
# its artwork without generating a field. FILES are SVG files or folders of
# them, relative to DIR (or absolute); without FILES all of DIR is baked.
# The folder is baked before TARGET is built, again whenever the tool or an
# input changed (files added to an input folder are seen at the next
# configure); the target TARGET-SvgCache bakes it alone. A file that does not
# load fails the build. Call it after setting TARGET's RUNTIME_OUTPUT_DIRECTORY,
# if the target sets one.
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

    # The executable's folder, found without naming TARGET in a generator
    # expression: that would make the bake wait for TARGET, which waits for it.
    get_target_property(_folder ${TARGET} RUNTIME_OUTPUT_DIRECTORY)
    if(NOT _folder)
        if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
            set(_folder "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
        else()
            get_target_property(_folder ${TARGET} BINARY_DIR)
        endif()
    endif()
    get_property(_multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
    if(_multi_config AND NOT _folder MATCHES "\\$<")
        string(APPEND _folder "/$<CONFIG>")
    endif()

    # The tool of an address-sanitized build of this project checks for leaks
    # with the test suite's list of third-party allocations that live until
    # exit (Qt's platform plugin among them).
    set(_env)
    if(ORB_SANITIZE MATCHES "address" AND TARGET orbsvg-bake)
        set(_env ${CMAKE_COMMAND} -E env
                 "LSAN_OPTIONS=suppressions=${orbQuick_SOURCE_DIR}/tests/lsan.supp")
    endif()

    # The descriptor stands for the folder, so that a deleted folder is baked
    # again; with a folder per configuration, a stamp does.
    set(_touch)
    if(_multi_config)
        set(_output "${CMAKE_CURRENT_BINARY_DIR}/${TARGET}-SvgCache.stamp")
        set(_touch COMMAND ${CMAKE_COMMAND} -E touch "${_output}")
    else()
        set(_output "${_folder}/SvgCache/cache.dscr")
    endif()
    add_custom_command(OUTPUT "${_output}"
        COMMAND ${_env} ${_tool} "${_folder}/SvgCache" ${_inputs}
        ${_touch}
        DEPENDS ${_depends}
        COMMENT "Baking the SVG distance fields of ${TARGET}"
        VERBATIM)
    add_custom_target(${TARGET}-SvgCache DEPENDS "${_output}")
    add_dependencies(${TARGET} ${TARGET}-SvgCache)
endfunction()
