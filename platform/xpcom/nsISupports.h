// nsISupports.h - the root interface of every component.
//
// Contents: nsISupports (slots 0-2: QueryInterface, AddRef, Release), and the
// NS_DECL_ISUPPORTS / NS_IMPL_ISUPPORTSn helpers for classes that implement
// one or more interfaces with a plain reference count starting at 0.
#pragma once

#include "nsID.h"
#include "nscore.h"

class nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}})

  // NS_OK and *result = an added reference, or NS_NOINTERFACE and
  // *result = null; a null result pointer gives NS_ERROR_NULL_POINTER.
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) = 0;
  NS_IMETHOD_(nsrefcnt) AddRef() = 0;
  NS_IMETHOD_(nsrefcnt) Release() = 0;

 protected:
  // Interfaces are not deleted through; the object deletes itself in Release.
  ~nsISupports() = default;
};

#define NS_ADDREF(p) ((p)->AddRef())
#define NS_RELEASE(p) do { if (p) { (p)->Release(); (p) = nullptr; } } while (0)
#define NS_IF_ADDREF(p) do { if (p) (p)->AddRef(); } while (0)
#define NS_IF_RELEASE(p) NS_RELEASE(p)

// In a class body: the three nsISupports operations and the count.
#define NS_DECL_ISUPPORTS                                        \
 public:                                                         \
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override; \
  NS_IMETHOD_(nsrefcnt) AddRef() override;                       \
  NS_IMETHOD_(nsrefcnt) Release() override;                      \
                                                                 \
 protected:                                                      \
  nsrefcnt mRefCnt = 0;                                          \
                                                                 \
 public:

#define NS_IMPL_ADDREF(cls) \
  NS_IMETHODIMP_(nsrefcnt) cls::AddRef() { return ++mRefCnt; }
#define NS_IMPL_RELEASE(cls)                         \
  NS_IMETHODIMP_(nsrefcnt) cls::Release() {          \
    nsrefcnt n = --mRefCnt;                          \
    if (n == 0) delete this;                         \
    return n;                                        \
  }

#define NS_IMPL_QI_BEGIN(cls)                                         \
  NS_IMETHODIMP cls::QueryInterface(const nsIID& iid, void** result) { \
    if (!result) return NS_ERROR_NULL_POINTER;                        \
    nsISupports* found = nullptr;
#define NS_IMPL_QI_ENTRY(iface) \
    if (!found && iid.Equals(NS_GET_IID(iface))) found = static_cast<iface*>(this);
#define NS_IMPL_QI_ENTRY_AMBIGUOUS(iface, via) \
    if (!found && iid.Equals(NS_GET_IID(iface))) \
      found = static_cast<iface*>(static_cast<via*>(this));
#define NS_IMPL_QI_END(first)                                             \
    if (!found && iid.Equals(NS_GET_IID(nsISupports)))                   \
      found = static_cast<nsISupports*>(static_cast<first*>(this));      \
    if (!found) { *result = nullptr; return NS_NOINTERFACE; }           \
    found->AddRef();                                                     \
    *result = found;                                                     \
    return NS_OK;                                                        \
  }

#define NS_IMPL_ISUPPORTS1(cls, i1) \
  NS_IMPL_ADDREF(cls) NS_IMPL_RELEASE(cls) \
  NS_IMPL_QI_BEGIN(cls) NS_IMPL_QI_ENTRY(i1) NS_IMPL_QI_END(i1)
#define NS_IMPL_ISUPPORTS2(cls, i1, i2) \
  NS_IMPL_ADDREF(cls) NS_IMPL_RELEASE(cls) \
  NS_IMPL_QI_BEGIN(cls) NS_IMPL_QI_ENTRY(i1) NS_IMPL_QI_ENTRY(i2) NS_IMPL_QI_END(i1)
#define NS_IMPL_ISUPPORTS3(cls, i1, i2, i3) \
  NS_IMPL_ADDREF(cls) NS_IMPL_RELEASE(cls) \
  NS_IMPL_QI_BEGIN(cls) NS_IMPL_QI_ENTRY(i1) NS_IMPL_QI_ENTRY(i2) \
  NS_IMPL_QI_ENTRY(i3) NS_IMPL_QI_END(i1)
#define NS_IMPL_ISUPPORTS4(cls, i1, i2, i3, i4) \
  NS_IMPL_ADDREF(cls) NS_IMPL_RELEASE(cls) \
  NS_IMPL_QI_BEGIN(cls) NS_IMPL_QI_ENTRY(i1) NS_IMPL_QI_ENTRY(i2) \
  NS_IMPL_QI_ENTRY(i3) NS_IMPL_QI_ENTRY(i4) NS_IMPL_QI_END(i1)
