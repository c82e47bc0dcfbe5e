// nsCOMPtr reference counting and the QueryInterface helper.
#include <gtest/gtest.h>

#include "nsCOMPtr.h"
#include "nsIInterfaceRequestor.h"

namespace {

class IFoo : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID({0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}})
  NS_IMETHOD Foo(int* out) = 0;
};
class IBar : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID({0x55555555, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}})
};
class IUnused : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID({0x66666666, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}})
};

int gLive = 0;

class Counted final : public IFoo, public IBar {
 public:
  Counted() { ++gLive; }
  NS_DECL_ISUPPORTS
  NS_IMETHOD Foo(int* out) override {
    *out = 42;
    return NS_OK;
  }
  nsrefcnt Count() const { return mRefCnt; }

 private:
  ~Counted() { --gLive; }
};
NS_IMPL_ISUPPORTS2(Counted, IFoo, IBar)

}  // namespace

TEST(nsCOMPtrTest, CountsReferencesThroughCopyMoveAssignAndRelease) {
  gLive = 0;
  Counted* raw = new Counted();
  {
    nsCOMPtr<IFoo> a = raw;
    EXPECT_EQ(1u, raw->Count());
    nsCOMPtr<IFoo> b = a;
    EXPECT_EQ(2u, raw->Count());
    nsCOMPtr<IFoo> c = std::move(b);
    EXPECT_EQ(2u, raw->Count());
    EXPECT_EQ(nullptr, b.get());
    c = a;  // same object: no change
    EXPECT_EQ(2u, raw->Count());
    c = nullptr;
    EXPECT_EQ(1u, raw->Count());
    a = a.get();  // self-assignment keeps the object alive
    EXPECT_EQ(1u, raw->Count());
    int v = 0;
    EXPECT_EQ(NS_OK, a->Foo(&v));
    EXPECT_EQ(42, v);
  }
  EXPECT_EQ(0, gLive);
}

TEST(nsCOMPtrTest, GetterAddRefsReleasesTheOldObjectAndTakesTheNew) {
  gLive = 0;
  nsCOMPtr<IFoo> held = new Counted();
  Counted* second = new Counted();
  second->AddRef();  // the reference an out parameter hands over
  IFoo** slot = getter_AddRefs(held);
  EXPECT_EQ(1, gLive) << "the old object is released when the slot is exposed";
  *slot = second;
  EXPECT_EQ(1u, second->Count());
  IFoo* kept = held.forget();
  EXPECT_EQ(nullptr, held.get());
  kept->Release();
  EXPECT_EQ(0, gLive);
}

TEST(nsCOMPtrTest, QueryInterfaceHelperReportsTheOutcome) {
  gLive = 0;
  nsCOMPtr<IFoo> foo = new Counted();
  nsresult rv = NS_ERROR_FAILURE;
  nsCOMPtr<IBar> bar = do_QueryInterface(foo, &rv);
  EXPECT_EQ(NS_OK, rv);
  ASSERT_NE(nullptr, bar.get());
  nsCOMPtr<nsISupports> base = do_QueryInterface(bar);
  EXPECT_NE(nullptr, base.get());
  nsCOMPtr<IUnused> none = do_QueryInterface(foo, &rv);
  EXPECT_EQ(NS_NOINTERFACE, rv);
  EXPECT_EQ(nullptr, none.get());
  nsCOMPtr<IBar> fromNull = do_QueryInterface(nullptr, &rv);
  EXPECT_EQ(NS_ERROR_NULL_POINTER, rv);
  void* p = &rv;
  EXPECT_EQ(NS_NOINTERFACE, foo->QueryInterface(NS_GET_IID(IUnused), &p));
  EXPECT_EQ(nullptr, p) << "a refused query clears the out pointer";
  EXPECT_EQ(NS_ERROR_NULL_POINTER, foo->QueryInterface(NS_GET_IID(IBar), nullptr));
  foo = nullptr;
  bar = nullptr;
  base = nullptr;
  EXPECT_EQ(0, gLive);
}

namespace {

// Gives its Counted object's interfaces through GetInterface only.
class Requestor final : public nsIInterfaceRequestor {
 public:
  Requestor() : mInner(new Counted()) {}
  NS_DECL_ISUPPORTS
  NS_IMETHOD GetInterface(const nsIID& iid, void** result) override {
    return mInner->QueryInterface(iid, result);
  }

 private:
  ~Requestor() = default;
  nsCOMPtr<IFoo> mInner;
};
NS_IMPL_ISUPPORTS1(Requestor, nsIInterfaceRequestor)

}  // namespace

TEST(nsCOMPtrTest, GetInterfaceHelperAsksTheRequestor) {
  gLive = 0;
  {
    nsCOMPtr<nsIInterfaceRequestor> requestor = new Requestor();
    nsresult rv = NS_ERROR_FAILURE;
    nsCOMPtr<IBar> bar = do_GetInterface(requestor, &rv);
    EXPECT_EQ(NS_OK, rv);
    EXPECT_NE(nullptr, bar.get());
    nsCOMPtr<IBar> direct = do_QueryInterface(requestor, &rv);
    EXPECT_EQ(NS_NOINTERFACE, rv) << "the requestor itself is no IBar";
    // An object without nsIInterfaceRequestor gives nothing.
    nsCOMPtr<IFoo> plain = new Counted();
    nsCOMPtr<IBar> none = do_GetInterface(plain, &rv);
    EXPECT_EQ(NS_NOINTERFACE, rv);
    EXPECT_EQ(nullptr, none.get());
  }
  EXPECT_EQ(0, gLive);
}
