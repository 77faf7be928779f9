# Common compile options and the one way every folder of src/ becomes a library.

add_library(tavren_options INTERFACE)
target_compile_options(tavren_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                       -Wold-style-cast -Wcast-align -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough)
if(TAVREN_WERROR)
  target_compile_options(tavren_options INTERFACE -Werror)
endif()
if(TAVREN_SANITIZE)
  target_compile_options(tavren_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(tavren_options INTERFACE -fsanitize=address,undefined)
endif()

# tavren_library(<name> [DEPS <lib>...] [PUBLIC_LIBS <system libs>...] [SOURCES <generated>...])
# Builds every .cpp of the calling folder into a static library named <name>; a folder without
# sources yet becomes an interface library, so the layout can exist before the code does.
# Headers are included from src/ as "rt/text/decimal.h", "console/janelas.h" and so on.
function(tavren_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_LIBS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(APPEND sources ${ARG_SOURCES})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_PUBLIC_LIBS} PRIVATE tavren_options)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} ${ARG_PUBLIC_LIBS})
  endif()
endfunction()

# tavren_embed(<out.cpp> NAMESPACE <ns> FUNCTION <fn> HEADER <header> FILES <file>...)
# Generates a source file holding the given files' bytes (see cmake/EmbedFiles.cmake).
function(tavren_embed out)
  cmake_parse_arguments(ARG "" "NAMESPACE;FUNCTION;HEADER" "FILES" ${ARGN})
  string(REPLACE ";" "\\;" files_arg "${ARG_FILES}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNAMESPACE=${ARG_NAMESPACE} -DFUNCTION=${ARG_FUNCTION}
            -DHEADER=${ARG_HEADER} "-DFILES=${files_arg}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${ARG_FILES} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding ${ARG_FUNCTION}")
endfunction()
