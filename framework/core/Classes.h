#pragma once
// The roots of the component framework: TObject, TPersistent, TComponent and
// the pointer-sized integer list TList.
//
// Ownership: a component created with an owner belongs to it. The owner keeps
// it in a std::unique_ptr and destroys it with itself, last created first.
// A component may also be destroyed early with `delete`: its destructor takes
// it out of its owner's list, so nothing is deleted twice. A component that
// has an owner must therefore be created with `new` (or be destroyed before its
// owner); components without an owner may live anywhere, on the stack too.
//
// Weak references between components (a picker that uses an image list, for
// example) are cleared by the removal notification: when a component goes,
// every component of its owner's tree and every component registered with
// FreeNotification gets Notification(Dying, opRemove) while the dying
// component is still in one piece as a TComponent.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Exception.h"

class TFiler;  // the layout reader and writer's common base (framework/Streaming.h)
class TComponent;

// A component that cannot take the name or the owner it is given.
class EComponentError : public Exception {
public:
  using Exception::Exception;
};

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class's own name ("TComboBox"), as the layouts write it. Taken from the
  // run-time type, so a derived class never reports its base's name.
  std::string ClassName() const;
};

// An event: a callable bound to its handler's object, fired with the sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
public:
  // Copies Source into this object. The default asks Source to copy itself
  // into this one (AssignTo); when neither side knows the other, or Source is
  // null, it raises EConvertError naming both classes.
  virtual void Assign(const TPersistent* Source);

  // Extra properties a class writes to and reads from a layout beyond its
  // published ones. Nothing by default.
  virtual void DefineProperties(TFiler* Filer) {}

protected:
  // The other half of Assign: copies this object into Dest. The default
  // refuses.
  virtual void AssignTo(TPersistent* Dest) const;
  // Raises the "cannot assign" error for Source (which may be null) to this.
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum TOperation { opInsert, opRemove };

// Component state flags; TComponentState holds any combination.
enum TComponentStateFlag : std::uint32_t {
  csLoading = 1u << 0,     // created from a layout, Loaded() not yet called
  csReading = 1u << 1,     // its properties are being read from a layout
  csWriting = 1u << 2,     // its properties are being written to a layout
  csDestroying = 1u << 3,  // its destruction has begun
  csDesigning = 1u << 4,   // it is being edited in a form designer
};
using TComponentState = std::uint32_t;

using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
public:
  // Inserts the new component into AOwner's list; AOwner may be null.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // The owned component at Index, in creation order; EListError when Index is
  // outside 0..ComponentCount()-1.
  TComponent* Components(int Index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component (direct children only) of that name, ignoring case;
  // nullptr when there is none or Name is empty.
  TComponent* FindComponent(const std::string& AName) const;

  const std::string& Name() const { return FName; }
  // Names are empty or identifiers (ASCII letter or '_', then letters, digits,
  // '_'), unique among the owner's components ignoring case; anything else
  // raises EComponentError and keeps the old name.
  virtual void SetName(const std::string& NewName);

  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }

  TComponentState ComponentState() const { return FComponentState; }
  bool HasState(TComponentState Flags) const { return (FComponentState & Flags) != 0; }

  // Adopts AComponent (taking it from its current owner, if any) and tells
  // this component's tree with opInsert.
  void InsertComponent(TComponent* AComponent);
  // Gives up AComponent: it loses its owner and the caller becomes
  // responsible for it. The tree is told with opRemove first. Returns nullptr
  // when AComponent is not owned by this component.
  [[nodiscard]] std::unique_ptr<TComponent> RemoveComponent(TComponent* AComponent);

  // Destroys every owned component now, last created first. Called by the
  // destructor; a derived class whose owned components need the derived part
  // alive while they go (a form and its controls) calls it from its own
  // destructor.
  void DestroyComponents();
  // Marks this component and its owned components as being destroyed.
  void Destroying();

  // Asks to be told when AComponent is destroyed, although it is not a sibling
  // in this component's owner (this->Notification(AComponent, opRemove)).
  // The link goes both ways, so either side's destruction clears it.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // The loading protocol driven by the layout reader: Loading() before the
  // properties are read, SetReading around the reading, Loaded() at the end.
  void Loading() { FComponentState |= csLoading; }
  void SetReading(bool Value);
  void SetDesigning(bool Value, bool SetChildren = true);
  // The layout has been read. Clears csLoading; derived classes run their
  // inherited Loaded() first, then finish their own set-up.
  virtual void Loaded();

  // Told of every component inserted into or removed from the owner's tree,
  // and of registered FreeNotification partners. The default forwards the
  // notification to every owned component; overrides call it first.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Parent hooks for the layouts: controls nest by parent, plain components
  // have none.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}
  // The components a layout writer nests inside this one, in writing order.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) {}

private:
  void Insert(TComponent* AComponent);
  std::unique_ptr<TComponent> Remove(TComponent* AComponent);
  void ValidateRename(const std::string& NewName) const;
  void AddFreeNotify(TComponent* AComponent);
  bool DropFreeNotify(TComponent* AComponent);
  void NotifyFreeNotifies();

  TComponent* FOwner = nullptr;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  std::intptr_t FTag = 0;
  TComponentState FComponentState = 0;
};

// An ordered list of pointer-sized integers (item indexes, data words, or
// pointers the caller owns). Positions outside the list raise EListError with
// the position in the message.
class TList : public TObject {
public:
  TList() = default;
  ~TList() override = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  std::intptr_t Get(int Index) const;
  void Put(int Index, std::intptr_t Item);
  std::intptr_t operator[](int Index) const { return Get(Index); }

  int Add(std::intptr_t Item);
  void Insert(int Index, std::intptr_t Item);  // Index may equal Count()
  void Delete(int Index);
  // Removes the first entry equal to Item; returns its former position or -1.
  int Remove(std::intptr_t Item);
  int IndexOf(std::intptr_t Item) const;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  std::intptr_t First() const { return Get(0); }
  std::intptr_t Last() const { return Get(Count() - 1); }
  // Empties the list. Virtual so that a list whose entries stand for owned
  // objects can free them.
  virtual void Clear();

private:
  [[noreturn]] static void Error(int Index);
  void Check(int Index) const;

  std::vector<std::intptr_t> FItems;
};
