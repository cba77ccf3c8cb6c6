# Windows builds: every C++ target of this tree reuses one precompiled header of <windows.h> and the standard
# headers that nearly every file includes. Parsing those is most of a file's compile time with MinGW, and the
# Windows and i686 builds compile some 370 files. Nothing in the tree defines a macro ahead of <windows.h>,
# so including it first changes no meaning; a target whose flags make the header unusable is compiled
# from the headers' text as before (GCC falls back and -Winvalid-pch says so).
add_library(kv_windows_pch STATIC ${CMAKE_CURRENT_LIST_DIR}/KvWindowsPch.cpp)
target_precompile_headers(kv_windows_pch PRIVATE
  <windows.h> <algorithm> <cstdint> <cstring> <functional> <map> <memory> <string> <vector>)

# The targets declared in `dir` and below it (not those of googletest, which lives outside the tree).
function(kv_tree_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    cmake_path(IS_PREFIX CMAKE_SOURCE_DIR "${sub}" NORMALIZE inside)
    if(inside)
      kv_tree_targets(${sub} more)
      list(APPEND targets ${more})
    endif()
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(kv_share_windows_pch)
  kv_tree_targets(${CMAKE_SOURCE_DIR} targets)
  foreach(t IN LISTS targets)
    if(t STREQUAL kv_windows_pch)
      continue()
    endif()
    get_target_property(type ${t} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(sources ${t} SOURCES)
    if(NOT sources MATCHES "\\.(cpp|cc)(;|$)")
      continue()
    endif()
    target_precompile_headers(${t} REUSE_FROM kv_windows_pch)
  endforeach()
endfunction()
