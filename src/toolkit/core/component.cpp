#include "toolkit/core/component.h"

#include <algorithm>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/text.h"

namespace {

constexpr const char* InvalidName = "'%s' is not a valid component name";

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty() || !IsIdentStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), IsIdentChar);
}

QUILLIMO_REGISTER_CLASS(TComponent, [](TPropertyTable& p) {
  p.String("Name", &TComponent::Name, &TComponent::SetName).Stored(false);  // the stream stores it in the header
  p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
})

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { Detach(); }

void TComponent::Free() {
  Detach();
  delete this;
}

void TComponent::Detach() {
  if (detached_) return;
  detached_ = true;
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->RemoveFreeNotify(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TPersistent* TComponent::GetOwner() const { return owner_; }

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Format(InvalidName, {name}));
  if (owner_)
    owner_->ValidateRename(this, name_, name);
  else
    ValidateRename(nullptr, name_, name);
  name_ = name;
}

void TComponent::ValidateRename(TComponent* component, std::string_view currentName, std::string_view newName) const {
  if (component && component->owner_ == this && !SameText(currentName, newName) && FindComponent(newName))
    throw EComponentError(Format(ExceptionText::DuplicateName, {newName}));
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(ExceptionText::ListIndexError, {index}));
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& siblings = owner_->components_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (FindComponent(component->name_)) throw EComponentError(Format(ExceptionText::DuplicateName, {component->name_}));
  ValidateInsert(component);
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) components_.back()->Free();
}

void TComponent::AddFreeNotify(TComponent* component) {
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
}

void TComponent::RemoveFreeNotify(TComponent* component) { Erase(freeNotifies_, component); }

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!owner_ || component->owner_ != owner_) {
    AddFreeNotify(component);
    component->AddFreeNotify(this);
  }
  IncludeState(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  RemoveFreeNotify(component);
  component->RemoveFreeNotify(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Receivers may free components; walk backwards and re-check the bound.
  for (std::size_t i = components_.size(); i-- > 0;) {
    if (i < components_.size()) components_[i]->Notification(component, operation);
  }
}

void TComponent::Loaded() { ExcludeState(csLoading); }

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  IncludeState(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TComponent* c : components_)
    if (!c->HasParent()) proc(c);
}

TComponent* TComponent::GetChildParent() { return this; }

void TComponent::SetDesigning(bool designing, bool children) {
  if (designing)
    IncludeState(csDesigning);
  else
    ExcludeState(csDesigning);
  if (children)
    for (TComponent* c : components_) c->SetDesigning(designing, true);
}
