#include "platform/image/PngWriter.h"

#include "platform/core/Exception.h"
#include "platform/files/WholeFile.h"
#include "platform/image/PngEncode.h"

namespace {

[[noreturn]] void Fail(const std::string& FileName) {
  throw Exception(FormatMessage(messages::kCannotWrite, {FileName}));
}

void WritePngPixels(const std::string& FileName, const TSurface& Surface,
                    const std::vector<std::uint8_t>* Alpha) {
  if (Surface.Width() <= 0 || Surface.Height() <= 0) Fail(FileName);
  if (Alpha && Alpha->size() != static_cast<std::size_t>(Surface.Width()) * Surface.Height())
    Fail(FileName);
  if (!files::WriteWholeFile(FileName, image::EncodePng(Surface, Alpha))) Fail(FileName);
}

}  // namespace

void WritePng(const std::string& FileName, const TSurface& Surface) {
  WritePngPixels(FileName, Surface, nullptr);
}

void WritePng(const std::string& FileName, const TSurface& Surface,
              const std::vector<std::uint8_t>& Alpha) {
  WritePngPixels(FileName, Surface, &Alpha);
}
