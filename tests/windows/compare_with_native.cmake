# Runs the Windows d88cut under EMULATOR (Wine) on the sample image and checks
# that it writes the same three files, byte for byte, as the native build in
# NATIVE_BUILD, and announces them with CR LF line ends, as a Windows text
# stream writes them. d88ls's listing must match the native one but for the
# line ends.
#
# cmake -DNATIVE_BUILD=... -DWINDOWS_D88CUT=... -DWINDOWS_D88LS=...
#       -DEMULATOR=... -DWORK_DIR=... -P compare_with_native.cmake
# Runs a command in `dir`; its standard output is left in `output`, as hex
# digits of the raw bytes (execute_process would turn CR LF into LF).
function(run dir)
  set(file "${WORK_DIR}/stdout")
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${dir}"
                  RESULT_VARIABLE code OUTPUT_FILE "${file}" ERROR_VARIABLE err)
  file(READ "${file}" out HEX)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "failed (${code}): ${ARGN}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

foreach(program make_sample d88cut d88ls)
  if(NOT EXISTS "${NATIVE_BUILD}/${program}")
    message(FATAL_ERROR "no native ${program} in ${NATIVE_BUILD}: build the "
                        "default preset first")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/native" "${WORK_DIR}/windows")
run("${WORK_DIR}" "${NATIVE_BUILD}/make_sample" sample.d88)

run("${WORK_DIR}/native" "${NATIVE_BUILD}/d88cut" ../sample.d88)
set(native_out "${output}")
run("${WORK_DIR}/windows" ${EMULATOR} "${WINDOWS_D88CUT}" ../sample.d88)
set(windows_out "${output}")

# In hex: LF is 0a, CR LF 0d0a.
string(REGEX REPLACE "(..)" "\\1 " native_bytes "${native_out}")
string(REPLACE "0a " "0d0a " expected_out "${native_bytes}")
string(REPLACE " " "" expected_out "${expected_out}")
if(NOT windows_out STREQUAL expected_out OR native_out STREQUAL "")
  message(FATAL_ERROR "d88cut.exe printed the bytes ${windows_out}, expected "
                      "${expected_out}")
endif()
foreach(name PROG PROG2 MUSIC)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                  "${WORK_DIR}/native/${name}" "${WORK_DIR}/windows/${name}"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name} differs from the native build's")
  endif()
endforeach()

run("${WORK_DIR}" "${NATIVE_BUILD}/d88ls" sample.d88)
set(native_list "${output}")
run("${WORK_DIR}" ${EMULATOR} "${WINDOWS_D88LS}" sample.d88)
string(REGEX REPLACE "(..)" "\\1 " windows_list "${output}")
string(REPLACE "0d 0a " "0a " windows_list "${windows_list}")
string(REPLACE " " "" windows_list "${windows_list}")
if(NOT windows_list STREQUAL native_list)
  message(FATAL_ERROR "d88ls.exe's listing differs from the native one")
endif()
message(STATUS "d88cut.exe and d88ls.exe match the native build")
