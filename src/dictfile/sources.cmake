# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Cp1257.h
  ${CMAKE_CURRENT_LIST_DIR}/Cp1257.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileFailure.h
  ${CMAKE_CURRENT_LIST_DIR}/FileFailure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListInput.h
  ${CMAKE_CURRENT_LIST_DIR}/ListInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryFile.h
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryWriter.cpp
)
