# Where orbQuick installs, laid out like Qt's own QML modules.
#
# Without an explicit CMAKE_INSTALL_PREFIX the module goes into Qt's prefix, so
# that a plain `cmake --install build` puts it where every Qt application looks.
# The QML folder is kept relative to the prefix (Qt's QML folder relative to
# Qt's prefix), so that `--prefix P` and DESTDIR move the module and the runtime
# library together and the plugin's $ORIGIN-relative run path stays valid.
#
# Sets ORB_INSTALL_QMLDIR (relative to the prefix), ORB_QT_INSTALL_PREFIX and ORB_QT_QML_DIR.

get_target_property(_orb_qmake Qt5::qmake IMPORTED_LOCATION)
foreach(_orb_query QT_INSTALL_PREFIX QT_INSTALL_QML)
    execute_process(COMMAND ${_orb_qmake} -query ${_orb_query}
                    OUTPUT_VARIABLE _orb_${_orb_query} OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE _orb_result)
    if(NOT _orb_result EQUAL 0 OR NOT _orb_${_orb_query})
        message(FATAL_ERROR "qmake -query ${_orb_query} failed")
    endif()
endforeach()
set(ORB_QT_INSTALL_PREFIX ${_orb_QT_INSTALL_PREFIX})
set(ORB_QT_QML_DIR ${_orb_QT_INSTALL_QML})

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX ${ORB_QT_INSTALL_PREFIX} CACHE PATH "Install prefix" FORCE)
endif()

file(RELATIVE_PATH _orb_qml_relative ${_orb_QT_INSTALL_PREFIX} ${_orb_QT_INSTALL_QML})
if(_orb_qml_relative MATCHES "^\\.\\./")
    set(_orb_qml_relative lib/qml) # Qt keeps its QML folder outside its own prefix
endif()
set(ORB_INSTALL_QMLDIR ${_orb_qml_relative} CACHE STRING
    "Where the QML modules are installed, relative to the install prefix")
if(IS_ABSOLUTE "${ORB_INSTALL_QMLDIR}")
    message(FATAL_ERROR "ORB_INSTALL_QMLDIR must be relative to the install prefix")
endif()

# Gives TARGET, installed into DIR (relative to the prefix), a run path that
# finds the runtime library in the library folder relative to itself, so that
# the prefix (or DESTDIR) can put the two anywhere.
function(orb_set_install_rpath_to_libdir TARGET DIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
        set(_rpath ${CMAKE_INSTALL_LIBDIR})
    else()
        file(RELATIVE_PATH _relative /${DIR} /${CMAKE_INSTALL_LIBDIR})
        string(REGEX REPLACE "/$" "" _relative "${_relative}")
        set(_rpath "$ORIGIN/${_relative}")
    endif()
    set_target_properties(${TARGET} PROPERTIES INSTALL_RPATH "${_rpath}")
endfunction()
