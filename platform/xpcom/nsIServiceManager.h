// nsIServiceManager.h - one shared instance per component class.
#pragma once

#include "nsISupports.h"

class nsIServiceManager : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x7369EBD5, 0x5474, 0x4E26, {0x92, 0x05, 0xDE, 0xDC, 0x2E, 0x0F, 0x54, 0x27}})

  // The service of the class, created by its factory at the first request and
  // kept until the kit shuts down; every caller gets the same instance.
  NS_IMETHOD GetService(const nsCID& cid, const nsIID& iid, void** result) = 0;
  // The contract id names the class; the service is still one per class id.
  NS_IMETHOD GetServiceByContractID(const char* contractID, const nsIID& iid,
                                    void** result) = 0;
  NS_IMETHOD IsServiceInstantiated(const nsCID& cid, const nsIID& iid,
                                   PRBool* result) = 0;
};
