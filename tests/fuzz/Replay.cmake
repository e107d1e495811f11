# Seed replay in the ordinary test build: each harness tests/fuzz/<Name>_fuzz.cpp
# becomes fuzz_replay_<name>, run by CTest over tests/fuzz/seeds/<Name>/.
file(GLOB fuzz_harnesses CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_fuzz.cpp)
foreach(harness ${fuzz_harnesses})
  get_filename_component(stem ${harness} NAME_WE)
  string(REPLACE "_fuzz" "" stem ${stem})
  string(TOLOWER ${stem} lower)
  add_executable(fuzz_replay_${lower} ${harness} ${CMAKE_CURRENT_LIST_DIR}/ReplaySeeds.cpp)
  target_link_libraries(fuzz_replay_${lower} PRIVATE orvane_media)
  add_test(NAME fuzz_replay_${lower}
           COMMAND fuzz_replay_${lower} ${CMAKE_CURRENT_LIST_DIR}/seeds/${stem})
endforeach()
