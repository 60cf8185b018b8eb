#pragma once
// A component: a named object with an owner. The owner deletes what it owns and lists it in its
// Components, the list a window's localization walks. Ownership is not parenthood: a control
// shows inside its Parent (control.h), which may be another component than its owner.
// User-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/gui/object.h"
#include "toolkit/gui/typinfo.h"

class TComponent : public TObject {
public:
  explicit TComponent(TComponent* Owner);
  // Deletes the owned components, the last created first, and leaves the owner's list.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises Exception when another component of the same owner has that name (letter case
  // ignored); the empty name is always allowed.
  void setName(const std::string& name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // The owned component of that name (letter case ignored), or none.
  TComponent* FindComponent(const std::string& name) const;

  // The published properties, sorted by name (letter case ignored).
  TPropList Properties();

  // The last moment at which the whole object exists, before any destructor runs: the owner
  // and Free call it; a form raises its OnDestroy here.
  virtual void BeforeDestruction() {}

protected:
  // Adds the component's published properties; an override calls the base first.
  virtual void Publish(TPropList& properties);
  // Frees every owned component now (the application does this before Qt goes away).
  void DestroyComponents();

private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

// Destroys a component as its owner would: BeforeDestruction, then delete. Use it (or
// TOwnedPtr) for every component deleted by hand; none does nothing.
void Free(TComponent* component);

struct TFreeComponent {
  void operator()(TComponent* component) const { Free(component); }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, TFreeComponent>;
