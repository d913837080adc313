# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/WordCollation.h
  ${CMAKE_CURRENT_LIST_DIR}/WordCollation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Sorting.h
  ${CMAKE_CURRENT_LIST_DIR}/Sorting.cpp
)
list(APPEND SONARIX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/EditorWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/EditorWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditorSort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordList.h
  ${CMAKE_CURRENT_LIST_DIR}/WordList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordValidator.h
  ${CMAKE_CURRENT_LIST_DIR}/WordValidator.cpp
)
