// The HTML engine's built-in components, registered whenever the kit starts.
#include "nsIWebBrowser.h"
#include "nsIWidget.h"
#include "nsIWindowWatcher.h"
#include "nsWebBrowser.h"
#include "nsXPCOM.h"

namespace {
const nsStaticComponent kGeckoComponents[] = {
    {"Web browser", NS_WEBBROWSER_CID, NS_WEBBROWSER_CONTRACTID, &NS_NewWebBrowser},
    {"Native widget", NS_NATIVE_WIDGET_CID, nullptr, &NS_NewNativeWidget},
    {"Window watcher", NS_WINDOWWATCHER_CID, NS_WINDOWWATCHER_CONTRACTID, &NS_NewWindowWatcher},
};
}  // namespace

NS_STATIC_COMPONENTS(gecko_browser, kGeckoComponents)
