#pragma once
// The main window's controller: it owns the GRF list, the sprite totals and the window's
// flags, and carries the window's handlers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grf/grf_info.h"
#include "grf/list_check.h"
#include "model/grf_check_list.h"
#include "platform/operation_error.h"
#include "platform/platform.h"
#include "ui/list_markers.h"
#include "ui/manager_view.h"

namespace kestrav {

class TformAbout;
class TformSettings;
class TformLog;

enum class MouseButton { Left, Right, Middle };

// What a close request leads to: the window is destroyed, or it stays.
enum class CloseAction { Free, None };

// What a save came to.
enum class SaveOutcome {
  Written,              // the edition's configuration file holds the list
  NotLoaded,            // the last load failed: nothing of the player's to write
  SpriteLimitDeclined,  // No to the sprite-limit question
  OverwriteDeclined,    // No to replacing the configuration file
  EditionUnknown,       // no game whose edition decides the file's name
};

// The file information of an entry: the report, or what the window shows instead.
struct FileInformation {
  bool found = false;  // text is the report; otherwise the error's text
  std::string text;
};

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
  // What butnFileInfoClick shows for the entry at index.
  FileInformation FileInformationOf(int index);
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
  SaveOutcome butnGRFSaveClick();

  // The sprite totals: all entries, or the one entry at index just toggled.
  void CountAllSprites(bool fullRecount, int index);

  // Copies source (a full path) into newgrf, offers to delete it and puts it on the list;
  // false when it could not be copied.
  bool InstallGrf(const std::string& source);

  // Files dropped on the window from the file manager (full paths, in the order given): each
  // GRF file is installed in turn as Add installs the file chosen in its open dialog; a folder
  // or another file is refused with a warning. Nothing happens while Add is disabled.
  void FormDropFiles(const std::vector<std::string>& paths);

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
  // The analysis of each item, in list order, as the recounts last read its file: an item
  // no recount has read (Off since the load, missing, just installed) has opened false.
  const std::vector<GrfInfo>& Analyses();
  // What the patch will refuse or override in the items, from their analyses.
  std::vector<ListFinding> ItemFindings();
  // The marker of each item, in list order, as the view was last given them.
  const std::vector<ItemMarker>& Markers() const { return markers_; }

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
  // Add after its open dialog: the refusal of the game's own files, the date questions and
  // InstallGrf.
  bool InstallChosenGrf(const std::string& chosen);
  WindowBounds StartingBounds();
  void ShowError(const OperationError& error);
  void UpdateSelectionCommands();
  void SetSelectionCommandsEnabled(bool enabled);
  // The items change together with their analyses, so that each analysis stays with its
  // item; the markers follow every change.
  void AddItem(const std::string& text, GrfState state);
  void RemoveItem(int index);
  void MoveItem(int from, int to);
  void UpdateMarkers();

  Platform& platform_;
  ManagerView& view_;
  std::vector<GrfInfo> analyses_;
  // The edition of the configuration file the last load read, for the conditions on it.
  std::optional<TtdEdition> configEdition_;
  std::vector<ItemMarker> markers_;
  // A drag prepared by a left press: where the press was and whether the pointer has
  // moved far enough for the drag to run.
  bool dragPrepared_ = false;
  bool dragging_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
};

}  // namespace kestrav
