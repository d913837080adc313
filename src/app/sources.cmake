# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Artwork.h
  ${CMAKE_CURRENT_LIST_DIR}/Artwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IntroWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/IntroWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/ImportWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SavePrompt.h
  ${CMAKE_CURRENT_LIST_DIR}/SavePrompt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/AboutWindow.cpp
)
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SysInfo.h
  ${CMAKE_CURRENT_LIST_DIR}/SysInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
)
