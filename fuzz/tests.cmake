# The fuzz targets' short run in every CI run, as CTest tests of the host
# tree: fuzz_build builds them with clang++ into <host tree>/fuzz, then each
# fuzz_<target> runs for FUZZ_CI_SECONDS from its seed corpus. Without
# clang++ there are no such tests. The longer run is scripts/fuzz.sh.
find_program(FUZZ_CLANGXX clang++)
if(NOT FUZZ_CLANGXX)
  message(STATUS "clang++ not found: the fuzz targets are not built or run")
  return()
endif()
set(FUZZ_CI_SECONDS 8 CACHE STRING "seconds each fuzz target runs in the CTest run")

set(fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
set(fuzz_script ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh)
add_test(NAME fuzz_build COMMAND ${CMAKE_COMMAND} -E env FUZZ_BUILD_DIR=${fuzz_dir} ${fuzz_script} --build-only)
set_tests_properties(fuzz_build PROPERTIES FIXTURES_SETUP fuzz_programs LABELS fuzz TIMEOUT 900)

file(GLOB fuzz_corpora LIST_DIRECTORIES true CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/corpus/*)
foreach(corpus ${fuzz_corpora})
  if(IS_DIRECTORY ${corpus})
    get_filename_component(target ${corpus} NAME)
    add_test(NAME fuzz_${target}
             COMMAND ${CMAKE_COMMAND} -E env FUZZ_BUILD_DIR=${fuzz_dir} ${fuzz_script} --no-build ${FUZZ_CI_SECONDS} ${target})
    set_tests_properties(fuzz_${target} PROPERTIES FIXTURES_REQUIRED fuzz_programs LABELS fuzz TIMEOUT 300)
  endif()
endforeach()
