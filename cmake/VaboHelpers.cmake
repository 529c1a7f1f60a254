# Shared build helpers.

# vabo_add_library(<name> <dir>): a static library from every source under
# <dir>/src, with <dir>/src as its public include root.
function(vabo_add_library name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/src/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${dir}/src)
  else()
    # A layer that has no code yet still takes part in the link.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${dir}/src)
  endif()
endfunction()

# vabo_link_whole(<target> <libs...>): links static libraries whole, so that
# the class records they register at start-up survive the link.
function(vabo_link_whole target)
  foreach(lib IN LISTS ARGN)
    target_link_libraries(${target} PRIVATE ${lib})
    get_target_property(type ${lib} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      # One SHELL: group per library: CMake would drop the repeated
      # --whole-archive of a second library as a duplicate option.
      target_link_options(${target} PRIVATE
        "SHELL:-Wl,--whole-archive $<TARGET_FILE:${lib}> -Wl,--no-whole-archive")
    endif()
  endforeach()
endfunction()

# vabo_add_tests(<name> <dir> <libs...>): one GoogleTest program from every
# source under <dir>/tests, each test case registered with CTest.
function(vabo_add_tests name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/tests/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/fuzz/")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  vabo_link_whole(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock Threads::Threads)
  target_include_directories(${name} PRIVATE ${dir}/tests)
  target_compile_definitions(${name} PRIVATE VABO_TEST_DATA="${dir}/tests/data")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy")
endfunction()

# vabo_add_fuzzer(<name> <source> <corpus dir> <libs...>): a libFuzzer target
# when VABO_FUZZ is on, and in every build a replay test that feeds each file
# of the saved corpus to the same entry point.
function(vabo_add_fuzzer name source corpus)
  # The targets share the test support headers of the tests beside them.
  get_filename_component(tests ${source} DIRECTORY)
  get_filename_component(tests ${tests} DIRECTORY)
  add_executable(${name}_replay ${source} ${PROJECT_SOURCE_DIR}/cmake/FuzzReplayMain.cpp)
  vabo_link_whole(${name}_replay ${ARGN})
  target_include_directories(${name}_replay PRIVATE ${tests})
  add_test(NAME ${name}_corpus COMMAND ${name}_replay ${corpus})
  if(VABO_FUZZ)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    vabo_link_whole(${name} ${ARGN})
    target_include_directories(${name} PRIVATE ${tests})
  endif()
endfunction()

# vabo_add_benchmarks(<name> <dir> <libs...>): one Google Benchmark program
# from every source under <dir>/benchmarks, built when VABO_BENCHMARKS is on.
# Benchmarks are run by hand, not by CTest.
function(vabo_add_benchmarks name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/benchmarks/*.cpp)
  if(NOT VABO_BENCHMARKS OR NOT sources)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${sources})
  vabo_link_whole(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE benchmark::benchmark_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${dir}/benchmarks ${dir}/tests)
endfunction()

# vabo_add_fuzzers(<dir> <libs...>): every <dir>/tests/fuzz/fuzz_<name>.cpp
# becomes the fuzz target fuzz_<name> with its corpus in tests/fuzz/corpus/<name>.
function(vabo_add_fuzzers dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/tests/fuzz/fuzz_*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(target ${source} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" corpus ${target})
    vabo_add_fuzzer(${target} ${source} ${dir}/tests/fuzz/corpus/${corpus} ${ARGN})
  endforeach()
endfunction()
