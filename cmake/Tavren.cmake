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

# tavren_library(<name> [DEPS <lib>...] [PUBLIC_LIBS <system libs>...])
# Builds every .cpp of the calling folder into a static library named <name>; a folder without
# sources yet becomes an interface library, so the layout can exist before the code does.
# Headers are included from src/ as "rt/text/decimal.h", "console/janelas.h" and so on.
function(tavren_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
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
