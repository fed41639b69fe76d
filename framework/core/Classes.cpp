#include "framework/core/Classes.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "platform/text/Cp932.h"

namespace {

constexpr const char* kCannotAssign = "%s を %s に代入できません";
constexpr const char* kDuplicateName = "コンポーネント名 %s は既に使われています";
constexpr const char* kInvalidName = "%s はコンポーネント名として有効ではありません";
constexpr const char* kOwnCycle = "%s は自分自身を所有できません";

[[noreturn]] void ListIndexError(int Index) {
  throw EListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
}

bool IsValidIdent(const std::string& Name) {
  if (Name.empty()) return false;
  auto IsAlpha = [](char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
  };
  if (!IsAlpha(Name[0])) return false;
  for (char C : Name)
    if (!IsAlpha(C) && !(C >= '0' && C <= '9')) return false;
  return true;
}

}  // namespace

// ---- TObject --------------------------------------------------------------

std::string TObject::ClassName() const {
  const char* Mangled = typeid(*this).name();
  int Status = 0;
  char* Demangled = abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status);
  std::string Result = (Status == 0 && Demangled) ? Demangled : Mangled;
  std::free(Demangled);
  // Layouts name classes without namespaces.
  if (Result.find('<') == std::string::npos) {
    std::size_t Colons = Result.rfind("::");
    if (Colons != std::string::npos) Result.erase(0, Colons + 2);
  }
  return Result;
}

// ---- TPersistent ----------------------------------------------------------

void TPersistent::Assign(const TPersistent* Source) {
  if (Source == nullptr) AssignError(nullptr);
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  std::string SourceName = Source ? Source->ClassName() : std::string("nil");
  throw EConvertError(FormatMessage(kCannotAssign, {SourceName, ClassName()}));
}

// ---- TComponent -----------------------------------------------------------

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  NotifyFreeNotifies();
  DestroyComponents();
  // Leaves the owner's list without being deleted a second time: the owner
  // hands its unique_ptr back and it is released, since this object is
  // already being destroyed.
  if (FOwner) FOwner->RemoveComponent(this).release();
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) ListIndexError(Index);
  return FComponents[static_cast<std::size_t>(Index)].get();
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  for (std::size_t I = 0; I < FOwner->FComponents.size(); ++I)
    if (FOwner->FComponents[I].get() == this) return static_cast<int>(I);
  return -1;
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (const auto& Component : FComponents)
    if (cp932::AnsiSameText(Component->FName, AName)) return Component.get();
  return nullptr;
}

void TComponent::ValidateRename(const std::string& NewName) const {
  if (NewName.empty()) return;
  if (!IsValidIdent(NewName)) throw EComponentError(FormatMessage(kInvalidName, {NewName}));
  if (FOwner) {
    TComponent* Existing = FOwner->FindComponent(NewName);
    if (Existing && Existing != this)
      throw EComponentError(FormatMessage(kDuplicateName, {NewName}));
  }
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == FName) return;
  ValidateRename(NewName);
  FName = NewName;
}

void TComponent::Insert(TComponent* AComponent) {
  // Reserve first: if growing the list fails, nothing owns AComponent yet and
  // the constructor that called us unwinds normally.
  FComponents.reserve(FComponents.size() + 1);
  FComponents.emplace_back(AComponent);
  AComponent->FOwner = this;
}

std::unique_ptr<TComponent> TComponent::Remove(TComponent* AComponent) {
  auto It = std::find_if(FComponents.begin(), FComponents.end(),
                         [AComponent](const auto& Owned) { return Owned.get() == AComponent; });
  if (It == FComponents.end()) return nullptr;
  std::unique_ptr<TComponent> Result(It->release());
  FComponents.erase(It);
  Result->FOwner = nullptr;
  return Result;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  for (const TComponent* Ancestor = this; Ancestor; Ancestor = Ancestor->FOwner)
    if (Ancestor == AComponent)
      throw EComponentError(FormatMessage(kOwnCycle, {AComponent->FName}));
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
    throw EComponentError(FormatMessage(kDuplicateName, {AComponent->FName}));
  std::unique_ptr<TComponent> FromOldOwner;
  if (AComponent->FOwner) FromOldOwner = AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  FromOldOwner.release();  // this list owns it now
  Notification(AComponent, opInsert);
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return nullptr;
  Notification(AComponent, opRemove);
  return Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Instance = FComponents.back().get();
    // The siblings still alive hear of it, so none keeps a pointer to it.
    Notification(Instance, opRemove);
    std::unique_ptr<TComponent> Owned = Remove(Instance);
    Owned.reset();
  }
}

void TComponent::Destroying() {
  if (FComponentState & csDestroying) return;
  FComponentState |= csDestroying;
  for (const auto& Component : FComponents) Component->Destroying();
}

void TComponent::AddFreeNotify(TComponent* AComponent) {
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
}

bool TComponent::DropFreeNotify(TComponent* AComponent) {
  auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (It == FFreeNotifies.end()) return false;
  FFreeNotifies.erase(It);
  return true;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Siblings hear of each other through their owner already.
  if (FOwner && AComponent->FOwner == FOwner) return;
  AddFreeNotify(AComponent);
  AComponent->AddFreeNotify(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  DropFreeNotify(AComponent);
  AComponent->DropFreeNotify(this);
}

void TComponent::NotifyFreeNotifies() {
  // Each link is taken out before the partner is told, so a partner whose
  // Notification does not call the inherited one cannot stall the loop.
  while (!FFreeNotifies.empty()) {
    TComponent* Partner = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Partner->DropFreeNotify(this);
    Partner->Notification(this, opRemove);
  }
}

void TComponent::SetReading(bool Value) {
  if (Value)
    FComponentState |= csReading;
  else
    FComponentState &= ~TComponentState(csReading);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FComponentState |= csDesigning;
  else
    FComponentState &= ~TComponentState(csDesigning);
  if (SetChildren)
    for (const auto& Component : FComponents) Component->SetDesigning(Value, true);
}

void TComponent::Loaded() { FComponentState &= ~TComponentState(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A handler may destroy components while we walk: walk down by index and
  // clamp to the list as it is after each call.
  int I = ComponentCount() - 1;
  while (I >= 0) {
    FComponents[static_cast<std::size_t>(I)]->Notification(AComponent, Operation);
    --I;
    if (I >= ComponentCount()) I = ComponentCount() - 1;
  }
}

// ---- TList ----------------------------------------------------------------

void TList::Error(int Index) { ListIndexError(Index); }

void TList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
}

std::intptr_t TList::Get(int Index) const {
  Check(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

void TList::Put(int Index, std::intptr_t Item) {
  Check(Index);
  FItems[static_cast<std::size_t>(Index)] = Item;
}

int TList::Add(std::intptr_t Item) {
  FItems.push_back(Item);
  return Count() - 1;
}

void TList::Insert(int Index, std::intptr_t Item) {
  if (Index < 0 || Index > Count()) Error(Index);
  FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index) {
  Check(Index);
  FItems.erase(FItems.begin() + Index);
}

int TList::Remove(std::intptr_t Item) {
  int Index = IndexOf(Item);
  if (Index >= 0) Delete(Index);
  return Index;
}

int TList::IndexOf(std::intptr_t Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  Check(CurIndex);
  Check(NewIndex);
  std::intptr_t Item = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, Item);
}

void TList::Clear() { FItems.clear(); }
