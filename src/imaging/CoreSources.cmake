# The imaging code that needs neither Qt nor a window; the fuzz build compiles it alone.
set(QUILLORA_IMAGING_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BitTranspose.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LockedPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NvLogo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RasterBands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VectorDots.cpp
)
