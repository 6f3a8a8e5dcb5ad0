#pragma once
// A reference to an object that someone else owns and that outlives the holder: the type says
// so, and that the holder never releases or deletes it. Never null; copied freely.
template <class T>
class TBorrowed {
 public:
  // Implicit, so that a borrowing member is initialised from the object itself.
  TBorrowed(T& object) : FObject(&object) {}  // NOLINT(google-explicit-constructor)
  T& operator*() const { return *FObject; }
  T* operator->() const { return FObject; }

 private:
  T* FObject;
};
