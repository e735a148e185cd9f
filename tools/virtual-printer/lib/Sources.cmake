# The interpreter's sources, shared by the printer's build and the fuzzer's own project.
set(VPRINTER_LIB_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Barcodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Barcodes2D.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CodeTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Drawings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EscPosInterpreter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GbkDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InterpreterCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InterpreterGraphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InterpreterText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrinterMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReceiptFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Sensors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusReplies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZintBitmap.cpp
)
# Command framing comes from the program's sources (library quillora_escpos); the fuzzer's
# own project compiles it in directly.
set(VPRINTER_FRAMING_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../../../src/escpos/EscPosFraming.cpp)
set(VPRINTER_FRAMING_INCLUDE_DIR ${CMAKE_CURRENT_LIST_DIR}/../../../src)
find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
