# Compile settings shared by every target of the suite.
add_library(tavrin_options INTERFACE)
target_compile_definitions(tavrin_options INTERFACE
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 NTDDI_VERSION=0x06010000)
# Beyond -Wall -Wextra: what the tree builds clean with. -Wnon-virtual-dtor is
# left out: every COM object derives from an interface of the Windows headers,
# whose destructors are not virtual (COM objects delete themselves in Release).
# -Wmissing-declarations is left out: wmain, DllMain and .def exports have no
# header to be declared in.
target_compile_options(tavrin_options INTERFACE
  -Wall -Wextra -Wno-missing-field-initializers
  "$<$<COMPILE_LANGUAGE:CXX>:-Wshadow;-Wold-style-cast;-Wcast-qual;-Wuseless-cast;-Wzero-as-null-pointer-constant>"
  "$<$<COMPILE_LANGUAGE:CXX>:-Wduplicated-cond;-Wduplicated-branches;-Wlogical-op;-Wnull-dereference>"
  "$<$<COMPILE_LANGUAGE:CXX>:-Wimplicit-fallthrough;-Wextra-semi;-Wsuggest-override;-Wredundant-decls;-Wformat=2>"
  -finput-charset=UTF-8 -fexec-charset=UTF-8
  $<$<BOOL:${TAVRIN_WERROR}>:-Werror>)
target_link_options(tavrin_options INTERFACE -static -static-libgcc -static-libstdc++)

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# A shipped image: laid out with page-sized file alignment, so that the
# loader can map its sections from the file instead of copying the whole
# image into private memory, and stripped after the link, its debug
# information kept for support in bin/debug/<name>.debug, which the image
# names in its .gnu_debuglink section.
option(TAVRIN_SHIP_STRIPPED "Ship page-aligned images with their debug information split off" ON)
function(tavrin_ship name)
  if(NOT TAVRIN_SHIP_STRIPPED)
    return()
  endif()
  target_link_options(${name} PRIVATE -Wl,--file-alignment,0x1000)
  set(debug_dir ${CMAKE_BINARY_DIR}/bin/debug)
  set(debug_file ${debug_dir}/$<TARGET_FILE_BASE_NAME:${name}>.debug)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${debug_dir}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${name}> ${debug_file}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug_file} $<TARGET_FILE:${name}>
    VERBATIM)
endfunction()

# A GUI program with wWinMain, shipped stripped.
function(tavrin_add_program name)
  cmake_parse_arguments(P "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE tavrin_options ${P_LIBS})
  target_link_options(${name} PRIVATE -municode)
  if(NOT P_CONSOLE)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
  tavrin_ship(${name})
endfunction()
