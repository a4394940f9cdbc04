#pragma once
// TCollection: an owned list of items of one class (TCollectionItem descendants), stored in
// the layout stream as one collection value holding each item's properties.
//
//   class TColumn : public TCollectionItem {
//     QUILLIMO_CLASS(TColumn, TCollectionItem)
//   public:
//     using TCollectionItem::TCollectionItem;   // TColumn(TCollection*)
//   };
//   TCollection columns(TColumn::StaticClassInfo(), owner);
//   auto* c = static_cast<TColumn*>(columns.Add());
//
// The item class must be registered (QUILLIMO_REGISTER_CLASS) and constructible from
// TCollection*, so that the collection can create its items.
#include <string>
#include <vector>

#include "toolkit/core/object.h"

class TCollection;

class TCollectionItem : public TPersistent {
  QUILLIMO_CLASS(TCollectionItem, TPersistent)
public:
  // Appends itself to collection (when given).
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (nullptr: none).
  void SetCollection(TCollection* collection);
  // Position in the collection (-1 without one); SetIndex moves it.
  int Index() const;
  void SetIndex(int index);
  // A number unique within the collection, kept when items move.
  int ID() const { return id_; }
  // The text a designer shows for the item; the base gives the class name.
  virtual std::string GetDisplayName() const;

  TPersistent* GetOwner() const override;
  // The collection's name path and "[index]".
  std::string GetNamePath() const override;

protected:
  // Tells the collection that this item (or, with allItems, everything) changed.
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
  QUILLIMO_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
  // Frees the items.
  ~TCollection() override;

  const TClassInfo& ItemClass() const { return itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (<i>)".
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  // Changes inside an update bracket call Update once, at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Replaces the items by copies of source's (each item Assigned from its counterpart).
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }
  // The owner's name path and the name of the owner's property that holds this collection.
  std::string GetNamePath() const override;

protected:
  // Called after a change of item (nullptr: of the whole collection), outside update brackets.
  virtual void Update(TCollectionItem* item) {}
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClassInfo& itemClass_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};
