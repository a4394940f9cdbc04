# cmake -DINPUT=<text layout> -DOUTPUT=<file> -DPICTURES=<dir> -P ExpandLayoutPictures.cmake
# Writes the text layout with every "@picture(NAME)" replaced by the generated binary block
# <dir>/NAME.txt (a "{...}" value made by tools/pictures: a picture, or the stored skin).
file(READ "${INPUT}" text)
string(REGEX MATCHALL "@picture\\([A-Za-z0-9_.]+\\)" refs "${text}")
if(refs)
  list(REMOVE_DUPLICATES refs)
endif()
foreach(ref IN LISTS refs)
  string(REGEX REPLACE "@picture\\(([A-Za-z0-9_.]+)\\)" "\\1" name "${ref}")
  set(block_file "${PICTURES}/${name}.txt")
  if(NOT EXISTS "${block_file}")
    message(FATAL_ERROR "${INPUT}: picture block ${block_file} is missing")
  endif()
  file(READ "${block_file}" block)
  string(STRIP "${block}" block)
  string(REPLACE "${ref}" "${block}" text "${text}")
endforeach()
file(WRITE "${OUTPUT}" "${text}")
