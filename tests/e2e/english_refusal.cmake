# The language switch and the two warnings in a real X server (Xvfb with openbox).
if(NOT TARGET kelvo-barre)
  return()
endif()

# It works on a copy of the file the assembler made for the open-edit-save test.
add_test(NAME e2e.english_error_and_warning
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xsession.sh
          bash ${CMAKE_CURRENT_LIST_DIR}/english_refusal.sh
          $<TARGET_FILE:kelvo-barre> ${e2e_data}/generator.hex
          ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(e2e.english_error_and_warning PROPERTIES LABELS "e2e;xvfb" TIMEOUT 180)
