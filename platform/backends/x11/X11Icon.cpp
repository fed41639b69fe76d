#include "platform/backends/x11/X11Icon.h"

#include <algorithm>

#include "platform/resources/Resources.h"

namespace x11 {

std::vector<unsigned long> NetWmIconData(const std::vector<image::TBmpImage>& Images) {
  std::vector<const image::TBmpImage*> Sorted;
  for (const image::TBmpImage& I : Images)
    if (I.Width() > 0 && I.Height() > 0) Sorted.push_back(&I);
  std::stable_sort(Sorted.begin(), Sorted.end(),
                   [](const image::TBmpImage* A, const image::TBmpImage* B) {
                     return A->Width() * A->Height() < B->Width() * B->Height();
                   });
  std::vector<unsigned long> Data;
  for (const image::TBmpImage* I : Sorted) {
    Data.push_back(static_cast<unsigned long>(I->Width()));
    Data.push_back(static_cast<unsigned long>(I->Height()));
    for (int Y = 0; Y < I->Height(); ++Y) {
      const std::uint32_t* Row = I->Surface.Row(Y);
      for (int X = 0; X < I->Width(); ++X) {
        const unsigned long Alpha = I->HasAlpha() ? I->AlphaAt(X, Y) : 0xFFu;
        Data.push_back((Alpha << 24) | (Row[X] & 0x00FFFFFFu));
      }
    }
  }
  return Data;
}

std::vector<image::TBmpImage> LoadIconImages(const std::vector<std::string_view>& Names) {
  std::vector<image::TBmpImage> Images;
  for (std::string_view Name : Names) {
    if (!HasResource(Name)) continue;
    const std::string_view Bytes = FindResource(Name);
    try {
      Images.push_back(
          image::DecodeBmp(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size()));
    } catch (const EInvalidGraphic&) {
      // A damaged icon is no reason to refuse a window.
    }
  }
  return Images;
}

}  // namespace x11
