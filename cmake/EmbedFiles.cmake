# cmake -DOUT=file.cc -DNAMES="A|B" -DFILES="a.html|b.css" -P EmbedFiles.cmake
# Writes a C++ source that holds each file's text as the string_view
# orvanta::kEmbeddedNAME, so that the program carries the files it writes
# into galleries and settings folders.
string(REPLACE "|" ";" NAMES "${NAMES}")
string(REPLACE "|" ";" FILES "${FILES}")
set(code "// Made by cmake/EmbedFiles.cmake from src/engine/modern: do not edit.\n")
string(APPEND code "#include <string_view>\n\nnamespace orvanta {\n")
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET NAMES ${i} name)
  list(GET FILES ${i} file)
  file(READ ${file} text)
  string(FIND "${text}" ")orvanta\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${file} holds the text that ends the raw string")
  endif()
  string(APPEND code "extern const std::string_view kEmbedded${name};\n")
  string(APPEND code "const std::string_view kEmbedded${name} = R\"orvanta(${text})orvanta\";\n")
endforeach()
string(APPEND code "}  // namespace orvanta\n")
file(WRITE ${OUT}.new "${code}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
