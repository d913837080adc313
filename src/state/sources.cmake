# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProgramState.h
  ${CMAKE_CURRENT_LIST_DIR}/ProgramState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Format.h
  ${CMAKE_CURRENT_LIST_DIR}/Format.cpp
)
