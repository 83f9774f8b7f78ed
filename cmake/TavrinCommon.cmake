# Compile settings shared by every target of the suite.
add_library(tavrin_options INTERFACE)
target_compile_definitions(tavrin_options INTERFACE
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 NTDDI_VERSION=0x06010000)
target_compile_options(tavrin_options INTERFACE
  -Wall -Wextra -Wno-missing-field-initializers -finput-charset=UTF-8 -fexec-charset=UTF-8
  $<$<BOOL:${TAVRIN_WERROR}>:-Werror>)
target_link_options(tavrin_options INTERFACE -static -static-libgcc -static-libstdc++)

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# A GUI program with wWinMain.
function(tavrin_add_program name)
  cmake_parse_arguments(P "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_options ${P_LIBS})
  target_link_options(${name} PRIVATE -municode)
  if(NOT P_CONSOLE)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
endfunction()
