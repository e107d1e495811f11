# orvane_library(NAME DIR [DEPS ...]): a static library from every .cpp in DIR
# except program entry points (main*.cpp), which executables add themselves.
function(orvane_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main[^/]*\\.cpp$")
  list(FILTER sources INCLUDE REGEX "\\.(cpp|h|qrc)$")
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    # A subsystem with no sources yet still takes part in the link graph.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# orvane_test(DIR LIB...): one test executable per tests/DIR/*_test.cpp,
# each linking the named libraries and the shared test main.
function(orvane_tests dir)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp)
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    set(target test_${dir}_${stem})
    string(REPLACE "_test" "" target ${target})
    string(TOLOWER ${target} target)
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE orvane_test_support ${ARGN})
    gtest_discover_tests(${target}
      WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
      DISCOVERY_TIMEOUT 60
      # One variable per property: gtest_discover_tests splits a list value into
      # separate arguments. The shared test main sets QT_QPA_PLATFORM itself.
      PROPERTIES ENVIRONMENT "ORVANE_CORPUS=${ORVANE_CORPUS}"
                 ENVIRONMENT_MODIFICATION "LC_ALL=set:C.UTF-8")
  endforeach()
endfunction()
