# The block diagram picture of the main window, embedded into orvane_app as
# orvane_resources::BlockDiagramData (see app/TBlockDiagram.h).
set(ORVANE_BLOCK_DIAGRAM_SVG ${CMAKE_SOURCE_DIR}/resources/BlockDiagram.svg)
set(ORVANE_BLOCK_DIAGRAM_CPP ${CMAKE_BINARY_DIR}/generated/BlockDiagramData.cpp)
add_custom_command(
  OUTPUT ${ORVANE_BLOCK_DIAGRAM_CPP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${CMAKE_COMMAND} -DINPUT=${ORVANE_BLOCK_DIAGRAM_SVG} -DOUTPUT=${ORVANE_BLOCK_DIAGRAM_CPP}
          -DSYMBOL=BlockDiagram -P ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
  DEPENDS ${ORVANE_BLOCK_DIAGRAM_SVG} ${CMAKE_SOURCE_DIR}/resources/EmbedResource.cmake
  VERBATIM)
target_sources(orvane_app PRIVATE ${ORVANE_BLOCK_DIAGRAM_CPP})
