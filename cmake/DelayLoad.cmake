# Delayed imports: a program links import libraries that load a system DLL at the first call of one of
# its functions instead of at start, where under Wine each such DLL costs milliseconds. Each stands in
# for the system's library of the same name, so a function missing from cmake/delayload/<dll>.def is
# an undefined reference at link time, not a silent load at start. 64-bit only: 32-bit imports would
# need their stdcall decorations in the .def files.
find_program(TELLURIN_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)

function(tellurin_delay_load target)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    return()
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_delayload)
  set(libs)
  foreach(dll ${ARGN})
    set(def ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def)
    add_custom_command(OUTPUT ${dir}/lib${dll}.a
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${TELLURIN_DLLTOOL} --input-def ${def} --output-delaylib ${dir}/lib${dll}.a
                       DEPENDS ${def} VERBATIM)
    list(APPEND libs ${dir}/lib${dll}.a)
  endforeach()
  add_custom_target(${target}_delayload DEPENDS ${libs})
  add_dependencies(${target} ${target}_delayload)
  target_link_directories(${target} BEFORE PRIVATE ${dir})
  target_link_libraries(${target} PRIVATE delayimp)
endfunction()
