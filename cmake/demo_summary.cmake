# Lists the files the demo cut, with their sizes: cmake -P demo_summary.cmake
# run in the demo folder.
message("")
message("Written to ${CMAKE_ARGV3}:")
foreach(name PROG PROG2 MUSIC)
  if(EXISTS ${name})
    file(SIZE ${name} size)
    message("  ${name}  ${size} bytes")
  else()
    message("  ${name}  (not written)")
  endif()
endforeach()
