#pragma once
// TComponent: the base of everything placed on a form. A component has an owner that frees
// it, a name that is unique among the owner's components, and takes part in the layout
// stream (the reader creates components by class name and gives them their owner and
// parent; the writer asks each component for its children).
//
// Ownership: an owner deletes the components it owns, last created first. Other references
// between components are plain pointers, cleared in Notification(c, opRemove): a component
// hears about every removal among its owner's components, and about any component it asked
// FreeNotification of.
//
// Deleting: `delete c` works anywhere. Free() is better where it can be used: it announces
// the removal while c is still whole (receivers of Notification may still look at c as
// its own class), and the owner uses the same path for the components it frees.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/object.h"
#include "toolkit/core/typeinfo.h"

class TReader;
class TWriter;

QUILLIMO_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
              csFixups, csFreeNotification, csInline, csDesignInstance)
using TComponentState = TSet<TComponentStateItem>;

QUILLIMO_ENUM(TOperation, opInsert, opRemove)

// "Name" must be an identifier: a letter or "_", then letters, digits or "_" (ASCII).
bool IsValidIdent(std::string_view name);

class TComponent : public TPersistent {
  QUILLIMO_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  // Announces the removal (Destroying, free notifications, the owner's Notification)
  // while the object is whole, then deletes it.
  void Free();

  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override;

  const std::string& Name() const { return name_; }
  // Raises EComponentError "'<name>' is not a valid component name" for a non-identifier and
  // "A component named <name> already exists" when the owner has another component of
  // that name (case-insensitive). An empty name is allowed.
  virtual void SetName(const std::string& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // Owned components, in creation order.
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError "List index out of bounds (<i>)".
  TComponent* Components(int index) const;
  // Position among the owner's components (-1 without owner).
  int ComponentIndex() const;
  // An owned component by name (case-insensitive); nullptr for none or an empty name.
  TComponent* FindComponent(std::string_view name) const;

  // Takes over a component (its previous owner loses it) / gives one up without freeing it.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last first. Derived destructors may call it first so
  // that the components go while the owner is still whole.
  void DestroyComponents();

  // Asks to be told (Notification(component, opRemove)) when component goes away, and
  // tells component the same about this one. Needed only across owners.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }

  // Called on every component of a stream after the whole tree has been read; clears
  // csLoading. Overrides call inherited::Loaded() first.
  virtual void Loaded();
  // Sets csDestroying here and in every owned component.
  virtual void Destroying();

  // A component of the owner was inserted or is being removed; the base passes it on to
  // every owned component (and drops a free notification for a removed one).
  virtual void Notification(TComponent* component, TOperation operation);

  // The components the writer stores inside this one: the base gives every owned component
  // that has no parent (HasParent() false). Controls give the controls they parent (owned by
  // root). Forms give both.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  // The component that components read inside this one get as their parent (default: this).
  virtual TComponent* GetChildParent();
  // Order of a child among its parent's children (the stream's ffChildPos flag).
  virtual void SetChildOrder(TComponent* child, int order) {}

  // Parent links of visual components; the base has none.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) {}

  std::string GetNamePath() const override { return name_; }

  void SetDesigning(bool designing, bool children = true);

protected:
  // Checks that newName can replace currentName for component, one of this one's own.
  virtual void ValidateRename(TComponent* component, std::string_view currentName, std::string_view newName) const;
  virtual void ValidateInsert(TComponent* component) {}

  void IncludeState(TComponentStateItem item) { state_.Include(item); }
  void ExcludeState(TComponentStateItem item) { state_.Exclude(item); }

private:
  friend class TReader;
  friend class TWriter;

  void Detach();  // announces removal and leaves the owner (once)
  void AddFreeNotify(TComponent* component);
  void RemoveFreeNotify(TComponent* component);

  TComponent* owner_ = nullptr;
  std::string name_;
  int tag_ = 0;
  TComponentState state_;
  bool detached_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};
