// The module's entry point. Start-up itself waits for the host's first call (see App()).
#include <windows.h>

#include "app/driver_ui_app.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    qxge::SetAppModule(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Only on an explicit unload: at process exit the libraries go with the process.
    qxge::StopApp();
  }
  return TRUE;
}
