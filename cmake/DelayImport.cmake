# kv_delay_import(TARGET DLL FUNCTION...): TARGET loads DLL on the first call of one of the FUNCTIONs instead of
# at process start (the linker's delay-load tables and the runtime's __delayLoadHelper2). Only the functions named
# are delayed: a function of DLL that is not listed still links, through the DLL's ordinary import library, and
# then loads DLL at start again. The delay-import library is made with dlltool from a definition file written
# here; on i686 the names carry their stdcall decoration, read from the ordinary import library.
#
# Each function's thunk is kept by naming its symbol as undefined (-u). The program calls through the import
# slot (__imp_Name, as the headers declare the functions dllimport), never the thunk's own symbol, and the
# 32-bit linker drops the code of import-library members whose symbol nobody references: the thunk went, and
# the slot, whose content is the thunk's address, was written as 0, so the first call jumped to address 0.
#
# The target's property KV_DELAY_IMPORTS lists "dll:function" for each, for kv_delay_slot_table.
function(kv_delay_import target dll)
  if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
    message(FATAL_ERROR "kv_delay_import needs dlltool and nm (CMAKE_DLLTOOL, CMAKE_NM)")
  endif()
  find_library(kv_implib_${dll} NAMES ${dll} lib${dll}.a)
  if(NOT kv_implib_${dll})
    message(FATAL_ERROR "kv_delay_import: no import library for ${dll}")
  endif()
  execute_process(COMMAND ${CMAKE_NM} -g "${kv_implib_${dll}}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "kv_delay_import: ${CMAKE_NM} cannot read ${kv_implib_${dll}}")
  endif()
  set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
  set(keep "")
  foreach(name IN LISTS ARGN)
    # __imp_Name (x86_64) or __imp__Name@N (i686); the thunk's symbol is the same without "__imp_".
    if(symbols MATCHES "__imp_(_?${name}(@[0-9]+)?)[\r\n]")
      string(APPEND def "  ${name}${CMAKE_MATCH_2}\n")
      list(APPEND keep "-Wl,-u,${CMAKE_MATCH_1}")
      set_property(TARGET ${target} APPEND PROPERTY KV_DELAY_IMPORTS "${dll}:${name}")
    else()
      message(FATAL_ERROR "kv_delay_import: ${dll} exports no ${name}")
    endif()
  endforeach()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/delayimp)
  file(MAKE_DIRECTORY ${dir})
  file(CONFIGURE OUTPUT ${dir}/${target}_${dll}.def CONTENT "${def}")
  set(lib ${dir}/lib${target}_${dll}_delay.a)
  set(killAt "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(killAt -k)  # the DLL exports the undecorated names
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} ${killAt} -d ${dir}/${target}_${dll}.def -D ${dll}.dll -y ${lib}
    DEPENDS ${dir}/${target}_${dll}.def
    COMMENT "Delay-import library for ${dll}")
  add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
  add_dependencies(${target} ${target}_${dll}_delay)
  # Whole archive, first on the line: its import symbols are then defined before any library asks for them, so
  # the ordinary import library (linked later by the libraries that use the DLL) is never searched for them.
  target_link_libraries(${target} PRIVATE ${keep} -Wl,--whole-archive ${lib} -Wl,--no-whole-archive)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${lib})
endfunction()

# kv_delay_slot_table(TARGET): after TARGET is linked (and made a shipped file), writes <file>.delayslots beside
# it: one line "dll function slot" for every delay-loaded function, the slot as an address relative to the image,
# read from the symbols of <file>.debug. The test of the delay-loaded functions reads it to find each slot.
function(kv_delay_slot_table target)
  get_target_property(entries ${target} KV_DELAY_IMPORTS)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DOBJDUMP=${CMAKE_OBJDUMP} -DSYMBOLS=$<TARGET_FILE:${target}>.debug
            -DOUTPUT=$<TARGET_FILE:${target}>.delayslots "-DENTRIES=${entries}"
            -P ${CMAKE_SOURCE_DIR}/cmake/DelaySlotTable.cmake
    VERBATIM)
endfunction()
