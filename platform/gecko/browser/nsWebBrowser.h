// nsWebBrowser.h - the HTML engine's components: web browser, document shell
// with its content viewer, native widget, window watcher. Internal; other
// code reaches them through the kit by their ids (nsIWebBrowser.h,
// nsIWidget.h, nsIWindowWatcher.h), which tw_gecko registers as built-in
// components.
#pragma once

#include "nsISupports.h"

nsresult NS_NewWebBrowser(nsISupports* outer, const nsIID& iid, void** result);
nsresult NS_NewNativeWidget(nsISupports* outer, const nsIID& iid, void** result);
nsresult NS_NewWindowWatcher(nsISupports* outer, const nsIID& iid, void** result);
