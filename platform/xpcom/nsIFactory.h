// nsIFactory.h - creates instances of one component class.
#pragma once

#include "nsISupports.h"

class nsIFactory : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x9E4186FF, 0xC93A, 0x4113, {0x8D, 0xEE, 0x63, 0x5D, 0x1F, 0x4E, 0x14, 0x53}})

  // slot 3: a new instance queried for iid. An outer object the class cannot
  // aggregate gives NS_ERROR_NO_AGGREGATION.
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) = 0;
  // slot 4
  NS_IMETHOD LockFactory(PRBool lock) = 0;
};
