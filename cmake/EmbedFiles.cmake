# cmake -DOUT=<file.cpp> -DNAMESPACE=<ns> -DFUNCTION=<name> -DFILES="<a;b;...>" -P EmbedFiles.cmake
# Writes a C++ source holding the bytes of each file and a table of {name, text}, so the
# program carries its shipped data and needs no install path to find it.
set(body "")
set(table "")
set(i 0)
foreach(f ${FILES})
  get_filename_component(name ${f} NAME)
  file(READ ${f} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "constexpr char kData${i}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"${name}\", std::string_view(kData${i}, ${size})},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE ${OUT}.tmp "// Generated from data/ by cmake/EmbedFiles.cmake; do not edit.\n"
  "#include <array>\n#include <span>\n#include <string_view>\n\n"
  "#include \"${HEADER}\"\n\n"
  "namespace ${NAMESPACE} {\nnamespace {\n${body}\n"
  "constexpr std::array<ArquivoEmbutido, ${i}> kFiles = {{\n${table}}};\n}  // namespace\n\n"
  "std::span<const ArquivoEmbutido> ${FUNCTION}() { return kFiles; }\n\n}  // namespace ${NAMESPACE}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
