#include "framework/core/Classes.h"
#include "platform/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records its own destruction and the removals it hears of; keeps one weak
// reference that a removal notification must clear.
class TProbe : public TComponent {
public:
  TProbe(TComponent* AOwner, std::string AName, TMessageLog<std::string>* ALog)
      : TComponent(AOwner), FLog(ALog) {
    SetName(AName);
  }
  ~TProbe() override {
    if (FLog) FLog->push_back("destroy " + Name());
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Watched) {
      Watched = nullptr;
      if (FLog) FLog->push_back(Name() + " lost " + AComponent->Name());
    }
  }
  void Watch(TComponent* AComponent) {
    Watched = AComponent;
    AComponent->FreeNotification(this);
  }

  TComponent* Watched = nullptr;
  bool SawDestroyingOwner = false;

private:
  TMessageLog<std::string>* FLog;
};

TEST(ComponentTest, OwnerDestroysOwnedInReverseOrderOfCreation) {
  TMessageLog<std::string> Log;
  auto* Owner = new TProbe(nullptr, "Owner", &Log);
  new TProbe(Owner, "A", &Log);
  new TProbe(Owner, "B", &Log);
  new TProbe(Owner, "C", &Log);
  ASSERT_EQ(Owner->ComponentCount(), 3);
  delete Owner;
  EXPECT_EQ(Log,
            (std::vector<std::string>{"destroy Owner", "destroy C", "destroy B", "destroy A"}));
}

TEST(ComponentTest, GrandchildrenGoWithTheirOwner) {
  TMessageLog<std::string> Log;
  auto* Root = new TProbe(nullptr, "Root", &Log);
  auto* Mid = new TProbe(Root, "Mid", &Log);
  new TProbe(Mid, "Leaf", &Log);
  new TProbe(Root, "Last", &Log);
  delete Root;
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy Root", "destroy Last", "destroy Mid",
                                           "destroy Leaf"}));
}

TEST(ComponentTest, EarlyDeleteLeavesOwnerListWithoutDoubleDeletion) {
  TMessageLog<std::string> Log;
  {
    TProbe Owner(nullptr, "Owner", &Log);  // an owner may live on the stack
    new TProbe(&Owner, "A", &Log);
    auto* B = new TProbe(&Owner, "B", &Log);
    new TProbe(&Owner, "C", &Log);
    delete B;
    ASSERT_EQ(Owner.ComponentCount(), 2);
    EXPECT_EQ(Owner.Components(0)->Name(), "A");
    EXPECT_EQ(Owner.Components(1)->Name(), "C");
    EXPECT_EQ(Owner.FindComponent("B"), nullptr);
  }
  EXPECT_EQ(Log,
            (std::vector<std::string>{"destroy B", "destroy Owner", "destroy C", "destroy A"}));
}

TEST(ComponentTest, SiblingHearsOfEarlyDeleteAndOfDestructionByOwner) {
  TMessageLog<std::string> Log;
  auto* Owner = new TProbe(nullptr, "Owner", nullptr);
  auto* Watcher = new TProbe(Owner, "Watcher", &Log);
  auto* Early = new TProbe(Owner, "Early", nullptr);
  Watcher->Watch(Early);
  delete Early;
  EXPECT_EQ(Watcher->Watched, nullptr);

  auto* Late = new TProbe(Owner, "Late", nullptr);  // created after Watcher, so destroyed first
  Watcher->Watch(Late);
  delete Owner;
  EXPECT_EQ(Log, (std::vector<std::string>{"Watcher lost Early", "Watcher lost Late",
                                           "destroy Watcher"}));
}

TEST(ComponentTest, FreeNotificationReachesComponentOfAnotherOwner) {
  TMessageLog<std::string> Log;
  TProbe FormA(nullptr, "FormA", nullptr);
  auto* FormB = new TProbe(nullptr, "FormB", nullptr);
  auto* Picker = new TProbe(&FormA, "Picker", &Log);
  auto* Images = new TProbe(FormB, "Images", nullptr);
  Picker->Watch(Images);
  delete FormB;  // takes Images with it
  EXPECT_EQ(Picker->Watched, nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"Picker lost Images"}));
}

TEST(ComponentTest, FreeNotificationOfComponentsWithoutOwner) {
  TMessageLog<std::string> Log;
  TProbe Watcher(nullptr, "Watcher", &Log);
  {
    TProbe Target(nullptr, "Target", nullptr);
    Watcher.Watch(&Target);
  }
  EXPECT_EQ(Watcher.Watched, nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"Watcher lost Target"}));
}

TEST(ComponentTest, RemoveFreeNotificationStopsTheNotice) {
  TMessageLog<std::string> Log;
  TProbe Watcher(nullptr, "Watcher", &Log);
  auto* Target = new TProbe(nullptr, "Target", nullptr);
  Watcher.Watch(Target);
  Target->RemoveFreeNotification(&Watcher);
  delete Target;
  EXPECT_NE(Watcher.Watched, nullptr);  // nobody told it: the link was removed
  EXPECT_TRUE(Log.empty());
}

TEST(ComponentTest, LinkIsClearedFromBothSidesWhenTheWatcherGoesFirst) {
  TMessageLog<std::string> Log;
  auto* Target = new TProbe(nullptr, "Target", &Log);
  auto* Watcher = new TProbe(nullptr, "Watcher", &Log);
  Watcher->Watch(Target);
  Target->Watch(Watcher);  // and the other way
  delete Watcher;          // Target hears of it and drops its link
  EXPECT_EQ(Target->Watched, nullptr);
  // Were the link still there, this would call into the freed Watcher.
  auto* Next = new TProbe(nullptr, "Next", &Log);
  Next->Watch(Target);
  delete Target;
  EXPECT_EQ(Next->Watched, nullptr);
  delete Next;
  EXPECT_EQ(Log, (std::vector<std::string>{"destroy Watcher", "Target lost Watcher",
                                           "destroy Target", "Next lost Target", "destroy Next"}));
}

// A handler may destroy other components while the notice goes round.
class TCascade : public TComponent {
public:
  using TComponent::TComponent;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Trigger && Victim) {
      TComponent* Doomed = Victim;
      Victim = nullptr;
      Trigger = nullptr;
      delete Doomed;
    }
  }
  TComponent* Trigger = nullptr;
  TComponent* Victim = nullptr;
};

TEST(ComponentTest, NotificationHandlerMayDeleteASibling) {
  TComponent Owner(nullptr);
  auto* First = new TComponent(&Owner);
  auto* Cascade = new TCascade(&Owner);
  auto* Middle = new TComponent(&Owner);
  auto* Trigger = new TComponent(&Owner);
  Cascade->Trigger = Trigger;
  Cascade->Victim = Middle;
  delete Trigger;
  ASSERT_EQ(Owner.ComponentCount(), 2);
  EXPECT_EQ(Owner.Components(0), First);
  EXPECT_EQ(Owner.Components(1), Cascade);
}

class TStateProbe : public TComponent {
public:
  using TComponent::TComponent;
  ~TStateProbe() override { WasMarked = HasState(csDestroying); }
  static inline bool WasMarked = false;
};

TEST(ComponentTest, OwnedComponentsAreMarkedBeforeTheirOwnerDestroysThem) {
  auto* Owner = new TComponent(nullptr);
  new TStateProbe(Owner);
  TStateProbe::WasMarked = false;
  delete Owner;
  EXPECT_TRUE(TStateProbe::WasMarked);

  TComponent Parent(nullptr);
  auto* Early = new TStateProbe(&Parent);
  delete Early;  // its own destructor has not reached the base part yet
  EXPECT_FALSE(TStateProbe::WasMarked);
}

TEST(ComponentTest, NamesAreFoundIgnoringCaseAndMustBeUniqueIdentifiers) {
  TComponent Form(nullptr);
  auto* Button = new TComponent(&Form);
  Button->SetName("Button1");
  auto* Combo = new TComponent(&Form);
  Combo->SetName("ComboBox1");
  EXPECT_EQ(Form.FindComponent("button1"), Button);
  EXPECT_EQ(Form.FindComponent("COMBOBOX1"), Combo);
  EXPECT_EQ(Form.FindComponent(""), nullptr);
  EXPECT_EQ(Form.FindComponent("Button"), nullptr);

  EXPECT_THROW(Combo->SetName("BUTTON1"), EComponentError);
  EXPECT_EQ(Combo->Name(), "ComboBox1");
  Button->SetName("BUTTON1");  // renaming itself in another case is allowed
  EXPECT_EQ(Button->Name(), "BUTTON1");

  for (const char* Bad : {"1abc", "a b", "a-b", "名前", " x"}) {
    EXPECT_THROW(Combo->SetName(Bad), EComponentError) << Bad;
  }
  Combo->SetName("_x9");
  Combo->SetName("");  // unnamed is always allowed
  EXPECT_EQ(Combo->Name(), "");
}

TEST(ComponentTest, InsertAndRemoveComponentMoveOwnership) {
  TMessageLog<std::string> Log;
  TProbe FormA(nullptr, "FormA", nullptr);
  TProbe FormB(nullptr, "FormB", nullptr);
  auto* Watcher = new TProbe(&FormA, "Watcher", &Log);
  auto* Moving = new TProbe(&FormA, "Moving", nullptr);
  Watcher->Watched = Moving;  // a sibling reference without FreeNotification
  FormB.InsertComponent(Moving);
  EXPECT_EQ(Moving->Owner(), &FormB);
  EXPECT_EQ(FormA.ComponentCount(), 1);
  EXPECT_EQ(FormB.ComponentCount(), 1);
  EXPECT_EQ(Watcher->Watched, nullptr);  // leaving FormA counts as removal there

  std::unique_ptr<TComponent> Taken = FormB.RemoveComponent(Moving);
  EXPECT_EQ(Taken.get(), Moving);
  EXPECT_EQ(Moving->Owner(), nullptr);
  EXPECT_EQ(FormB.ComponentCount(), 0);
  EXPECT_EQ(FormA.RemoveComponent(Moving), nullptr);  // not owned there

  auto* Clash = new TProbe(&FormB, "Moving", nullptr);
  EXPECT_THROW(FormB.InsertComponent(Taken.get()), EComponentError);
  EXPECT_EQ(Taken->Owner(), nullptr);
  delete Clash;
  FormB.InsertComponent(Taken.release());
  EXPECT_EQ(FormB.FindComponent("moving"), Moving);
}

TEST(ComponentTest, OwnershipCannotFormACycle) {
  auto* Root = new TComponent(nullptr);
  auto* Child = new TComponent(Root);
  EXPECT_THROW(Child->InsertComponent(Root), EComponentError);
  EXPECT_THROW(Root->InsertComponent(Root), EComponentError);
  EXPECT_EQ(Child->ComponentCount(), 0);
  delete Root;
}

TEST(ComponentTest, ComponentsIndexOutsideRaisesListError) {
  TComponent Owner(nullptr);
  new TComponent(&Owner);
  EXPECT_EQ(Owner.Components(0)->ComponentIndex(), 0);
  try {
    Owner.Components(1);
    FAIL() << "no error";
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(), FormatMessage(messages::kListIndexOutOfBounds, {"1"}));
  }
  EXPECT_THROW(Owner.Components(-1), EListError);
}

class TInsertLog : public TComponent {
public:
  using TComponent::TComponent;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opInsert) ++Inserts;
  }
  int Inserts = 0;
};

TEST(ComponentTest, InsertionIsAnnouncedToTheOwnerTree) {
  TInsertLog Owner(nullptr);
  auto* Sibling = new TInsertLog(&Owner);
  EXPECT_EQ(Owner.Inserts, 1);
  new TComponent(&Owner);
  EXPECT_EQ(Owner.Inserts, 2);
  EXPECT_EQ(Sibling->Inserts, 1);
}

class TPoint3 : public TPersistent {
public:
  int X = 0;
  void Assign(const TPersistent* Source) override {
    if (auto* P = dynamic_cast<const TPoint3*>(Source)) {
      X = P->X;
      return;
    }
    TPersistent::Assign(Source);
  }
};

TEST(PersistentTest, AssignCopiesKnownClassesAndRefusesOthers) {
  TPoint3 A, B;
  B.X = 7;
  A.Assign(&B);
  EXPECT_EQ(A.X, 7);
  TComponent Other(nullptr);
  try {
    A.Assign(&Other);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "TComponent を TPoint3 に代入できません");
  }
  EXPECT_THROW(A.Assign(nullptr), EConvertError);
}

TEST(ObjectTest, ClassNameIsTheRunTimeClass) {
  TComponent Plain(nullptr);
  TInsertLog Derived(nullptr);
  TComponent& AsBase = Derived;
  EXPECT_EQ(Plain.ClassName(), "TComponent");
  EXPECT_EQ(AsBase.ClassName(), "TInsertLog");
}

// The recently-used list of item indexes: insert at the front, delete at a
// position, and a clear error for a position outside.
TEST(ListTest, FrontInsertionAndDeletionAtAPosition) {
  TList List;
  for (int Index : {1, 2, 3}) List.Insert(0, Index);
  EXPECT_EQ(List.Count(), 3);
  List.Delete(1);
  EXPECT_EQ(List.Get(0), 3);
  EXPECT_EQ(List.Get(1), 1);
  List.Insert(2, 9);  // at the end
  EXPECT_EQ(List.IndexOf(9), 2);
  List.Move(2, 0);
  EXPECT_EQ(List.Remove(1), 2);
  EXPECT_EQ(List.First(), 9);
  EXPECT_EQ(List.Last(), 3);
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
}

struct TListIndexCase {
  const char* Name;
  std::function<void(TList&)> Call;
  int Index;
};

class ListIndexErrorTest : public ::testing::TestWithParam<TListIndexCase> {};

TEST_P(ListIndexErrorTest, RaisesListErrorWithThePosition) {
  TList List;
  List.Add(10);
  List.Add(20);
  try {
    GetParam().Call(List);
    FAIL() << "no error";
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(),
              FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(GetParam().Index)}));
  }
  EXPECT_EQ(List.Count(), 2);
  EXPECT_EQ(List.Get(0), 10);
  EXPECT_EQ(List.Get(1), 20);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAccess, ListIndexErrorTest,
    ::testing::Values(TListIndexCase{"Get", [](TList& L) { L.Get(2); }, 2},
                      TListIndexCase{"GetNegative", [](TList& L) { L.Get(-1); }, -1},
                      TListIndexCase{"Put", [](TList& L) { L.Put(2, 0); }, 2},
                      TListIndexCase{"Insert", [](TList& L) { L.Insert(3, 0); }, 3},
                      TListIndexCase{"Delete", [](TList& L) { L.Delete(2); }, 2},
                      TListIndexCase{"DeleteNegative", [](TList& L) { L.Delete(-1); }, -1},
                      TListIndexCase{"Exchange", [](TList& L) { L.Exchange(0, 5); }, 5},
                      TListIndexCase{"Move", [](TList& L) { L.Move(0, 2); }, 2}),
    [](const ::testing::TestParamInfo<TListIndexCase>& Info) {
      return std::string(Info.param.Name);
    });

}  // namespace
