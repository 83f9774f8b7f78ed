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
  target_link_options(${name} PRIVATE -Wl,--file-alignment,0x1000 -Wl,--gc-sections)
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

# GDI+ and the common controls through delay-import libraries: gdiplus.dll
# is loaded by the first GDI+ call (GdiplusStartup) and comctl32.dll by the
# first label that subclasses itself, so a program that shows nothing yet,
# such as an idle tray, maps neither. The libraries are made from the
# toolchain's import libraries at configure time.
function(tavrin_make_delayed_import dll implib_name target)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${implib_name}
                  OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" imports "${symbols}")
  list(REMOVE_DUPLICATES imports)
  list(TRANSFORM imports REPLACE "^__imp_" "")
  list(JOIN imports "\n" exports)
  set(dir ${CMAKE_BINARY_DIR}/delayed)
  file(WRITE ${dir}/${target}.def "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${target}.def --dllname ${dll}
                          --output-delaylib ${dir}/lib${target}.a
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not make the delay-import library of ${dll}")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${dir}/lib${target}.a)
endfunction()
tavrin_make_delayed_import(gdiplus.dll libgdiplus.a gdiplus_delayed)
tavrin_make_delayed_import(comctl32.dll libcomctl32.a comctl32_delayed)
