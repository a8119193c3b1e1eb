# Checks what ships: the engine library exports the seven DevSearch_ functions
# and nothing else, and no test switch was compiled into it or into the
# programs. Run as:
#   cmake -DLIBRARY=libdevsearch.so "-DPROGRAMS=a;b" -DNM=nm -P this-file
# For Windows, with -DOBJDUMP=x86_64-w64-mingw32-objdump: the DLL's export
# table instead of the dynamic symbol table, and neither the DLL nor the
# programs may import a runtime DLL of the compiler (the runtime is linked in).
set(expected
  DevSearch_Create
  DevSearch_Destroy
  DevSearch_Search
  DevSearch_SendCommand
  DevSearch_SetCommandCallback
  DevSearch_SetLocalAddresses
  DevSearch_SetSearchCallback)

set(exported)
if(OBJDUMP)
  foreach(file IN LISTS LIBRARY PROGRAMS)
    execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "objdump -p failed on ${file}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    if(imports MATCHES "libstdc|libgcc|libwinpthread")
      message(FATAL_ERROR "${file} needs a compiler runtime DLL:\n  ${imports}")
    endif()
    if(file STREQUAL LIBRARY)
      # The name table's lines read "\t[   0] DevSearch_Create"; the brackets go first, as
      # CMake does not split a list at a ';' that follows an unmatched ']'.
      string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([^\n]+\n)*)" table "${dump}")
      string(REGEX REPLACE "[ \t]*\\[ *[0-9]+\\] ([^\n]+)\n" "\\1;" exported "${CMAKE_MATCH_1}")
      list(REMOVE_ITEM exported "")
    endif()
  endforeach()
else()
  execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
                  OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm -D failed on ${LIBRARY}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${dynamic}")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^[^ ]+" name "${line}")
    list(APPEND exported ${name})
  endforeach()
endif()
list(SORT exported)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports:\n  ${exported}\nexpected:\n  ${expected}")
endif()

# The whole symbol table, local symbols included: test switches leave names.
foreach(file IN LISTS LIBRARY PROGRAMS)
  execute_process(COMMAND ${NM} -C ${file} OUTPUT_VARIABLE all RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${file}")
  endif()
  if(all MATCHES "[^\n]*(seams::|ForTesting|ParseAnnouncementLiterally)[^\n]*")
    message(FATAL_ERROR "${file} carries test code:\n${CMAKE_MATCH_0}")
  endif()
endforeach()
message(STATUS "${LIBRARY} exports the seven DevSearch_ functions; no test code ships")
