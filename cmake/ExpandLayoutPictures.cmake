# cmake -DINPUT=<text layout> -DOUTPUT=<file> -DPICTURES=<dir> [-DEMPTY_BLOCKS=<names>]
#       -P ExpandLayoutPictures.cmake
# Writes the text layout with every "@picture(NAME)" replaced by the generated binary block
# <dir>/NAME.txt (a "{...}" value: a picture, the stored skin or a translation table). The
# blocks named in EMPTY_BLOCKS (a list) become empty blocks "{}" instead: the layout a block
# is made from is written without it.
file(READ "${INPUT}" text)
foreach(name IN LISTS EMPTY_BLOCKS)
  string(REPLACE "@picture(${name})" "{}" text "${text}")
endforeach()
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
