# The language switch and the two warnings in a real X server (Xvfb with openbox).
if(NOT TARGET kelvo-barre)
  return()
endif()
find_program(GPASM_EXECUTABLE gpasm REQUIRED)

set(english_refusal_data ${CMAKE_CURRENT_BINARY_DIR}/english_refusal_data)
add_custom_command(
  OUTPUT ${english_refusal_data}/generator.hex
  COMMAND ${CMAKE_COMMAND} -E make_directory ${english_refusal_data}
  COMMAND ${GPASM_EXECUTABLE} -o ${english_refusal_data}/generator.hex
          ${CMAKE_CURRENT_LIST_DIR}/data/generator.asm
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/data/generator.asm
  COMMENT "Assembling the firmware file of the language end-to-end test"
  VERBATIM)
add_custom_target(kelvo_e2e_english_refusal_firmware ALL DEPENDS ${english_refusal_data}/generator.hex)

add_test(NAME e2e.english_error_and_warning
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/xsession.sh
          bash ${CMAKE_CURRENT_LIST_DIR}/english_refusal.sh
          $<TARGET_FILE:kelvo-barre> ${english_refusal_data}/generator.hex
          ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(e2e.english_error_and_warning PROPERTIES LABELS "e2e;xvfb" TIMEOUT 180)
