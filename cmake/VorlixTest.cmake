# Registers one GoogleTest executable with CTest; tests run without a display.
function(vorlix_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vorlix_test_support GTest::gtest GTest::gtest_main)
  vorlix_target_options(${name})
  add_dependencies(${name} vorlix_templates)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# One executable per folder of tests: tests/<area>/*.cpp becomes test_<area>.
function(vorlix_add_test_folder area)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp)
  if(sources)
    vorlix_add_test(test_${area} ${sources})
    foreach(extra ${ARGN})
      target_link_libraries(test_${area} PRIVATE ${extra})
    endforeach()
  endif()
endfunction()
