# Configures and builds the application project in a fresh folder, then checks
# that a baked cache lies beside its executable. Run with cmake -P.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${PROJECT_DIR} -B ${WORK_DIR} -G Ninja
                        -DORBQUICK_CMAKE_DIR=${ORBQUICK_CMAKE_DIR}
                        -DORBQUICK_BAKE_EXECUTABLE=${BAKE_TOOL}
                        -DARTWORK_DIR=${ARTWORK_DIR} "-DARTWORK_FILES=${ARTWORK_FILES}"
                RESULT_VARIABLE _configured)
if(NOT _configured EQUAL 0)
    message(FATAL_ERROR "the application project does not configure")
endif()
# Building the application alone bakes its artwork.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target app RESULT_VARIABLE _built)
if(NOT _built EQUAL 0)
    message(FATAL_ERROR "the application project does not build")
endif()
set(_seed ${WORK_DIR}/bin/SvgCache)
file(GLOB _atlases ${_seed}/*.png)
if(NOT EXISTS ${_seed}/cache.dscr OR NOT _atlases)
    message(FATAL_ERROR "no baked cache beside the executable in ${_seed}")
endif()
file(READ ${_seed}/cache.dscr _descriptor)
string(JSON _fields LENGTH "${_descriptor}" Textures)
if(NOT _fields EQUAL ${EXPECTED_FIELDS})
    message(FATAL_ERROR "${_fields} fields baked, ${EXPECTED_FIELDS} expected")
endif()
# A second build has nothing to do: the stamp is newer than the inputs.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} -- -n -d explain
                OUTPUT_VARIABLE _plan ERROR_VARIABLE _explain)
if(_plan MATCHES "Baking")
    message(FATAL_ERROR "the artwork is baked again without a change:\n${_plan}")
endif()
# A deleted cache is baked again.
file(REMOVE_RECURSE ${_seed})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target app RESULT_VARIABLE _built)
if(NOT _built EQUAL 0 OR NOT EXISTS ${_seed}/cache.dscr)
    message(FATAL_ERROR "a deleted cache is not baked again")
endif()
