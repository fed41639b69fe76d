#include "platform/image/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/core/Exception.h"

namespace {

struct TFileCloser {
  void operator()(std::FILE* F) const { std::fclose(F); }
};

[[noreturn]] void Fail(const std::string& FileName) {
  throw Exception(FormatMessage(messages::kCannotWrite, {FileName}));
}

// libpng reports errors by longjmp; everything that needs cleaning up lives
// outside this function so that the jump skips no destructor.
bool WriteRows(std::FILE* File, png_structp Png, png_infop Info, const TSurface& Surface,
               int ColorType, std::vector<png_bytep>& Rows) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_init_io(Png, File);
  png_set_IHDR(Png, Info, png_uint_32(Surface.Width()), png_uint_32(Surface.Height()), 8, ColorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  png_write_image(Png, Rows.data());
  png_write_end(Png, nullptr);
  return true;
}

void WritePngPixels(const std::string& FileName, const TSurface& Surface,
                    const std::vector<std::uint8_t>* Alpha) {
  if (Surface.Width() <= 0 || Surface.Height() <= 0) Fail(FileName);
  const int W = Surface.Width(), H = Surface.Height();
  if (Alpha && Alpha->size() != static_cast<std::size_t>(W) * H) Fail(FileName);
  std::unique_ptr<std::FILE, TFileCloser> File(std::fopen(FileName.c_str(), "wb"));
  if (!File) Fail(FileName);

  // Surface pixels are 0x00RRGGBB words; PNG wants R, G, B (and A) bytes.
  const int Channels = Alpha ? 4 : 3;
  std::vector<png_byte> Bytes(static_cast<std::size_t>(W) * H * Channels);
  std::vector<png_bytep> Rows(static_cast<std::size_t>(H));
  for (int Y = 0; Y < H; ++Y) {
    png_bytep Out = Bytes.data() + static_cast<std::size_t>(Y) * W * Channels;
    Rows[Y] = Out;
    const std::uint32_t* In = Surface.Row(Y);
    for (int X = 0; X < W; ++X, Out += Channels) {
      Out[0] = png_byte(In[X] >> 16);
      Out[1] = png_byte(In[X] >> 8);
      Out[2] = png_byte(In[X]);
      if (Alpha) Out[3] = (*Alpha)[static_cast<std::size_t>(Y) * W + X];
    }
  }

  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
  const int ColorType = Alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  const bool Ok = Png && Info && WriteRows(File.get(), Png, Info, Surface, ColorType, Rows);
  png_destroy_write_struct(&Png, &Info);
  if (!Ok || std::fflush(File.get()) != 0) Fail(FileName);
  if (std::fclose(File.release()) != 0) Fail(FileName);
}

}  // namespace

void WritePng(const std::string& FileName, const TSurface& Surface) {
  WritePngPixels(FileName, Surface, nullptr);
}

void WritePng(const std::string& FileName, const TSurface& Surface,
              const std::vector<std::uint8_t>& Alpha) {
  WritePngPixels(FileName, Surface, &Alpha);
}
