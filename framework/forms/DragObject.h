#pragma once
// What a drag carries, and the drag events.

#include <functional>

#include "framework/forms/ControlTypes.h"

// What is dragged: made by BeginDrag (or by an OnStartDrag handler) and
// destroyed when the drag ends.
class TDragObject : public TObject {
public:
  TControl* Control = nullptr;  // the control the drag started from
  bool Dropped = false;
};
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
