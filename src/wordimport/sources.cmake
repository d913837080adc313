# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/WordImport.h
  ${CMAKE_CURRENT_LIST_DIR}/TextDecoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DelimitedReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Anki.h
  ${CMAKE_CURRENT_LIST_DIR}/Anki.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KvtmlReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportedList.cpp
)
