# libFuzzer exists only in clang. Everything of the fuzz configuration, the
# record core included, is compiled with coverage feedback and the address and
# undefined-behaviour sanitizers; only the fuzz executables link the fuzzer's
# main().
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "CARVELLO_FUZZ needs clang: configure with CC=clang CXX=clang++ (scripts/fuzz.sh does)")
endif()

set(CARVELLO_SANITIZERS address,undefined)
add_compile_options(-fsanitize=fuzzer-no-link,${CARVELLO_SANITIZERS} -fno-sanitize-recover=all -fno-omit-frame-pointer
  -g)
# Every undefined behaviour is a finding, so none may be reported and passed over.
add_link_options(-fsanitize=${CARVELLO_SANITIZERS} -fno-sanitize-recover=all)

# One fuzz target: tests/fuzz/fuzz_<name>.cpp, linked with the record core
# and libFuzzer's main(); it runs over tests/fuzz/corpus/<name>/.
function(carvello_add_fuzz_target name)
  add_executable(fuzz_${name} fuzz_${name}.cpp ${ARGN})
  target_link_libraries(fuzz_${name} PRIVATE carvello_records carvello_options)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()
