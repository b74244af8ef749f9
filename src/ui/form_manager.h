#pragma once
// The main window's controller: it owns the GRF list, the sprite totals and the window's
// flags, and carries the window's handlers.
#include <string>
#include <vector>

#include "model/grf_check_list.h"
#include "platform/platform.h"
#include "ui/manager_view.h"

namespace kestrav {

class TformManager {
 public:
  TformManager(Platform& platform, ManagerView& view);

  // Window lifecycle and list interactions.

  // Loading the list: probe, scan of newgrf, configuration merge, totals.
  void InitializeGrf();
  void CheckGrfFiles(std::vector<std::string>& lines);

  // Saving the list to the edition's configuration file.
  void butnGRFSaveClick();

  // The sprite totals: all entries, or the one entry at index just toggled.
  void CountAllSprites(bool fullRecount, int index);

  GrfCheckList listGrfFiles;

  bool fileChanged = false;
  bool quietSave = false;
  bool saveAccepted = true;

  int spritesTotal = 0;
  int spritesInactive = 0;

  // The last folder chosen with the main window's folder browser.
  std::string dlgBrowseLastDirectory;

  // When false the load leaves inactiveAvailable as it is instead of running the patch:
  // for callers that know the answer already.
  bool probePatchVersion = true;

  Platform& platform() { return platform_; }

 private:
  Platform& platform_;
  ManagerView& view_;
};

}  // namespace kestrav
