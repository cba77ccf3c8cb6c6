# cmake -DNM=<nm> -DOBJDUMP=<objdump> -DSYMBOLS=<file>.debug -DOUTPUT=<file>.delayslots -DENTRIES="dll:function;..."
#       -P DelaySlotTable.cmake
# Writes "dll function slot" lines, the slot of each delay-loaded function as an address relative to the image
# (its __imp_ symbol less the image base of the file's header), so that a test can find every slot in the
# shipped file.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} "${SYMBOLS}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} ${SYMBOLS} failed: ${err}")
endif()
execute_process(COMMAND ${OBJDUMP} -p "${SYMBOLS}" OUTPUT_VARIABLE header RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT header MATCHES "ImageBase[ \t]+([0-9a-fA-F]+)")
  message(FATAL_ERROR "${OBJDUMP} -p ${SYMBOLS} gives no image base: ${err}")
endif()
math(EXPR base "0x${CMAKE_MATCH_1}")
set(table "")
foreach(entry IN LISTS ENTRIES)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 dll)
  list(GET parts 1 name)
  if(NOT symbols MATCHES "([0-9a-fA-F]+) [A-Za-z] __imp__?${name}(@[0-9]+)?[\r\n]")
    message(FATAL_ERROR "${SYMBOLS}: no import slot for ${dll} ${name}")
  endif()
  math(EXPR slot "0x${CMAKE_MATCH_1} - ${base}" OUTPUT_FORMAT HEXADECIMAL)
  string(APPEND table "${dll} ${name} ${slot}\n")
endforeach()
file(WRITE "${OUTPUT}" "${table}")
