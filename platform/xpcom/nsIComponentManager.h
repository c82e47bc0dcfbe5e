// nsIComponentManager.h - creates component instances by class or contract id.
//
// Contents: nsIComponentManager, and nsComponentManager::CreateInstance, the
// static shortcut through the running kit's component manager.
#pragma once

#include "nsISupports.h"

class nsIComponentManager : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x2B0ADCA3, 0xADD2, 0x47B3, {0xA4, 0x22, 0x66, 0xBB, 0x2D, 0xC8, 0x89, 0xAF}})

  // The class's factory queried for iid (normally nsIFactory).
  NS_IMETHOD GetClassObject(const nsCID& cid, const nsIID& iid, void** result) = 0;
  NS_IMETHOD GetClassObjectByContractID(const char* contractID, const nsIID& iid,
                                        void** result) = 0;
  // A new instance, queried for iid. NS_ERROR_FACTORY_NOT_REGISTERED for an
  // unknown class.
  NS_IMETHOD CreateInstance(const nsCID& cid, nsISupports* outer, const nsIID& iid,
                            void** result) = 0;
  NS_IMETHOD CreateInstanceByContractID(const char* contractID, nsISupports* outer,
                                        const nsIID& iid, void** result) = 0;
};

class nsComponentManager {
 public:
  // NS_ERROR_NOT_INITIALIZED while the kit is not running.
  static nsresult CreateInstance(const nsCID& cid, nsISupports* outer,
                                 const nsIID& iid, void** result);
  static nsresult CreateInstance(const char* contractID, nsISupports* outer,
                                 const nsIID& iid, void** result);
};
