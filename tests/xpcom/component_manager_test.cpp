// The kit's start-up, component registrar, component manager and service
// manager.
#include <gtest/gtest.h>

#include "nsCOMPtr.h"
#include "nsIComponentManager.h"
#include "nsIComponentRegistrar.h"
#include "nsIFactory.h"
#include "nsIIOService.h"
#include "nsIServiceManager.h"
#include "nsXPCOM.h"

namespace {

class IThing : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID({0x0A0A0A0A, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}})
};
const nsCID kThingCID = {0x0B0B0B0B, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
const nsCID kStaticCID = {0x0C0C0C0C, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
const nsCID kSelfCID = {0x0D0D0D0D, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};

int gThings = 0;   // live instances
int gCreated = 0;  // instances ever made

class Thing final : public IThing {
 public:
  Thing() { ++gThings; ++gCreated; }
  NS_DECL_ISUPPORTS
 private:
  ~Thing() { --gThings; }
};
NS_IMPL_ISUPPORTS1(Thing, IThing)

class ThingFactory final : public nsIFactory {
 public:
  NS_DECL_ISUPPORTS
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) override {
    if (outer) return NS_ERROR_NO_AGGREGATION;
    nsCOMPtr<IThing> t = new Thing();
    return t->QueryInterface(iid, result);
  }
  NS_IMETHOD LockFactory(PRBool) override { return NS_OK; }
 private:
  ~ThingFactory() = default;
};
NS_IMPL_ISUPPORTS1(ThingFactory, nsIFactory)

nsresult CreateThing(nsISupports* outer, const nsIID& iid, void** result) {
  if (outer) return NS_ERROR_NO_AGGREGATION;
  nsCOMPtr<IThing> t = new Thing();
  return t->QueryInterface(iid, result);
}
// A service whose construction asks for itself.
nsresult CreateSelfish(nsISupports*, const nsIID& iid, void** result) {
  nsresult rv = NS_OK;
  nsCOMPtr<IThing> again = do_GetService(kSelfCID, &rv);
  EXPECT_EQ(NS_ERROR_NOT_AVAILABLE, rv);
  return CreateThing(nullptr, iid, result);
}

const nsStaticComponent kTable[] = {
    {"Thing", kStaticCID, "@test/thing;1", &CreateThing},
    {"Selfish", kSelfCID, nullptr, &CreateSelfish},
};
NS_STATIC_COMPONENTS(xpcom_test_things, kTable)

class ComponentManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gThings = gCreated = 0;
    ASSERT_EQ(NS_OK, NS_InitXPCOM2(getter_AddRefs(mServiceManager), nullptr, nullptr));
    ASSERT_NE(nullptr, mServiceManager.get());
  }
  void TearDown() override {
    NS_ShutdownXPCOM(mServiceManager);
    mServiceManager = nullptr;
  }
  nsCOMPtr<nsIServiceManager> mServiceManager;
};

}  // namespace

TEST_F(ComponentManagerTest, ServiceManagerKeepsOneInstancePerClassId) {
  nsCOMPtr<nsIComponentRegistrar> registrar = do_QueryInterface(mServiceManager);
  ASSERT_NE(nullptr, registrar.get());
  nsCOMPtr<nsIFactory> factory = new ThingFactory();
  // No name, no contract id: reached by class id only.
  ASSERT_EQ(NS_OK, registrar->RegisterFactory(kThingCID, nullptr, nullptr, factory));
  EXPECT_EQ(NS_ERROR_FACTORY_EXISTS,
            registrar->RegisterFactory(kThingCID, nullptr, nullptr, factory));

  nsCOMPtr<IThing> first = do_GetService(kThingCID);
  nsCOMPtr<IThing> second;
  ASSERT_EQ(NS_OK, mServiceManager->GetService(kThingCID, NS_GET_IID(IThing),
                                               getter_AddRefs(second)));
  ASSERT_NE(nullptr, first.get());
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(1, gCreated);

  // Instances are new each time.
  nsCOMPtr<IThing> a = do_CreateInstance(kThingCID);
  nsCOMPtr<IThing> b = do_CreateInstance(kThingCID);
  EXPECT_NE(a.get(), b.get());
  EXPECT_NE(first.get(), a.get());
  EXPECT_EQ(3, gCreated);

  // Releasing every caller's reference keeps the service: the manager holds it.
  first = second = a = b = nullptr;
  EXPECT_EQ(1, gThings);
  nsCOMPtr<IThing> third = do_GetService(kThingCID);
  EXPECT_EQ(3, gCreated);
  third = nullptr;

  // Shutting down releases it; the kit then refuses calls.
  NS_ShutdownXPCOM(mServiceManager);
  EXPECT_EQ(0, gThings);
  nsresult rv = NS_OK;
  nsCOMPtr<IThing> late = do_GetService(kThingCID, &rv);
  EXPECT_EQ(NS_ERROR_NOT_INITIALIZED, rv);
  void* p = nullptr;
  EXPECT_EQ(NS_ERROR_NOT_INITIALIZED,
            mServiceManager->GetService(kThingCID, NS_GET_IID(IThing), &p));
}

TEST_F(ComponentManagerTest, UnknownClassesAndInterfacesFail) {
  nsresult rv = NS_OK;
  nsCOMPtr<IThing> none = do_GetService(kThingCID, &rv);
  EXPECT_EQ(NS_ERROR_FACTORY_NOT_REGISTERED, rv);
  nsCOMPtr<IThing> byName = do_CreateInstance("@test/nothing;1", &rv);
  EXPECT_EQ(NS_ERROR_FACTORY_NOT_REGISTERED, rv);
  // A service that lacks the interface asked for is not kept.
  nsCOMPtr<nsIFactory> wrong = do_GetService(kStaticCID, &rv);
  EXPECT_EQ(NS_NOINTERFACE, rv);
  EXPECT_EQ(0, gThings);
  void* p = &rv;
  nsCOMPtr<nsIComponentManager> cm = do_QueryInterface(mServiceManager);
  ASSERT_NE(nullptr, cm.get());
  nsCOMPtr<nsISupports> outer = new Thing();
  EXPECT_EQ(NS_ERROR_NO_AGGREGATION,
            cm->CreateInstance(kStaticCID, outer, NS_GET_IID(IThing), &p));
  EXPECT_EQ(nullptr, p);
}

TEST_F(ComponentManagerTest, StaticComponentsAreRegisteredAtEveryStart) {
  for (int round = 0; round < 2; ++round) {
    nsresult rv = NS_ERROR_FAILURE;
    nsCOMPtr<IThing> byContract = do_GetService("@test/thing;1", &rv);
    EXPECT_EQ(NS_OK, rv);
    nsCOMPtr<IThing> byCID = do_GetService(kStaticCID);
    EXPECT_EQ(byContract.get(), byCID.get()) << "one service per class id";
    nsCOMPtr<IThing> instance = do_CreateInstance("@test/thing;1");
    EXPECT_NE(nullptr, instance.get());
    EXPECT_NE(byCID.get(), instance.get());
    // The kit's own IO service is always there.
    nsCID io = NS_IOSERVICE_CID;
    nsCOMPtr<nsIIOService> ioService = do_GetService(io);
    EXPECT_NE(nullptr, ioService.get());
    byContract = byCID = instance = nullptr;
    NS_ShutdownXPCOM(mServiceManager);
    mServiceManager = nullptr;
    ASSERT_EQ(NS_OK, NS_InitXPCOM2(getter_AddRefs(mServiceManager), nullptr, nullptr));
  }
  // A second start while running gives the same manager.
  nsCOMPtr<nsIServiceManager> again;
  ASSERT_EQ(NS_OK, NS_InitXPCOM2(getter_AddRefs(again), nullptr, nullptr));
  EXPECT_EQ(mServiceManager.get(), again.get());
}

TEST_F(ComponentManagerTest, ServiceAskingForItselfDuringConstructionDoesNotRecurse) {
  nsCOMPtr<IThing> s = do_GetService(kSelfCID);
  EXPECT_NE(nullptr, s.get());
  nsCOMPtr<IThing> again = do_GetService(kSelfCID);
  EXPECT_EQ(s.get(), again.get());
}

TEST_F(ComponentManagerTest, UnregisteredFactoryAndContractAreGone) {
  nsCOMPtr<nsIComponentRegistrar> registrar = do_QueryInterface(mServiceManager);
  nsCOMPtr<nsIFactory> factory = new ThingFactory();
  ASSERT_EQ(NS_OK, registrar->RegisterFactory(kThingCID, "x", "@test/other;1", factory));
  nsCID cid = {};
  EXPECT_EQ(NS_OK, registrar->ContractIDToCID("@test/other;1", &cid));
  EXPECT_TRUE(cid.Equals(kThingCID));
  EXPECT_EQ(NS_OK, registrar->UnregisterFactory(kThingCID, factory));
  PRBool known = PR_TRUE;
  registrar->IsContractIDRegistered("@test/other;1", &known);
  EXPECT_FALSE(known);
  registrar->IsCIDRegistered(kThingCID, &known);
  EXPECT_FALSE(known);
}
