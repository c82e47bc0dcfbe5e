// nsXPCOM.h - starting and stopping the component kit.
//
// Contents: NS_InitXPCOM2, NS_ShutdownXPCOM, the accessors of the running
// managers, and the table of built-in components (nsStaticComponent,
// NS_AddStaticComponents, NS_STATIC_COMPONENTS).
//
// The kit is used from one thread (the user-interface thread).
#pragma once

#include "nsISupports.h"

class nsIServiceManager;
class nsIComponentManager;
class nsIComponentRegistrar;
class nsIFile;
class nsIDirectoryServiceProvider;

// Starts the kit: registers the built-in components and gives the service
// manager (an added reference, when result is not null). The directory and
// the provider are accepted for form and may be null. A second call while
// the kit runs gives the same manager and NS_OK.
nsresult NS_InitXPCOM2(nsIServiceManager** result, nsIFile* binDirectory,
                       nsIDirectoryServiceProvider* provider);
// Releases every service and forgets every factory. References to the
// managers stay valid objects, but their calls fail with
// NS_ERROR_NOT_INITIALIZED until the kit starts again.
nsresult NS_ShutdownXPCOM(nsIServiceManager* serviceManager);

// The running kit's managers (added references); NS_ERROR_NOT_INITIALIZED
// when it is not running.
nsresult NS_GetServiceManager(nsIServiceManager** result);
nsresult NS_GetComponentManager(nsIComponentManager** result);
nsresult NS_GetComponentRegistrar(nsIComponentRegistrar** result);

// ---- Built-in components --------------------------------------------------
// A layer that provides components (the HTML engine's web browser, widget and
// window watcher, for instance) describes them in a static table:
//
//   static const nsStaticComponent kComponents[] = {
//     {"Web browser", NS_WEBBROWSER_CID, NS_WEBBROWSER_CONTRACTID, &CreateWebBrowser},
//   };
//   NS_STATIC_COMPONENTS(gecko_browser, kComponents)
//
// Every table is registered with the component registrar each time the kit
// starts (and at once when it is already running). The constructor function
// creates an instance and queries it for iid, like nsIFactory::CreateInstance.
typedef nsresult (*nsStaticConstructor)(nsISupports* outer, const nsIID& iid,
                                        void** result);
struct nsStaticComponent {
  const char* className;
  nsCID cid;
  const char* contractID;  // may be null
  nsStaticConstructor constructor;
};

// Adds a table (kept by pointer: it must stay alive). Adding one table twice
// has no further effect.
void NS_AddStaticComponents(const nsStaticComponent* table, size_t count);

// Adds `table` during static initialisation and defines the C symbol
// tw_static_components_<name>. A static library must make sure the linker
// keeps the object file that holds it, for instance in CMake:
//   target_link_options(<lib> INTERFACE "LINKER:--undefined=tw_static_components_<name>")
#define NS_STATIC_COMPONENTS(name, table)                                    \
  extern "C" int tw_static_components_##name;                                \
  int tw_static_components_##name =                                          \
      (NS_AddStaticComponents(table, sizeof(table) / sizeof((table)[0])), 1);
