# Installs the build in BUILD_DIR into a fresh prefix under WORK_DIR, checks
# the installed layout, then builds the consumer project against the
# installed package and runs it on SAMPLE.
#
# cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DSAMPLE_TOOL=...
#       -DCXX=... -DCXX_FLAGS=... -DLINKER_FLAGS=... -P install_and_consume.cmake
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "failed (${code}): ${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")

foreach(path bin/d88cut bin/d88ls share/man/man1/d88ls.1 include/d88_reader.h include/d88_format.h
             lib/libd88reader.a share/man/man1/d88cut.1
             lib/cmake/D88Reader/D88ReaderConfig.cmake
             lib/cmake/D88Reader/D88ReaderConfigVersion.cmake)
  if(NOT EXISTS "${prefix}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${WORK_DIR}/consumer"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_COMPILER=${CXX}"
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/consumer")
run("${SAMPLE_TOOL}" "${WORK_DIR}/sample.d88")
run("${WORK_DIR}/consumer/consumer" "${WORK_DIR}/sample.d88")
if(NOT output STREQUAL "SAMPLE 2D 64\n")
  message(FATAL_ERROR "unexpected consumer output: '${output}'")
endif()
