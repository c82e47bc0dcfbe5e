// The component manager, service manager and registrar of the kit: one
// object, created by NS_InitXPCOM2.
#include "nsXPCOM.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "nsCOMPtr.h"
#include "nsIComponentManager.h"
#include "nsIComponentRegistrar.h"
#include "nsIFactory.h"
#include "nsIServiceManager.h"

// Registers the kit's own components (the IO service); in nsIOService.cpp.
void NS_RegisterKitComponents();

namespace {

// A factory over a constructor function of a static table.
class StaticFactory final : public nsIFactory {
 public:
  explicit StaticFactory(nsStaticConstructor ctor) : mCtor(ctor) {}
  NS_DECL_ISUPPORTS
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid,
                            void** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    return mCtor(outer, iid, result);
  }
  NS_IMETHOD LockFactory(PRBool) override { return NS_OK; }

 private:
  ~StaticFactory() = default;
  nsStaticConstructor mCtor;
};
NS_IMPL_ISUPPORTS1(StaticFactory, nsIFactory)

class ComponentManager final : public nsIComponentManager,
                               public nsIServiceManager,
                               public nsIComponentRegistrar {
 public:
  NS_DECL_ISUPPORTS

  // nsIComponentManager
  NS_IMETHOD GetClassObject(const nsCID& cid, const nsIID& iid, void** result) override;
  NS_IMETHOD GetClassObjectByContractID(const char* contractID, const nsIID& iid,
                                        void** result) override;
  NS_IMETHOD CreateInstance(const nsCID& cid, nsISupports* outer, const nsIID& iid,
                            void** result) override;
  NS_IMETHOD CreateInstanceByContractID(const char* contractID, nsISupports* outer,
                                        const nsIID& iid, void** result) override;
  // nsIServiceManager
  NS_IMETHOD GetService(const nsCID& cid, const nsIID& iid, void** result) override;
  NS_IMETHOD GetServiceByContractID(const char* contractID, const nsIID& iid,
                                    void** result) override;
  NS_IMETHOD IsServiceInstantiated(const nsCID& cid, const nsIID& iid,
                                   PRBool* result) override;
  // nsIComponentRegistrar
  NS_IMETHOD RegisterFactory(const nsCID& cid, const char* className,
                             const char* contractID, nsIFactory* factory) override;
  NS_IMETHOD UnregisterFactory(const nsCID& cid, nsIFactory* factory) override;
  NS_IMETHOD IsCIDRegistered(const nsCID& cid, PRBool* result) override;
  NS_IMETHOD IsContractIDRegistered(const char* contractID, PRBool* result) override;
  NS_IMETHOD ContractIDToCID(const char* contractID, nsCID* result) override;

  bool mRunning = false;
  void Shutdown();

 private:
  ~ComponentManager() { Shutdown(); }
  nsresult LookUpContract(const char* contractID, nsCID& cid);

  std::map<nsCID, nsCOMPtr<nsIFactory>> mFactories;
  std::map<std::string, nsCID> mContracts;
  std::map<nsCID, nsCOMPtr<nsISupports>> mServices;
  std::set<nsCID> mServicesInConstruction;
};

NS_IMPL_ADDREF(ComponentManager)
NS_IMPL_RELEASE(ComponentManager)
NS_IMPL_QI_BEGIN(ComponentManager)
NS_IMPL_QI_ENTRY(nsIComponentManager)
NS_IMPL_QI_ENTRY(nsIServiceManager)
NS_IMPL_QI_ENTRY(nsIComponentRegistrar)
NS_IMPL_QI_END(nsIComponentManager)

ComponentManager* gManager = nullptr;  // holds one reference while running

struct StaticTables {
  std::vector<std::pair<const nsStaticComponent*, size_t>> tables;
};
StaticTables& Tables() {
  static StaticTables t;  // built on first use: tables are added at static init
  return t;
}

void RegisterTable(ComponentManager* cm, const nsStaticComponent* table, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (!table[i].constructor) continue;
    nsCOMPtr<nsIFactory> f = new StaticFactory(table[i].constructor);
    cm->RegisterFactory(table[i].cid, table[i].className, table[i].contractID, f);
  }
}

#define ENSURE_RUNNING() \
  do { if (!mRunning) return NS_ERROR_NOT_INITIALIZED; } while (0)

}  // namespace

nsresult ComponentManager::LookUpContract(const char* contractID, nsCID& cid) {
  if (!contractID) return NS_ERROR_NULL_POINTER;
  auto it = mContracts.find(contractID);
  if (it == mContracts.end()) return NS_ERROR_FACTORY_NOT_REGISTERED;
  cid = it->second;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::GetClassObject(const nsCID& cid, const nsIID& iid,
                                               void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  auto it = mFactories.find(cid);
  if (it == mFactories.end()) return NS_ERROR_FACTORY_NOT_REGISTERED;
  return it->second->QueryInterface(iid, result);
}

NS_IMETHODIMP ComponentManager::GetClassObjectByContractID(const char* contractID,
                                                           const nsIID& iid,
                                                           void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  nsCID cid;
  nsresult rv = LookUpContract(contractID, cid);
  return NS_FAILED(rv) ? rv : GetClassObject(cid, iid, result);
}

NS_IMETHODIMP ComponentManager::CreateInstance(const nsCID& cid, nsISupports* outer,
                                               const nsIID& iid, void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  auto it = mFactories.find(cid);
  if (it == mFactories.end()) return NS_ERROR_FACTORY_NOT_REGISTERED;
  nsCOMPtr<nsIFactory> factory = it->second;  // the call may unregister it
  nsresult rv = factory->CreateInstance(outer, iid, result);
  if (NS_FAILED(rv)) *result = nullptr;
  else if (!*result) rv = NS_ERROR_FAILURE;
  return rv;
}

NS_IMETHODIMP ComponentManager::CreateInstanceByContractID(const char* contractID,
                                                           nsISupports* outer,
                                                           const nsIID& iid,
                                                           void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  nsCID cid;
  nsresult rv = LookUpContract(contractID, cid);
  return NS_FAILED(rv) ? rv : CreateInstance(cid, outer, iid, result);
}

NS_IMETHODIMP ComponentManager::GetService(const nsCID& cid, const nsIID& iid,
                                           void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  auto it = mServices.find(cid);
  if (it != mServices.end()) return it->second->QueryInterface(iid, result);
  // A service whose construction asks for itself would recurse for ever.
  if (mServicesInConstruction.count(cid)) return NS_ERROR_NOT_AVAILABLE;
  mServicesInConstruction.insert(cid);
  nsCOMPtr<nsISupports> instance;
  nsresult rv = CreateInstance(cid, nullptr, NS_GET_IID(nsISupports),
                               getter_AddRefs(instance));
  mServicesInConstruction.erase(cid);
  if (NS_FAILED(rv)) return rv;
  if (!mRunning) return NS_ERROR_NOT_INITIALIZED;  // shut down meanwhile
  // The construction may have made the service already (through another id).
  auto again = mServices.find(cid);
  if (again != mServices.end()) return again->second->QueryInterface(iid, result);
  rv = instance->QueryInterface(iid, result);
  if (NS_FAILED(rv)) return rv;  // not kept: the next request tries again
  mServices[cid] = instance;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::GetServiceByContractID(const char* contractID,
                                                       const nsIID& iid,
                                                       void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  ENSURE_RUNNING();
  nsCID cid;
  nsresult rv = LookUpContract(contractID, cid);
  return NS_FAILED(rv) ? rv : GetService(cid, iid, result);
}

NS_IMETHODIMP ComponentManager::IsServiceInstantiated(const nsCID& cid,
                                                      const nsIID& iid,
                                                      PRBool* result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = PR_FALSE;
  ENSURE_RUNNING();
  auto it = mServices.find(cid);
  if (it == mServices.end()) return NS_OK;
  nsCOMPtr<nsISupports> probe;
  if (NS_SUCCEEDED(it->second->QueryInterface(iid, getter_AddRefs(probe))))
    *result = PR_TRUE;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::RegisterFactory(const nsCID& cid, const char*,
                                                const char* contractID,
                                                nsIFactory* factory) {
  NS_ENSURE_ARG_POINTER(factory);
  ENSURE_RUNNING();
  if (mFactories.count(cid)) return NS_ERROR_FACTORY_EXISTS;
  mFactories[cid] = factory;
  if (contractID && *contractID) mContracts[contractID] = cid;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::UnregisterFactory(const nsCID& cid,
                                                  nsIFactory* factory) {
  ENSURE_RUNNING();
  auto it = mFactories.find(cid);
  if (it == mFactories.end() || (factory && it->second.get() != factory))
    return NS_ERROR_FACTORY_NOT_REGISTERED;
  nsCOMPtr<nsIFactory> keep = it->second;  // released after the maps are consistent
  mFactories.erase(it);
  for (auto c = mContracts.begin(); c != mContracts.end();) {
    if (c->second == cid) c = mContracts.erase(c);
    else ++c;
  }
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::IsCIDRegistered(const nsCID& cid, PRBool* result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = PR_FALSE;
  ENSURE_RUNNING();
  *result = mFactories.count(cid) ? PR_TRUE : PR_FALSE;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::IsContractIDRegistered(const char* contractID,
                                                       PRBool* result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = PR_FALSE;
  ENSURE_RUNNING();
  nsCID cid;
  *result = NS_SUCCEEDED(LookUpContract(contractID, cid)) ? PR_TRUE : PR_FALSE;
  return NS_OK;
}

NS_IMETHODIMP ComponentManager::ContractIDToCID(const char* contractID, nsCID* result) {
  NS_ENSURE_ARG_POINTER(result);
  ENSURE_RUNNING();
  return LookUpContract(contractID, *result);
}

void ComponentManager::Shutdown() {
  mRunning = false;
  // Moved out first: a service's destructor may call back into the manager.
  auto services = std::move(mServices);
  auto factories = std::move(mFactories);
  mServices.clear();
  mFactories.clear();
  mContracts.clear();
  services.clear();
  factories.clear();
}

// ---- Entry points ---------------------------------------------------------

nsresult NS_InitXPCOM2(nsIServiceManager** result, nsIFile*,
                       nsIDirectoryServiceProvider*) {
  if (result) *result = nullptr;
  if (!gManager) {
    NS_RegisterKitComponents();
    ComponentManager* cm = new ComponentManager();
    cm->AddRef();
    cm->mRunning = true;
    for (auto& t : Tables().tables) RegisterTable(cm, t.first, t.second);
    gManager = cm;
  }
  if (result) {
    *result = static_cast<nsIServiceManager*>(gManager);
    (*result)->AddRef();
  }
  return NS_OK;
}

nsresult NS_ShutdownXPCOM(nsIServiceManager*) {
  ComponentManager* cm = gManager;
  if (!cm) return NS_ERROR_NOT_INITIALIZED;
  gManager = nullptr;
  cm->Shutdown();
  cm->Release();
  return NS_OK;
}

namespace {

// The running manager seen through one of its interfaces, with a reference
// for the caller; null and NS_ERROR_NOT_INITIALIZED when the kit is down.
template <class Interface>
nsresult HandOutManager(Interface** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = gManager;
  if (!gManager) return NS_ERROR_NOT_INITIALIZED;
  gManager->AddRef();
  return NS_OK;
}

}  // namespace

nsresult NS_GetServiceManager(nsIServiceManager** result) { return HandOutManager(result); }

nsresult NS_GetComponentManager(nsIComponentManager** result) { return HandOutManager(result); }

nsresult NS_GetComponentRegistrar(nsIComponentRegistrar** result) {
  return HandOutManager(result);
}

void NS_AddStaticComponents(const nsStaticComponent* table, size_t count) {
  if (!table || count == 0) return;
  auto& tables = Tables().tables;
  for (auto& t : tables)
    if (t.first == table) return;
  tables.emplace_back(table, count);
  if (gManager) RegisterTable(gManager, table, count);
}

nsresult nsComponentManager::CreateInstance(const nsCID& cid, nsISupports* outer,
                                            const nsIID& iid, void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  if (!gManager) return NS_ERROR_NOT_INITIALIZED;
  return gManager->CreateInstance(cid, outer, iid, result);
}

nsresult nsComponentManager::CreateInstance(const char* contractID, nsISupports* outer,
                                            const nsIID& iid, void** result) {
  NS_ENSURE_ARG_POINTER(result);
  *result = nullptr;
  if (!gManager) return NS_ERROR_NOT_INITIALIZED;
  return gManager->CreateInstanceByContractID(contractID, outer, iid, result);
}
