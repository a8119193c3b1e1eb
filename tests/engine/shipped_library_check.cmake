# Checks what ships: libdevsearch.so's dynamic symbol table exports the seven
# DevSearch_ functions and nothing else, and no test switch was compiled into
# it or into the programs. Run as:
#   cmake -DLIBRARY=libdevsearch.so "-DPROGRAMS=a;b" -DNM=nm -P this-file
set(expected
  DevSearch_Create
  DevSearch_Destroy
  DevSearch_Search
  DevSearch_SendCommand
  DevSearch_SetCommandCallback
  DevSearch_SetLocalAddresses
  DevSearch_SetSearchCallback)

execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm -D failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${dynamic}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX MATCH "^[^ ]+" name "${line}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "libdevsearch.so exports:\n  ${exported}\nexpected:\n  ${expected}")
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
message(STATUS "libdevsearch.so exports the seven DevSearch_ functions; no test code ships")
