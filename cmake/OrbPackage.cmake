# The Debian package "orbquick" (`make deb`, or `cpack -G DEB` in the build folder).
#
# Its Depends are computed: the shared libraries through dpkg-shlibdeps, and the
# QML modules that the compiled-in control library imports at run time through
# the Debian package owning each module's qmldir in Qt's QML folder.

set(ORB_PACKAGE_MAINTAINER "orbQuick developers <orbquick@example.org>" CACHE STRING
    "The package's maintainer, as \"Name <address>\"")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbquick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORB_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Qt Quick extension module orbQuick")
set(CPACK_PACKAGE_DESCRIPTION
    "SVG artwork drawn from distance fields, a virtualised column view, a tree\n"
    "view over several models, drag and drop, and a QML control library: the\n"
    "QML module orbQuick 1.0.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps reads the runtime library's own dependencies from the staging tree.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_STRIP_FILES ON)
# The runtime library lands in the system library folder: refresh the linker cache.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/package/triggers)

# What Debian asks of every package: its copyright and its change log.
set(ORB_PACKAGE_VERSION ${PROJECT_VERSION})
string(TIMESTAMP ORB_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC) # honours SOURCE_DATE_EPOCH
set(_orb_changelog ${CMAKE_BINARY_DIR}/package/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/package/changelog.in ${_orb_changelog} @ONLY)
execute_process(COMMAND gzip -9nf ${_orb_changelog} RESULT_VARIABLE _orb_gzip_result)
if(NOT _orb_gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${_orb_changelog}")
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/package/copyright ${_orb_changelog}.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/orbquick)

# QML modules imported by the files compiled into the plugin.
function(orb_qml_module_packages out_var)
    file(GLOB_RECURSE _qml_files ${PROJECT_SOURCE_DIR}/Libs/*.qml)
    set(_modules "")
    foreach(_file IN LISTS _qml_files)
        file(STRINGS ${_file} _imports REGEX "^[ \t]*import[ \t]+[A-Za-z]")
        foreach(_line IN LISTS _imports)
            if(_line MATCHES "import[ \t]+([A-Za-z][A-Za-z0-9.]*)[ \t]+([0-9]+)")
                list(APPEND _modules "${CMAKE_MATCH_1}:${CMAKE_MATCH_2}")
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES _modules)
    find_program(ORB_DPKG_QUERY dpkg-query)
    set(_packages "")
    foreach(_module IN LISTS _modules)
        string(REPLACE ":" ";" _parts ${_module})
        list(GET _parts 0 _uri)
        list(GET _parts 1 _major)
        if(_uri STREQUAL "orbQuick")
            continue()
        endif()
        # The folders the QML engine looks in for "import A.B.C 2": A/B/C.2, A/B.2/C, A.2/B/C, A/B/C.
        string(REPLACE "." ";" _names ${_uri})
        list(LENGTH _names _count)
        math(EXPR _last "${_count} - 1")
        set(_candidates "")
        foreach(_step RANGE ${_last})
            math(EXPR _versioned "${_last} - ${_step}")
            set(_path "")
            foreach(_i RANGE ${_last})
                list(GET _names ${_i} _name)
                if(_i EQUAL _versioned)
                    string(APPEND _name ".${_major}")
                endif()
                string(APPEND _path "/${_name}")
            endforeach()
            list(APPEND _candidates ${_path})
        endforeach()
        string(REPLACE "." "/" _plain ${_uri})
        list(APPEND _candidates "/${_plain}")
        set(_qmldir "")
        foreach(_candidate IN LISTS _candidates)
            if(EXISTS "${ORB_QT_QML_DIR}${_candidate}/qmldir")
                set(_qmldir "${ORB_QT_QML_DIR}${_candidate}/qmldir")
                break()
            endif()
        endforeach()
        if(NOT _qmldir)
            # The host's own modules (RorazIde) come with the host, not with Qt.
            message(STATUS "QML module ${_uri} ${_major} is not Qt's: no package dependency")
            continue()
        endif()
        if(NOT ORB_DPKG_QUERY)
            continue()
        endif()
        execute_process(COMMAND ${ORB_DPKG_QUERY} -S ${_qmldir}
                        OUTPUT_VARIABLE _owner RESULT_VARIABLE _result ERROR_QUIET
                        OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT _result EQUAL 0)
            message(WARNING "No Debian package owns ${_qmldir}; the package will not depend on it")
            continue()
        endif()
        string(REGEX REPLACE ":.*" "" _owner "${_owner}")
        list(APPEND _packages ${_owner})
    endforeach()
    list(REMOVE_DUPLICATES _packages)
    list(SORT _packages)
    set(${out_var} ${_packages} PARENT_SCOPE)
endfunction()

orb_qml_module_packages(_orb_qml_packages)
list(JOIN _orb_qml_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
message(STATUS "Package depends on the QML modules of: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")

include(CPack)
