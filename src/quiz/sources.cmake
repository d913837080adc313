# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND SONARIX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Selection.h
  ${CMAKE_CURRENT_LIST_DIR}/Selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Scoring.h
  ${CMAKE_CURRENT_LIST_DIR}/Scoring.cpp
)
list(APPEND SONARIX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QuizOptions.h
  ${CMAKE_CURRENT_LIST_DIR}/QuizOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuizWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/QuizWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WrongAnswerNotice.h
  ${CMAKE_CURRENT_LIST_DIR}/WrongAnswerNotice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultsWindow.cpp
)
