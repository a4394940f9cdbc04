#include "toolkit/core/object.h"

#include <map>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/text.h"

namespace {

struct CaseInsensitiveLess {
  bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// Function-local, so that classes registered by static objects of any translation unit
// find it constructed.
std::map<std::string, const TClassInfo*, CaseInsensitiveLess>& Registry() {
  static std::map<std::string, const TClassInfo*, CaseInsensitiveLess> registry;
  return registry;
}

}  // namespace

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, DeclareFn declare, CreateFn create,
                       CreateItemFn createItem)
    : name_(name), parent_(parent), declare_(declare), create_(create), createItem_(createItem) {
  Registry().emplace(name_, this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (SameText(c->name_, className)) return true;
  return false;
}

const TPropertyTable& TClassInfo::Properties() const {
  if (!properties_) {
    auto* table = new TPropertyTable(*this);  // lives as long as the class (the program)
    if (parent_) table->InheritFrom(parent_->Properties());
    if (declare_) declare_(*table);
    properties_ = table;
  }
  return *properties_;
}

TObject* TClassInfo::Create(TComponent* owner) const { return create_ ? create_(owner) : nullptr; }

TObject* TClassInfo::CreateItem(TCollection* collection) const {
  return createItem_ ? createItem_(collection) : nullptr;
}

const TClassInfo* TClassInfo::Find(std::string_view name) {
  auto& registry = Registry();
  auto it = registry.find(std::string(name));
  return it == registry.end() ? nullptr : it->second;
}

std::vector<const TClassInfo*> TClassInfo::All() {
  std::vector<const TClassInfo*> all;
  for (const auto& [name, cls] : Registry()) all.push_back(cls);
  return all;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const { return Properties().FindMethod(name); }

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  // Each StaticClassInfo() in the argument list registered its class already.
  for (const TClassInfo* cls : classes) (void)cls;
}

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
  return info;
}

QUILLIMO_REGISTER_CLASS(TPersistent)

void TPersistent::Assign(const TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  std::string sourceName = source ? source->ClassName() : std::string("nil");
  throw EConvertError(Format("Cannot assign a %s to a %s.", {sourceName, ClassName()}));
}

std::string TPersistent::GetNamePath() const {
  std::string result = ClassName();
  if (const TPersistent* owner = GetOwner()) {
    std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}
