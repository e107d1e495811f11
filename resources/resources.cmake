# Resources compiled into the libraries. Included from src/CMakeLists.txt after the
# libraries are defined.

# orvane_embed_resource(TARGET FILE SYMBOL): turns FILE into a generated C++ source
# holding its bytes under SYMBOL (see resources/EmbedResource.cmake) and adds it to TARGET.
function(orvane_embed_resource target file symbol)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  set(input ${CMAKE_SOURCE_DIR}/resources/${file})
  set(output ${CMAKE_BINARY_DIR}/generated/${symbol}Data.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()

# The default station document (see sml/GeneratedSML.h).
orvane_embed_resource(orvane_sml GeneratedSML.xml GeneratedSML)
# The block diagram picture of the main window (see app/TBlockDiagram.h).
orvane_embed_resource(orvane_app BlockDiagram.svg BlockDiagram)
