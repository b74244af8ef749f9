#pragma once
// The main window's controller: it owns the GRF list, the sprite totals and the window's
// flags, and carries the window's handlers.
#include <cstdint>
#include <string>
#include <vector>

#include "grf/grf_info.h"
#include "model/grf_check_list.h"
#include "platform/operation_error.h"
#include "platform/platform.h"
#include "ui/manager_view.h"

namespace kestrav {

class TformAbout;
class TformSettings;
class TformLog;

enum class MouseButton { Left, Right, Middle };

// What a close request leads to: the window is destroyed, or it stays.
enum class CloseAction { Free, None };

// A drag of the list's items starts this far from the press point, in either direction.
inline constexpr int kDragThreshold = 5;

class TformManager {
 public:
  TformManager(Platform& platform, ManagerView& view);
  virtual ~TformManager() = default;

  // Window lifecycle.

  // Before the window is first shown: its place and size from the settings, then the load.
  void FormCreate();
  // width: the window's outer width.
  void FormResize(int width);
  // Asks to save while the list has unsaved changes and stores the window's geometry on
  // every request. Returns whether the window may be destroyed now.
  CloseAction FormClose();
  void Exit1Click();

  // A menu item, its shortcut or the button over the list: runs the command's handler when
  // the command is enabled.
  void RunCommand(Command command);

  // The commands of the menu and the button. The two a double click chooses between are
  // virtual, so that a test sees which one ran.
  // Whether a file was installed (the console companion reports it).
  bool butnInstallGrfClick();
  void butnDeleteClick();
  void Settings1Click();
  virtual void butnFileInfoClick();
  virtual void butnParameterClick();
  void butnNotepadClick();
  void butnMakeLogClick();
  void Help1Click();
  void butnInfoClick();
  void butnRunClick();
  void butnSelectTTDdirClick();

  // The check list's handlers.
  void listGrfFilesClick();
  void listGrfFilesMouseDown(MouseButton button, int shift, int x, int y);
  void listGrfFilesClickCheck();
  bool listGrfFilesDragOver(const void* source, int x, int y);
  void listGrfFilesDragDrop(const void* source, int x, int y);
  void listGrfFilesDblClick();

  // The check list's own behaviour, fed by the window with the list's mouse and key
  // messages (x, y in the list's client coordinates). It selects, toggles, tracks a drag
  // and runs the handlers above in the list's order of events.
  void ListButtonDown(MouseButton button, int x, int y, bool doubleClick);
  void ListMouseMove(int x, int y, bool leftHeld);
  // overList: the button went up over the list window (its client area or its frame).
  void ListLeftButtonUp(int x, int y, bool overList);
  // Escape, a lost mouse capture: the drag ends without a drop.
  void ListCancelDrag();
  void ListSpaceKey();
  // The keyboard moved the selection to index.
  void ListKeyboardSelect(int index);

  // Loading the list: probe, scan of newgrf, configuration merge, totals.
  void InitializeGrf();
  void CheckGrfFiles(std::vector<std::string>& lines);

  // Saving the list to the edition's configuration file.
  void butnGRFSaveClick();

  // The sprite totals: all entries, or the one entry at index just toggled.
  void CountAllSprites(bool fullRecount, int index);

  // Copies source (a full path) into newgrf, offers to delete it and puts it on the list;
  // false when it could not be copied.
  bool InstallGrf(const std::string& source);

  GrfCheckList listGrfFiles;

  bool fileChanged = false;
  bool quietSave = false;
  bool saveAccepted = true;
  // The last load stopped with an error: the list is not the player's, and nothing may write
  // the configuration file until a load succeeds.
  bool loadFailed = false;

  bool checkClicked = false;
  bool dblClickHandled = false;
  int dragIndex = -1;

  int spritesTotal = 0;
  int spritesInactive = 0;
  // The active sprites, spritesTotal less spritesInactive, without overflow.
  std::int64_t ActiveSprites() const { return std::int64_t{spritesTotal} - spritesInactive; }
  // The analyses of the last full recount, one per entry of the list then (an entry it did
  // not analyse, Off or missing, has opened false): for the checks of the list, so of the
  // Action 8 records each keeps only the last.
  std::vector<GrfInfo> recountInfos;

  // The forms that live beside the main window, set by their owner once they exist. A
  // command whose form is absent (the console companion has none) does nothing.
  TformAbout* formAbout = nullptr;
  TformSettings* formSettings = nullptr;
  TformLog* formLog = nullptr;

  // The last folder chosen with the main window's folder browser.
  std::string dlgBrowseLastDirectory;

  // When false the load leaves inactiveAvailable as it is instead of running the patch:
  // for callers that know the answer already.
  bool probePatchVersion = true;

  Platform& platform() { return platform_; }

 private:
  WindowBounds StartingBounds();
  void ShowError(const OperationError& error);
  void UpdateSelectionCommands();
  void SetSelectionCommandsEnabled(bool enabled);

  Platform& platform_;
  ManagerView& view_;
  // A drag prepared by a left press: where the press was and whether the pointer has
  // moved far enough for the drag to run.
  bool dragPrepared_ = false;
  bool dragging_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
};

}  // namespace kestrav
