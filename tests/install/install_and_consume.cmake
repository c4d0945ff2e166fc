# Installs the build tree into a fresh prefix, checks what landed there,
# builds the consumer project against it (CMake package and pkg-config),
# runs both consumers and the installed nodexa command on its installed demo.
#
#   cmake -DBUILD_DIR=... -DCONSUMER=... -DWORK=... -P install_and_consume.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

file(GLOB_RECURSE config ${prefix}/*/NodexaConfig.cmake)
file(GLOB_RECURSE pc ${prefix}/*/nodexa.pc)
foreach(expected IN ITEMS include/nodexa/nodexa.h bin/nodexa share/nodexa/demo/medium/Common/x64/QVXAhcp.dll)
  if(NOT EXISTS ${prefix}/${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
if(NOT config OR NOT pc)
  message(FATAL_ERROR "package files missing: '${config}' '${pc}'")
endif()
file(GLOB journals ${prefix}/share/nodexa/demo/medium/Common/x64/*.journal)
if(journals)
  message(FATAL_ERROR "journals of the build tree's demo were installed: ${journals}")
endif()
get_filename_component(pc_dir ${pc} DIRECTORY)

run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir}
    ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/build -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK}/build)
foreach(consumer IN ITEMS consumer_package consumer_pkgconfig)
  run(${WORK}/build/${consumer})
  message(STATUS "${consumer}: ${run_output}")
endforeach()

# A program linked by hand with pkg-config's flags starts without
# LD_LIBRARY_PATH: the flags carry the library's run path.
run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} --unset=LD_LIBRARY_PATH
    sh -c "c++ -std=c++17 ${CONSUMER}/consumer.cpp $(pkg-config --cflags --libs nodexa) -o ${WORK}/consumer_plain && ${WORK}/consumer_plain")
message(STATUS "consumer_plain: ${run_output}")

# The installed command finds its installed demo, and its library beside it.
run(${CMAKE_COMMAND} -E env --unset=NODEXA_EXECUTABLE_DIRECTORY --unset=NODEXA_MACHINE
    ${prefix}/bin/nodexa ina-attached USB001)
if(NOT run_output MATCHES "IsINAAttached\\(\"USB001\"\\) = 1")
  message(FATAL_ERROR "installed nodexa answered: ${run_output}")
endif()
file(REMOVE_RECURSE ${WORK})
