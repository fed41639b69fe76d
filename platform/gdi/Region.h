#pragma once
// A region: a set of pixels made of rectangles, the shape of a clip. The
// arithmetic is pixman's (pixman_region32), which keeps the rectangles banded
// and merged the way GDI regions are; this class only owns one and gives it
// our rectangle type.

#include <memory>
#include <vector>

#include "platform/core/Types.h"

class TRegion {
public:
  TRegion();
  explicit TRegion(const TRect& R);
  TRegion(const TRegion& Other);
  TRegion(TRegion&& Other);
  TRegion& operator=(const TRegion& Other);
  TRegion& operator=(TRegion&& Other);
  ~TRegion();

  bool IsEmpty() const;
  // The smallest rectangle holding every pixel; empty for an empty region.
  TRect Bounds() const;
  bool Contains(int X, int Y) const;
  // The rectangles, top to bottom then left to right, none overlapping.
  std::vector<TRect> Rects() const;

  void SetRect(const TRect& R);
  void Union(const TRect& R);
  void Union(const TRegion& Other);
  void Intersect(const TRect& R);
  void Intersect(const TRegion& Other);
  void Subtract(const TRect& R);
  void Subtract(const TRegion& Other);
  void Offset(int DX, int DY);

  bool operator==(const TRegion& Other) const;
  bool operator!=(const TRegion& Other) const { return !(*this == Other); }

private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
