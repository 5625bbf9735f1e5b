# The text entry filter: the edits' own class and the rule that the window applies with it.
# Included by window/CMakeLists.txt once kelvo_window exists.
target_sources(kelvo_window PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FilteredLineEdit.h
  ${CMAKE_CURRENT_LIST_DIR}/FilteredLineEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextEntryRule.h
  ${CMAKE_CURRENT_LIST_DIR}/TextEntryRule.cpp)
