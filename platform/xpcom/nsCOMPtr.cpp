#include "nsCOMPtr.h"

#include "nsIComponentManager.h"
#include "nsIInterfaceRequestor.h"
#include "nsIServiceManager.h"
#include "nsXPCOM.h"

namespace {

nsresult Report(nsresult rv, nsresult* error) {
  if (error) *error = rv;
  return rv;
}

}  // namespace

nsresult nsQueryInterface::operator()(const nsIID& iid, void** result) const {
  *result = nullptr;
  if (!mSource) return Report(NS_ERROR_NULL_POINTER, mError);
  return Report(mSource->QueryInterface(iid, result), mError);
}

nsresult nsGetServiceByCID::operator()(const nsIID& iid, void** result) const {
  *result = nullptr;
  nsCOMPtr<nsIServiceManager> sm;
  nsresult rv = NS_GetServiceManager(getter_AddRefs(sm));
  if (NS_SUCCEEDED(rv)) rv = sm->GetService(mCID, iid, result);
  return Report(rv, mError);
}

nsresult nsGetServiceByContractID::operator()(const nsIID& iid, void** result) const {
  *result = nullptr;
  nsCOMPtr<nsIServiceManager> sm;
  nsresult rv = NS_GetServiceManager(getter_AddRefs(sm));
  if (NS_SUCCEEDED(rv)) rv = sm->GetServiceByContractID(mContractID, iid, result);
  return Report(rv, mError);
}

nsresult nsCreateInstanceByCID::operator()(const nsIID& iid, void** result) const {
  return Report(nsComponentManager::CreateInstance(mCID, mOuter, iid, result), mError);
}

nsresult nsCreateInstanceByContractID::operator()(const nsIID& iid,
                                                  void** result) const {
  return Report(nsComponentManager::CreateInstance(mContractID, mOuter, iid, result),
                mError);
}

nsresult nsGetInterface::operator()(const nsIID& iid, void** result) const {
  *result = nullptr;
  if (!mSource) return Report(NS_ERROR_NULL_POINTER, mError);
  nsCOMPtr<nsIInterfaceRequestor> requestor = do_QueryInterface(mSource);
  nsresult rv = requestor ? requestor->GetInterface(iid, result) : NS_NOINTERFACE;
  if (NS_FAILED(rv)) *result = nullptr;
  return Report(rv, mError);
}
