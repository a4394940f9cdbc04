# Third-party libraries.
#   quillimo::jpeg - libjpeg-turbo, built for MinGW by scripts/setup.sh (windows build only).

if(QUILLIMO_WINDOWS)
  set(QUILLIMO_JPEG_DIR ${PROJECT_SOURCE_DIR}/build/deps/libjpeg-mingw
      CACHE PATH "libjpeg-turbo built with MinGW (scripts/setup.sh puts it here)")
  if(NOT EXISTS ${QUILLIMO_JPEG_DIR}/lib/libjpeg.a)
    message(FATAL_ERROR "libjpeg for MinGW not found in ${QUILLIMO_JPEG_DIR}: run scripts/setup.sh")
  endif()
  add_library(quillimo::jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(quillimo::jpeg PROPERTIES
    IMPORTED_LOCATION ${QUILLIMO_JPEG_DIR}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${QUILLIMO_JPEG_DIR}/include)
endif()
