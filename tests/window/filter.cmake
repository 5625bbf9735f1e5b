# Tests of the text entry filter on its own, driven with real key, mouse, drop and
# input-method events and the real warning box.
add_executable(kelvo_filter_tests
  ${CMAKE_CURRENT_LIST_DIR}/FilteredLineEditTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuiTestMain.cpp)
set_target_properties(kelvo_filter_tests PROPERTIES AUTOMOC ON)
target_link_libraries(kelvo_filter_tests PRIVATE kelvo_window Qt6::Widgets Qt6::Test
  GTest::gtest kelvo_warnings)
gtest_discover_tests(kelvo_filter_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The selection clipboard (middle-button paste) exists only on a real X server.
find_program(KELVO_XVFB_RUN xvfb-run)
if(KELVO_XVFB_RUN)
  add_test(NAME FilteredLineEditUnderXServer COMMAND ${KELVO_XVFB_RUN} -a $<TARGET_FILE:kelvo_filter_tests>)
  set_tests_properties(FilteredLineEditUnderXServer PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=xcb)
endif()
