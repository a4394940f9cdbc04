#pragma once
// Run-time classes: every toolkit class knows its name, its parent class and its published
// properties, and component classes can be created by name (the layout reader does that).
//
// Declaring a class:
//
//   class TButton : public TWinControl {
//     QUILLIMO_CLASS(TButton, TWinControl)
//   public:
//     ...
//   };
//
// and in its .cpp file, once (the macro is in properties.h):
//
//   QUILLIMO_REGISTER_CLASS(TButton, [](TPropertyTable& p) { p.String("Caption", ...); });
//
// The registration makes the class known by name (case-insensitive, as the layout stream
// names classes) and gives it its own published properties; the inherited ones come from the
// parent's table.
//
// When a class becomes known. A class is registered the first time its StaticClassInfo()
// runs; QUILLIMO_REGISTER_CLASS also runs it while the program starts (a static object in
// the class's .cpp file). A static library only links an object file that something
// references, so a class that nothing in the program names and that is only ever created by
// name from a layout stream (a control that only appears in a stored form) must be
// referenced once from the program or from its library's registration list:
//
//   QUILLIMO_LINK_CLASS(TButton)   // at namespace scope of any .cpp file, or, in code that runs:
//   RegisterClasses({&TButton::StaticClassInfo(), &TEdit::StaticClassInfo()});
//
// Either form pulls the class's object file into the link and registers the class. Every
// static registration is made through function-local statics, so the order in which the
// program's static objects are initialised does not matter. Registering a second class
// under a name that is taken already keeps the first.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TObject;
class TComponent;
class TCollection;
class TPersistent;
class TFiler;
class TPropertyTable;
struct TPropInfo;
struct TMethodInfo;

class TClassInfo {
public:
  using DeclareFn = void (*)(TPropertyTable&);
  using CreateFn = TObject* (*)(TComponent* owner);
  using CreateItemFn = TObject* (*)(TCollection* collection);

  TClassInfo(const char* name, const TClassInfo* parent, DeclareFn declare, CreateFn create,
             CreateItemFn createItem = nullptr);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;
  // By name, case-insensitive, anywhere in the parent chain.
  bool InheritsFrom(std::string_view className) const;

  // Published properties of this class, inherited ones first (built on first use).
  const TPropertyTable& Properties() const;

  // Creates an instance (components get their owner); nullptr for abstract classes.
  bool CanCreate() const { return create_ != nullptr; }
  TObject* Create(TComponent* owner) const;
  // Collection item classes (constructible from TCollection*): a new item of collection.
  bool CanCreateItem() const { return createItem_ != nullptr; }
  TObject* CreateItem(TCollection* collection) const;

  // The registry of every class that was registered with QUILLIMO_REGISTER_CLASS.
  static const TClassInfo* Find(std::string_view name);
  static std::vector<const TClassInfo*> All();

  // The published method of this class or an ancestor (case-insensitive); nullptr if none.
  const TMethodInfo* FindMethod(std::string_view name) const;

private:
  std::string name_;
  const TClassInfo* parent_;
  DeclareFn declare_;
  CreateFn create_;
  CreateItemFn createItem_;
  mutable TPropertyTable* properties_ = nullptr;
};

// Registers classes for creation by name (see the top of this file); the argument list
// itself, which calls each StaticClassInfo(), does the work.
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);

#define QUILLIMO_CONCAT_IMPL(a, b) a##b
#define QUILLIMO_CONCAT(a, b) QUILLIMO_CONCAT_IMPL(a, b)
#define QUILLIMO_LINK_CLASS(Self) \
  [[maybe_unused]] static const TClassInfo& QUILLIMO_CONCAT(quillimoLinkedClass_, Self) = Self::StaticClassInfo();

#define QUILLIMO_CLASS(Self, Parent)                                         \
public:                                                                      \
  using inherited = Parent;                                                  \
  static const TClassInfo& StaticClassInfo();                                \
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); } \
                                                                             \
private:

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

  const std::string& ClassName() const { return ClassInfo().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
  bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }
};

// Objects that can copy themselves from others and stream extra, non-property data.
class TPersistent : public TObject {
  QUILLIMO_CLASS(TPersistent, TObject)
public:
  // Copies source into this object; falls back to source->AssignTo(this); raises
  // EConvertError "Cannot assign a %s to a %s." when neither knows how.
  virtual void Assign(const TPersistent* source);
  // The name under which this object is addressed inside its owner (for nested objects):
  // the owner's name path, ".", and the class name.
  virtual std::string GetNamePath() const;
  // The object this one belongs to (a component's owner, a collection item's collection).
  virtual TPersistent* GetOwner() const { return nullptr; }

  // Lets a class store data that is not a published property ("Strings" of a string
  // list, binary blocks such as a translation table) through filer.DefineProperty and
  // filer.DefineBinaryProperty.
  virtual void DefineProperties(TFiler& filer) {}

protected:
  // Copies this object into dest; the default raises the "Cannot assign" error.
  virtual void AssignTo(TPersistent* dest) const;
  // Raises EConvertError "Cannot assign a <source class or nil> to a <this class>.".
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

template <class T>
T* dynamic_object_cast(TObject* obj) {
  return dynamic_cast<T*>(obj);
}
