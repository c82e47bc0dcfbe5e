// nsCOMPtr.h - owning interface pointer and the helpers that fill it.
//
// Contents: nsCOMPtr<T>; getter_AddRefs; the helpers nsQueryInterface
// (do_QueryInterface), nsGetServiceByCID / nsGetServiceByContractID
// (do_GetService), nsCreateInstanceByCID / nsCreateInstanceByContractID
// (do_CreateInstance) and nsGetInterface (do_GetInterface). Each helper takes
// an optional nsresult* that receives the outcome.
//
//   nsCOMPtr<nsIWindowWatcher> ww = do_GetService(NS_WINDOWWATCHER_CONTRACTID, &rv);
//   nsCOMPtr<nsIWebNavigation> nav = do_QueryInterface(browser);
#pragma once

#include <utility>

#include "nsISupports.h"

// A source of an interface pointer for nsCOMPtr: asked for an iid, it stores
// an added reference (or null) in *result and returns the outcome.
class nsCOMPtr_helper {
 public:
  virtual nsresult operator()(const nsIID& iid, void** result) const = 0;

 protected:
  ~nsCOMPtr_helper() = default;
};

template <class T>
class nsGetterAddRefs;

template <class T>
class nsCOMPtr {
 public:
  nsCOMPtr() : mRawPtr(nullptr) {}
  nsCOMPtr(std::nullptr_t) : mRawPtr(nullptr) {}
  nsCOMPtr(T* p) : mRawPtr(p) {
    if (mRawPtr) mRawPtr->AddRef();
  }
  nsCOMPtr(const nsCOMPtr& other) : nsCOMPtr(other.mRawPtr) {}
  nsCOMPtr(nsCOMPtr&& other) noexcept : mRawPtr(other.mRawPtr) {
    other.mRawPtr = nullptr;
  }
  nsCOMPtr(const nsCOMPtr_helper& helper) : mRawPtr(nullptr) {
    void* p = nullptr;
    if (NS_SUCCEEDED(helper(NS_GET_IID(T), &p))) mRawPtr = static_cast<T*>(p);
  }
  ~nsCOMPtr() {
    if (mRawPtr) mRawPtr->Release();
  }

  nsCOMPtr& operator=(T* p) {
    if (p) p->AddRef();
    assign(p);
    return *this;
  }
  nsCOMPtr& operator=(std::nullptr_t) {
    assign(nullptr);
    return *this;
  }
  nsCOMPtr& operator=(const nsCOMPtr& other) { return *this = other.mRawPtr; }
  nsCOMPtr& operator=(nsCOMPtr&& other) noexcept {
    if (this != &other) {
      T* p = other.mRawPtr;
      other.mRawPtr = nullptr;
      assign(p);
    }
    return *this;
  }
  nsCOMPtr& operator=(const nsCOMPtr_helper& helper) {
    void* p = nullptr;
    if (NS_FAILED(helper(NS_GET_IID(T), &p))) p = nullptr;
    assign(static_cast<T*>(p));
    return *this;
  }

  T* get() const { return mRawPtr; }
  operator T*() const { return mRawPtr; }
  T* operator->() const { return mRawPtr; }
  T& operator*() const { return *mRawPtr; }

  // Gives up ownership: the caller now holds the reference.
  T* forget() {
    T* p = mRawPtr;
    mRawPtr = nullptr;
    return p;
  }
  void swap(nsCOMPtr& other) { std::swap(mRawPtr, other.mRawPtr); }

  // For getter_AddRefs: release what is held and expose the slot.
  T** StartAssignment() {
    assign(nullptr);
    return &mRawPtr;
  }

 private:
  void assign(T* p) {  // takes over p's reference
    T* old = mRawPtr;
    mRawPtr = p;
    if (old) old->Release();
  }
  T* mRawPtr;
};

template <class T>
class nsGetterAddRefs {
 public:
  explicit nsGetterAddRefs(nsCOMPtr<T>& ptr) : mTarget(ptr) {}
  operator T**() { return mTarget.StartAssignment(); }
  operator void**() { return reinterpret_cast<void**>(mTarget.StartAssignment()); }

 private:
  nsCOMPtr<T>& mTarget;
};

// Out parameter that fills an nsCOMPtr: Foo(getter_AddRefs(ptr)).
template <class T>
nsGetterAddRefs<T> getter_AddRefs(nsCOMPtr<T>& ptr) {
  return nsGetterAddRefs<T>(ptr);
}

// ---- Helpers --------------------------------------------------------------

class nsQueryInterface final : public nsCOMPtr_helper {
 public:
  nsQueryInterface(nsISupports* source, nsresult* error)
      : mSource(source), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  nsISupports* mSource;
  nsresult* mError;
};

class nsGetServiceByCID final : public nsCOMPtr_helper {
 public:
  nsGetServiceByCID(const nsCID& cid, nsresult* error) : mCID(cid), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  nsCID mCID;
  nsresult* mError;
};

class nsGetServiceByContractID final : public nsCOMPtr_helper {
 public:
  nsGetServiceByContractID(const char* contractID, nsresult* error)
      : mContractID(contractID), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  const char* mContractID;
  nsresult* mError;
};

class nsCreateInstanceByCID final : public nsCOMPtr_helper {
 public:
  nsCreateInstanceByCID(const nsCID& cid, nsISupports* outer, nsresult* error)
      : mCID(cid), mOuter(outer), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  nsCID mCID;
  nsISupports* mOuter;
  nsresult* mError;
};

class nsCreateInstanceByContractID final : public nsCOMPtr_helper {
 public:
  nsCreateInstanceByContractID(const char* contractID, nsISupports* outer,
                               nsresult* error)
      : mContractID(contractID), mOuter(outer), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  const char* mContractID;
  nsISupports* mOuter;
  nsresult* mError;
};

// Asks an object for an interface through its nsIInterfaceRequestor.
class nsGetInterface final : public nsCOMPtr_helper {
 public:
  nsGetInterface(nsISupports* source, nsresult* error)
      : mSource(source), mError(error) {}
  nsresult operator()(const nsIID& iid, void** result) const override;

 private:
  nsISupports* mSource;
  nsresult* mError;
};

inline nsQueryInterface do_QueryInterface(nsISupports* p, nsresult* error = nullptr) {
  return nsQueryInterface(p, error);
}
inline nsGetServiceByCID do_GetService(const nsCID& cid, nsresult* error = nullptr) {
  return nsGetServiceByCID(cid, error);
}
inline nsGetServiceByContractID do_GetService(const char* contractID,
                                              nsresult* error = nullptr) {
  return nsGetServiceByContractID(contractID, error);
}
inline nsCreateInstanceByCID do_CreateInstance(const nsCID& cid,
                                               nsresult* error = nullptr) {
  return nsCreateInstanceByCID(cid, nullptr, error);
}
inline nsCreateInstanceByContractID do_CreateInstance(const char* contractID,
                                                      nsresult* error = nullptr) {
  return nsCreateInstanceByContractID(contractID, nullptr, error);
}
inline nsGetInterface do_GetInterface(nsISupports* p, nsresult* error = nullptr) {
  return nsGetInterface(p, error);
}
