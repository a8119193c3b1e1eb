# Every test is declared one way, with vf_add_test:
#
#   vf_add_test(<name>
#     [SOURCES <file>...]          the test program <name>, built from these files
#     [LIBS <target>...]           what it links; GoogleTest's main comes from here too
#     [PROGRAM <target>]           or: run the program of another test
#     [COMMAND <arg>...]           or: run this command (a script, a CMake check)
#     [WRAPPER <arg>...]           what the program runs inside (an X server of its own, ...)
#     [ARGS <arg>...]              the program's arguments
#     [TIMEOUT <seconds>]          60 unless given: every test is bounded
#     [PRIVATE_LAN [<option>...]]  on a private LAN of its own: tools/privlan.sh with these
#                                  options (--links 2, --camsim "...", ...). Under Wine the tests
#                                  share the LAN of scripts/test-windows.sh instead, one at a time,
#                                  and the options are not used.
#     [ENVIRONMENT <var=value>...]
#     [PROPERTIES <property> <value>...])  further CTest properties
#
# Everything a test program is built from carries the common configuration (vf_common_cfg).
set(VF_PRIVLAN ${PROJECT_SOURCE_DIR}/tools/privlan.sh)

function(vf_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 T "" "PROGRAM;TIMEOUT"
                        "SOURCES;LIBS;COMMAND;WRAPPER;ARGS;PRIVATE_LAN;ENVIRONMENT;PROPERTIES")
  if(T_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vf_add_test(${name}): unknown arguments ${T_UNPARSED_ARGUMENTS}")
  endif()
  set(on_lan FALSE)
  if(DEFINED T_PRIVATE_LAN OR "PRIVATE_LAN" IN_LIST T_KEYWORDS_MISSING_VALUES)
    set(on_lan TRUE)
  endif()

  if(T_SOURCES)
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} vf_common_cfg)
    set(T_PROGRAM ${name})
  elseif(T_LIBS)
    message(FATAL_ERROR "vf_add_test(${name}): LIBS without SOURCES")
  endif()

  if(T_COMMAND)
    set(command ${T_COMMAND})
  elseif(T_PROGRAM)
    if(T_WRAPPER OR (on_lan AND NOT WIN32))
      set(command ${T_WRAPPER} $<TARGET_FILE:${T_PROGRAM}> ${T_ARGS})
    else()
      # The target's own name: CTest runs it through the cross build's emulator.
      set(command ${T_PROGRAM} ${T_ARGS})
    endif()
  else()
    message(FATAL_ERROR "vf_add_test(${name}): SOURCES, PROGRAM or COMMAND is needed")
  endif()
  if(on_lan AND NOT WIN32)
    set(command ${VF_PRIVLAN} ${T_PRIVATE_LAN} -- ${command})
  endif()
  add_test(NAME ${name} COMMAND ${command})

  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(on_lan AND WIN32)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK private_lan)
  endif()
  if(T_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  if(T_PROPERTIES)
    set_tests_properties(${name} PROPERTIES ${T_PROPERTIES})
  endif()
endfunction()
