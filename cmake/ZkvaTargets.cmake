# Helpers that give every target of the project the same flags and places.
# Flags are set per target, never through global CMAKE_CXX_FLAGS edits.

function(zkva_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII_DEPRECATED QT_NO_FOREACH QT_DISABLE_DEPRECATED_BEFORE=0x060400)
  if(ZKVA_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(ZKVA_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(ZKVA_COVERAGE)
    target_compile_options(${target} PRIVATE --coverage)
    target_link_options(${target} PRIVATE --coverage)
  endif()
endfunction()

# A shared library of the program folder (libOrvLibs.so, libdpkZLibs.so).
function(zkva_add_library target)
  add_library(${target} SHARED ${ARGN})
  zkva_target_defaults(${target})
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY "${ZKVA_PROGRAM_DIR}"
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN")
endfunction()

# A run-time package: a plug-in loaded by file name (dpkZSys.so, ...) from the
# program folder, finding the libraries beside it through its rpath. The
# package's entry file (<target>.cpp: its name and its class registrations)
# makes the plug-in; its other sources are built once, as the object library
# <target>_objects, which the plug-in and the tests both link.
function(zkva_add_package target)
  set(entry "")
  set(rest "")
  foreach(source ${ARGN})
    get_filename_component(name "${source}" NAME)
    if(name STREQUAL "${target}.cpp")
      list(APPEND entry "${source}")
    else()
      list(APPEND rest "${source}")
    endif()
  endforeach()
  if(entry STREQUAL "")
    set(entry ${rest})
    set(rest "")
  endif()
  add_library(${target} MODULE ${entry})
  zkva_target_defaults(${target})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY "${ZKVA_PROGRAM_DIR}"
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN")
  target_link_libraries(${target} PRIVATE OrvLibs dpkZLibs)
  if(NOT rest STREQUAL "")
    add_library(${target}_objects OBJECT ${rest})
    zkva_target_defaults(${target}_objects)
    set_target_properties(${target}_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${target}_objects PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
    target_link_libraries(${target}_objects PUBLIC OrvLibs dpkZLibs)
    target_link_libraries(${target} PRIVATE ${target}_objects)
  endif()
endfunction()
