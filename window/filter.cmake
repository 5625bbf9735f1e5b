# The text entry filter (the edits' own class and the rule the window applies with it) and
# the writer of the caption sets. Included by window/CMakeLists.txt.
target_sources(kelvo_window PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FilteredLineEdit.h
  ${CMAKE_CURRENT_LIST_DIR}/FilteredLineEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextEntryRule.h
  ${CMAKE_CURRENT_LIST_DIR}/TextEntryRule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptionSet.h
  ${CMAKE_CURRENT_LIST_DIR}/CaptionSet.cpp)
