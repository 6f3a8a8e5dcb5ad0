#include "ui/component.h"

#include <algorithm>
#include <map>

#include "base/errors.h"

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  FDestroying = true;
  while (!FComponents.empty()) {
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    for (auto& other : FComponents) other->Notification(last.get());
    last.reset();
  }
}

bool TComponent::SetProperty(const std::wstring& name, const TLayoutValue&, const TLayoutReader&) {
  (void)name;
  return false;
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  for (const auto& c : FComponents) {
    if (c->Name == name) return c.get();
    if (TComponent* inner = c->FindComponent(name)) return inner;
  }
  return nullptr;
}

void TComponent::Notification(TComponent*) {}

namespace {
std::map<std::wstring, TComponentFactory>& Factories() {
  static std::map<std::wstring, TComponentFactory> factories;
  return factories;
}
}  // namespace

void RegisterComponentClass(const std::wstring& className, TComponentFactory factory) {
  Factories()[className] = std::move(factory);
}

std::unique_ptr<TComponent> CreateComponent(const std::wstring& className, TComponent* owner) {
  const auto found = Factories().find(className);
  if (found == Factories().end()) throw Exception(L"Class " + className + L" not found");
  return found->second(owner);
}
