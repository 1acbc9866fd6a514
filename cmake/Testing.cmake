# One GoogleTest executable per subsystem, run under Wine by ctest. The emulator and the
# Wine environment (display, sound sink, prefix) come from scripts/with-wine.sh.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

# The test programs' common support stands on the foundation alone; the framework's
# layers above it add their start from tests/support/<layer>, compiled into each program
# built on that layer, with the levels of cmake/Layers.cmake.
file(GLOB support_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/*.cpp")
add_library(testsupport STATIC ${support_sources})
target_include_directories(testsupport PUBLIC "${CMAKE_SOURCE_DIR}")
target_link_libraries(testsupport PUBLIC gtest gmock foundation)
# Tests find the source tree (fixtures) and the build tree (the cross-built libraries'
# source packages with their test images) through these; Wine maps the paths through Z:.
target_compile_definitions(testsupport PUBLIC
  K_SOURCE_DIR="${CMAKE_SOURCE_DIR}" K_BUILD_DIR="${CMAKE_BINARY_DIR}")
foreach(layer IN LISTS K_LAYERS)
  target_compile_definitions(testsupport PUBLIC K_LEVEL_${layer}=${K_LEVEL_${layer}})
endforeach()

# A subsystem's test program links its own library, which brings those below it, and
# nothing above. A suite that is no layer (the third-party libraries) links the
# foundation and the image libraries. A suite's .rc files give its program the resources
# its tests load (bitmaps); with PROGRAM_RESOURCES its program also holds every resource
# of the player program.
function(k_add_test_suite name)
  cmake_parse_arguments(PARSE_ARGV 1 suite "PROGRAM_RESOURCES" "" "")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp"
       "${CMAKE_SOURCE_DIR}/tests/${name}/*.rc")
  if(NOT sources)
    return()
  endif()
  if(suite_PROGRAM_RESOURCES)
    file(GLOB program_resources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/resources/*.rc")
    list(APPEND sources ${program_resources})
  endif()
  if(DEFINED K_LEVEL_${name})
    foreach(layer IN LISTS K_LAYERS)
      if(NOT K_LEVEL_${layer} GREATER K_LEVEL_${name})
        file(GLOB layer_support CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/${layer}/*.cpp")
        list(APPEND sources ${layer_support})
      endif()
    endforeach()
  endif()
  add_executable(${name}_tests ${sources})
  if(DEFINED K_LEVEL_${name})
    target_link_libraries(${name}_tests PRIVATE testsupport ${name})
  else()
    target_link_libraries(${name}_tests PRIVATE testsupport TIFF::TIFF PNG::PNG JPEG::JPEG ZLIB::ZLIB)
  endif()
  # A suite passes only when its program ran every test it holds to GoogleTest's summary.
  add_test(NAME ${name} COMMAND "${CMAKE_SOURCE_DIR}/scripts/run-test-program.sh"
           ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}_tests> --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# No include points up the layers.
add_test(NAME layers COMMAND "${CMAKE_COMMAND}" -DK_SOURCE_DIR=${CMAKE_SOURCE_DIR}
         -P "${CMAKE_SOURCE_DIR}/scripts/check-layers.cmake")

k_add_test_suite(dependencies)
k_add_test_suite(foundation)
k_add_test_suite(graphics)
k_add_test_suite(application PROGRAM_RESOURCES)
k_add_test_suite(controls PROGRAM_RESOURCES)
k_add_test_suite(multimedia)
k_add_test_suite(story)
k_add_test_suite(tools PROGRAM_RESOURCES)
k_add_test_suite(speechextras)
k_add_test_suite(player PROGRAM_RESOURCES)

# The runner itself: a program that crashes, is ended or runs short must fail.
add_executable(harness_probe "${CMAKE_SOURCE_DIR}/tests/harness/HarnessProbe.cpp")
target_link_libraries(harness_probe PRIVATE gtest)
add_test(NAME harness COMMAND "${CMAKE_SOURCE_DIR}/scripts/check-test-runner.sh"
         ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:harness_probe>)
set_tests_properties(harness PROPERTIES TIMEOUT 600)

# The player is a self-contained GUI program for 32-bit Windows.
add_test(NAME executable COMMAND "${CMAKE_SOURCE_DIR}/scripts/check-executable.sh" $<TARGET_FILE:narrabo>)

# The real player plays its default story to the end on the virtual display, watched through
# screenshots and the sound sink, clicked for the story's wait; then it opens the story by path
# in a window and stops on Escape. It needs the whole screen to itself.
add_test(NAME endtoend COMMAND "${CMAKE_SOURCE_DIR}/tests/endtoend/play-default-story.sh"
         $<TARGET_FILE:narrabo> "${CMAKE_BINARY_DIR}/endtoend")
set_tests_properties(endtoend PROPERTIES TIMEOUT 480 RUN_SERIAL TRUE)

# The benchmark program times the slow paths against their references. It is built with
# everything, so that it keeps compiling, but no test runs it: scripts/benchmark.sh does.
file(GLOB benchmark_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/benchmarks/*.cpp")
add_executable(benchmarks ${benchmark_sources})
target_link_libraries(benchmarks PRIVATE k_all JPEG::JPEG PNG::PNG TIFF::TIFF)
