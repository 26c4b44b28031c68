# Registers one GoogleTest executable with CTest; tests run without a display.
function(vorlix_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vorlix_test_support GTest::gtest GTest::gtest_main)
  vorlix_target_options(${name})
  add_dependencies(${name} vorlix_templates)
  if(WIN32)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform/BinaryOutputWindows.cpp)
  endif()
  # A cross build lists its tests when they run (through the emulator, e.g.
  # Wine), so that building needs no emulator.
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  else()
    set(mode POST_BUILD)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE ${mode})
endfunction()

# One executable per folder of tests: tests/<area>/*.cpp becomes test_<area>.
function(vorlix_add_test_folder area)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp)
  vorlix_platform_sources(sources)
  if(sources)
    vorlix_add_test(test_${area} ${sources})
    foreach(extra ${ARGN})
      target_link_libraries(test_${area} PRIVATE ${extra})
    endforeach()
  endif()
endfunction()
