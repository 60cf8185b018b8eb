#include "toolkit/gui/component.h"

#include <algorithm>

#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

TComponent::TComponent(TComponent* Owner) : owner_(Owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) std::erase(owner_->components_, this);
}

void TComponent::DestroyComponents() {
  // The destructor takes each out of the list.
  while (!components_.empty()) Free(components_.back());
}

void TComponent::setName(const std::string& name) {
  if (!name.empty() && owner_) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) throw Exception("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* component : components_)
    if (SameText(component->Name(), name)) return component;
  return nullptr;
}

TPropList TComponent::Properties() {
  TPropList properties;
  Publish(properties);
  std::stable_sort(
      properties.begin(), properties.end(),
      [](const TPropInfo& a, const TPropInfo& b) { return CompareText(a.Name, b.Name) < 0; });
  return properties;
}

void TComponent::Publish(TPropList& properties) {
  properties.push_back(StringProperty(
      "Name", "TComponentName", [this] { return name_; },
      [this](const std::string& name) { setName(name); }));
}

void Free(TComponent* component) {
  if (!component) return;
  component->BeforeDestruction();
  delete component;
}
