#include "platform/gdi/Region.h"

#include <pixman.h>

struct TRegion::TImpl {
  pixman_region32_t R;
  TImpl() { pixman_region32_init(&R); }
  explicit TImpl(const TRect& Rc) {
    if (Rc.IsEmpty())
      pixman_region32_init(&R);
    else
      pixman_region32_init_rect(&R, Rc.Left, Rc.Top, unsigned(Rc.Width()), unsigned(Rc.Height()));
  }
  TImpl(const TImpl& O) {
    pixman_region32_init(&R);
    pixman_region32_copy(&R, const_cast<pixman_region32_t*>(&O.R));
  }
  ~TImpl() { pixman_region32_fini(&R); }
  TImpl& operator=(const TImpl&) = delete;
};

namespace {
// pixman takes a rectangle as origin and size; empty rectangles must not reach
// it as negative sizes.
void InitBox(pixman_region32_t& Box, const TRect& R) {
  if (R.IsEmpty())
    pixman_region32_init(&Box);
  else
    pixman_region32_init_rect(&Box, R.Left, R.Top, unsigned(R.Width()), unsigned(R.Height()));
}
}  // namespace

TRegion::TRegion() : FImpl(std::make_unique<TImpl>()) {}
TRegion::TRegion(const TRect& R) : FImpl(std::make_unique<TImpl>(R)) {}
TRegion::TRegion(const TRegion& Other) : FImpl(std::make_unique<TImpl>(*Other.FImpl)) {}
// A moved-from region stays usable (and empty): it receives a fresh one.
TRegion::TRegion(TRegion&& Other) : FImpl(std::make_unique<TImpl>()) {
  std::swap(FImpl, Other.FImpl);
}
TRegion& TRegion::operator=(const TRegion& Other) {
  if (this != &Other) {
    if (!FImpl) FImpl = std::make_unique<TImpl>();
    pixman_region32_copy(&FImpl->R, &Other.FImpl->R);
  }
  return *this;
}
TRegion& TRegion::operator=(TRegion&& Other) {
  std::swap(FImpl, Other.FImpl);
  return *this;
}
TRegion::~TRegion() = default;

bool TRegion::IsEmpty() const { return !pixman_region32_not_empty(&FImpl->R); }

TRect TRegion::Bounds() const {
  if (IsEmpty()) return TRect{};
  const pixman_box32_t* E = pixman_region32_extents(&FImpl->R);
  return TRect{E->x1, E->y1, E->x2, E->y2};
}

bool TRegion::Contains(int X, int Y) const {
  return pixman_region32_contains_point(&FImpl->R, X, Y, nullptr);
}

std::vector<TRect> TRegion::Rects() const {
  int Count = 0;
  const pixman_box32_t* Boxes = pixman_region32_rectangles(&FImpl->R, &Count);
  std::vector<TRect> Out;
  Out.reserve(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I)
    if (Boxes[I].x2 > Boxes[I].x1 && Boxes[I].y2 > Boxes[I].y1)
      Out.push_back(TRect{Boxes[I].x1, Boxes[I].y1, Boxes[I].x2, Boxes[I].y2});
  return Out;
}

void TRegion::SetRect(const TRect& R) {
  pixman_region32_fini(&FImpl->R);
  InitBox(FImpl->R, R);
}

void TRegion::Union(const TRect& R) {
  if (R.IsEmpty()) return;
  pixman_region32_union_rect(&FImpl->R, &FImpl->R, R.Left, R.Top, unsigned(R.Width()),
                             unsigned(R.Height()));
}

void TRegion::Union(const TRegion& Other) {
  pixman_region32_union(&FImpl->R, &FImpl->R, &Other.FImpl->R);
}

void TRegion::Intersect(const TRect& R) {
  if (R.IsEmpty()) {
    pixman_region32_clear(&FImpl->R);
    return;
  }
  pixman_region32_intersect_rect(&FImpl->R, &FImpl->R, R.Left, R.Top, unsigned(R.Width()),
                                 unsigned(R.Height()));
}

void TRegion::Intersect(const TRegion& Other) {
  pixman_region32_intersect(&FImpl->R, &FImpl->R, &Other.FImpl->R);
}

void TRegion::Subtract(const TRect& R) {
  if (R.IsEmpty()) return;
  pixman_region32_t Box;
  InitBox(Box, R);
  pixman_region32_subtract(&FImpl->R, &FImpl->R, &Box);
  pixman_region32_fini(&Box);
}

void TRegion::Subtract(const TRegion& Other) {
  pixman_region32_subtract(&FImpl->R, &FImpl->R, &Other.FImpl->R);
}

void TRegion::Offset(int DX, int DY) { pixman_region32_translate(&FImpl->R, DX, DY); }

bool TRegion::operator==(const TRegion& Other) const {
  return pixman_region32_equal(&FImpl->R, &Other.FImpl->R);
}
