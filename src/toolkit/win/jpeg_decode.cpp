#include "toolkit/win/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>
#include <jerror.h>

namespace {
// libjpeg reports a fatal error through error_exit, which must not return: it jumps back to
// DecodeJpeg, which turns the message code into an exception after libjpeg has been cleaned up.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1); }

// Warnings are ignored except a file that ends early: the picture would be half grey.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

[[noreturn]] void Fail(int code) { throw EInvalidImage("JPEG error #" + std::to_string(code)); }
}  // namespace

TBitmapPixels DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (size == 0) Fail(JERR_INPUT_EMPTY);
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = ErrorExit;
  err.base.emit_message = EmitMessage;
  err.base.output_message = OutputMessage;
  // Everything that may longjmp lives before this point or in plain locals without destructors.
  TBitmapPixels* volatile result = nullptr;
  volatile int tooLarge = 0;
  if (setjmp(err.escape)) {
    const int code = tooLarge ? JERR_IMAGE_TOO_BIG : err.base.msg_code;
    delete result;
    jpeg_destroy_decompress(&cinfo);
    Fail(code);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;  // grey and YCbCr alike come out as RGB
  // Refused from the header, before libjpeg sets up buffers for the whole picture.
  const std::int64_t bytes = std::int64_t(cinfo.image_width) * 3 * cinfo.image_height;
  if (cinfo.image_width > unsigned(kMaxBitmapSide) || cinfo.image_height > unsigned(kMaxBitmapSide) ||
      bytes > kMaxBitmapBytes) {
    tooLarge = 1;
    ErrorExit(reinterpret_cast<j_common_ptr>(&cinfo));
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3) ErrorExit(reinterpret_cast<j_common_ptr>(&cinfo));
  result = new TBitmapPixels(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), pf24bit);
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint8_t* row = result->ScanLine(static_cast<int>(cinfo.output_scanline));
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (unsigned x = 0; x < cinfo.output_width; ++x) std::swap(row[x * 3], row[x * 3 + 2]);  // RGB -> BGR
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  TBitmapPixels out = std::move(*result);
  delete result;
  return out;
}
