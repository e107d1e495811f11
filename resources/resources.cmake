# Resources compiled into the libraries. Included from src/CMakeLists.txt after the
# libraries are defined.

# The default station document, embedded into orvane_sml (see sml/GeneratedSML.h).
set(ORVANE_GENERATED_SML_XML ${CMAKE_SOURCE_DIR}/resources/GeneratedSML.xml)
set(ORVANE_GENERATED_SML_CPP ${CMAKE_BINARY_DIR}/generated/GeneratedSMLData.cpp)
add_custom_command(
  OUTPUT ${ORVANE_GENERATED_SML_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${CMAKE_COMMAND} -DINPUT=${ORVANE_GENERATED_SML_XML} -DOUTPUT=${ORVANE_GENERATED_SML_CPP}
          -DSYMBOL=GeneratedSML -P ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
  DEPENDS ${ORVANE_GENERATED_SML_XML} ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
  VERBATIM)
get_target_property(ORVANE_SML_TYPE orvane_sml TYPE)
if(NOT ORVANE_SML_TYPE STREQUAL "INTERFACE_LIBRARY")
  target_sources(orvane_sml PRIVATE ${ORVANE_GENERATED_SML_CPP})
endif()
