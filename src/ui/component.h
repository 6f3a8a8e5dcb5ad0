#pragma once
// Components: named objects owned by a form, created from its stored layout.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/layout.h"

class TComponent;
class TForm;
using TNotifyEvent = std::function<void(TComponent* sender)>;

// A handler that calls a member function of object: Bind(this, &TMainForm::ProcessButtonClick).
template <typename T>
TNotifyEvent Bind(T* object, void (T::*handler)(TComponent*)) {
  return [object, handler](TComponent* sender) { (object->*handler)(sender); };
}

// What a component needs while its stored properties are applied: handlers and the other
// components of the form, found by name.
class TLayoutReader {
 public:
  explicit TLayoutReader(TForm& form) : FForm(form) {}
  TNotifyEvent Handler(const TLayoutValue& name) const;
  TComponent& Component(const TLayoutValue& name) const;

 private:
  TForm& FForm;
};

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::wstring Name;
  TComponent* Owner() const { return FOwner; }
  bool Loading() const { return FLoading; }
  bool Destroying() const { return FDestroying; }

  // Applies one stored property; false when the component has no property of that name.
  virtual bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader);
  // Called once all stored properties of the component are set.
  virtual void Loaded() { FLoading = false; }
  void BeginLoading() { FLoading = true; }

  // Takes ownership of a component created for this owner; returns it.
  template <typename T>
  T& Adopt(std::unique_ptr<T> component) {
    T& ref = *component;
    FComponents.push_back(std::move(component));
    return ref;
  }
  TComponent* FindComponent(const std::wstring& name) const;

  // Another component is going away: drop every reference to it.
  virtual void Notification(TComponent* removed);

 protected:
  // Marks the component as being destroyed and frees what it owns, newest first.
  void DestroyComponents();

 private:
  TComponent* FOwner;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  bool FLoading = false;
  bool FDestroying = false;
};

// Builds components by class name for the layout reader.
using TComponentFactory = std::function<std::unique_ptr<TComponent>(TComponent* owner)>;
void RegisterComponentClass(const std::wstring& className, TComponentFactory factory);
std::unique_ptr<TComponent> CreateComponent(const std::wstring& className, TComponent* owner);

template <typename T>
void RegisterComponentClass(const std::wstring& className) {
  RegisterComponentClass(className, [](TComponent* owner) { return std::make_unique<T>(owner); });
}
