# Pictures rendered from drawings: a picture list names each resource macro,
# its drawing (.svg next to the list), its size and how the program keys it
# (see resources/tavrin/art/pictures.txt). Adding a picture is a line in the
# list and a drawing.
#
# tavrin_render_art(TARGET name MANIFEST list CATALOGUE header OUT_RC var
#                   [RC_NAME file] [CHECK test] [SHEET target])
#   TARGET     custom target (part of all) that renders every picture
#   MANIFEST   the picture list
#   CATALOGUE  the header that numbers the macros (included by the script)
#   OUT_RC     cache variable that receives the resource script of the
#              pictures; the rendered files lie in ${var}_DIR, which the
#              program's resource include path needs, and ${var}_STAMP is the
#              file its resource script depends on
#   RC_NAME    file name of that script (default <TARGET>.rc)
#   CHECK      test that checks the rendered pictures against the list
#   SHEET      target (not part of all) writing <build>/art/contact-sheet.png
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(TAVRIN_RSVG rsvg-convert REQUIRED)

set(TAVRIN_ART_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../scripts/osd_art.py)
cmake_path(NORMAL_PATH TAVRIN_ART_SCRIPT)
set(TAVRIN_ART_CHECK ${CMAKE_CURRENT_LIST_DIR}/../resources/tests/osd_art_check.py)
cmake_path(NORMAL_PATH TAVRIN_ART_CHECK)

function(tavrin_render_art)
  cmake_parse_arguments(A "" "TARGET;MANIFEST;CATALOGUE;OUT_RC;RC_NAME;CHECK;SHEET" "" ${ARGN})
  foreach(required TARGET MANIFEST CATALOGUE OUT_RC)
    if(NOT A_${required})
      message(FATAL_ERROR "tavrin_render_art: ${required} missing")
    endif()
  endforeach()
  cmake_path(GET A_MANIFEST PARENT_PATH drawings)
  set(out ${CMAKE_BINARY_DIR}/art)
  if(NOT A_RC_NAME)
    set(A_RC_NAME ${A_TARGET}.rc)
  endif()
  set(rc ${out}/${A_RC_NAME})
  file(MAKE_DIRECTORY ${out})
  set(list_args --manifest ${A_MANIFEST} --catalogue ${A_CATALOGUE})

  # The resource script follows the list alone, so it is written when the
  # list is read; the pictures are rendered at build time.
  execute_process(COMMAND ${Python3_EXECUTABLE} ${TAVRIN_ART_SCRIPT} rc ${list_args} --out ${rc}
                  RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    message(FATAL_ERROR "${why}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${A_MANIFEST} ${A_CATALOGUE} ${TAVRIN_ART_SCRIPT})

  file(GLOB drawings_svg CONFIGURE_DEPENDS ${drawings}/*.svg)
  set(stamp ${out}/${A_TARGET}.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${Python3_EXECUTABLE} ${TAVRIN_ART_SCRIPT} render ${list_args} --drawings ${drawings} --out ${out}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${drawings_svg} ${A_MANIFEST} ${A_CATALOGUE} ${TAVRIN_ART_SCRIPT}
    COMMENT "Rendering the pictures of ${A_MANIFEST}"
    VERBATIM)
  add_custom_target(${A_TARGET} ALL DEPENDS ${stamp})

  set(${A_OUT_RC} ${rc} CACHE INTERNAL "Resource script of the pictures of ${A_MANIFEST}")
  set(${A_OUT_RC}_DIR ${out} CACHE INTERNAL "Rendered pictures of ${A_MANIFEST}")
  set(${A_OUT_RC}_STAMP ${stamp} CACHE INTERNAL "Written when the pictures of ${A_MANIFEST} are rendered")

  if(A_CHECK AND TAVRIN_TESTS)
    add_test(NAME ${A_CHECK}
      COMMAND ${Python3_EXECUTABLE} ${TAVRIN_ART_CHECK} ${list_args} --art ${out} --rc ${A_RC_NAME})
    set_tests_properties(${A_CHECK} PROPERTIES TIMEOUT 60)
  endif()
  if(A_SHEET)
    add_custom_target(${A_SHEET}
      COMMAND ${Python3_EXECUTABLE} ${TAVRIN_ART_SCRIPT} sheet ${list_args} --art ${out} --out ${out}/contact-sheet.png
      COMMENT "Contact sheet of the pictures: ${out}/contact-sheet.png"
      VERBATIM)
    add_dependencies(${A_SHEET} ${A_TARGET})
  endif()
endfunction()
