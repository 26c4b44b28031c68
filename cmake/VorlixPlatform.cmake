# A file named *Posix.cpp (a test *PosixTest.cpp) is built on POSIX systems
# only and a file named *Windows.cpp (*WindowsTest.cpp) on Windows only: the
# one place where the platform chooses code.
function(vorlix_platform_sources list_var)
  if(WIN32)
    list(FILTER ${list_var} EXCLUDE REGEX "Posix(Test)?\\.cpp$")
  else()
    list(FILTER ${list_var} EXCLUDE REGEX "Windows(Test)?\\.cpp$")
  endif()
  set(${list_var} ${${list_var}} PARENT_SCOPE)
endfunction()

# vorlix_host_tool(<var> <target>): how a build step runs the helper program
# <target> (template databases, icons, the manual): the target built here,
# or, when cross-compiling, the same helper of a native build, from the
# folder VORLIX_HOST_TOOLS (its bin folder). Sets <var> to the command and
# <var>_DEPENDS to what the step depends on.
function(vorlix_host_tool var target)
  if(CMAKE_CROSSCOMPILING)
    if(NOT VORLIX_HOST_TOOLS)
      message(FATAL_ERROR "Cross-compiling needs VORLIX_HOST_TOOLS: the bin folder of a native build "
                          "(scripts/windows.sh passes it)")
    endif()
    set(${var} ${VORLIX_HOST_TOOLS}/${target} PARENT_SCOPE)
    set(${var}_DEPENDS ${VORLIX_HOST_TOOLS}/${target} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${target}> PARENT_SCOPE)
    set(${var}_DEPENDS ${target} PARENT_SCOPE)
  endif()
endfunction()
