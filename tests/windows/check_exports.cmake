# Reads the export and import tables of the DLL with objdump and checks what a host relies on:
# the only exported name is "p" (undecorated: no p@12), and the DLL needs nothing but KERNEL32 and
# msvcrt, which every Windows has (the C++ runtime is linked in statically).
#
#   cmake -DOBJDUMP=i686-w64-mingw32-objdump -DDLL=pulsepost.dll -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(names)
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: " "" name "${line}")
  string(TOUPPER "${name}" name)
  list(APPEND names "${name}")
endforeach()
list(SORT names)
if(NOT names STREQUAL "KERNEL32.DLL;MSVCRT.DLL")
  message(FATAL_ERROR "imports: ${names} (expected exactly KERNEL32.dll and msvcrt.dll)")
endif()

# The name pointer table: lines "[ordinal] name" after "[Ordinal/Name Pointer] Table".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "no export name table in ${DLL}")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX MATCHALL "\n[ \t]+\\[[ 0-9]+\\] [^\n]+" entries "${table}")
set(exports)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\n[ \t]+\\[[ 0-9]+\\] " "" name "${entry}")
  list(APPEND exports "${name}")
endforeach()
if(NOT exports STREQUAL "p")
  message(FATAL_ERROR "exports: ${exports} (expected exactly p)")
endif()
message(STATUS "exports: ${exports}; imports: ${names}")
