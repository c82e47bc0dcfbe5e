// nsIComponentRegistrar.h - makes factories known to the component manager.
#pragma once

#include "nsISupports.h"

class nsIFactory;

class nsIComponentRegistrar : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x13FB8486, 0x1EF0, 0x430A, {0x87, 0x49, 0x51, 0xC1, 0x52, 0xDC, 0x75, 0x90}})

  // Registers the factory of a class. The name is informative and may be
  // null; with a null contract id the class is reached by its id only. A class
  // id that already has a factory gives NS_ERROR_FACTORY_EXISTS; a contract id
  // already in use moves to the new class.
  NS_IMETHOD RegisterFactory(const nsCID& cid, const char* className,
                             const char* contractID, nsIFactory* factory) = 0;
  // Forgets the factory (and the contract ids that name the class).
  NS_IMETHOD UnregisterFactory(const nsCID& cid, nsIFactory* factory) = 0;
  NS_IMETHOD IsCIDRegistered(const nsCID& cid, PRBool* result) = 0;
  NS_IMETHOD IsContractIDRegistered(const char* contractID, PRBool* result) = 0;
  NS_IMETHOD ContractIDToCID(const char* contractID, nsCID* result) = 0;
};
