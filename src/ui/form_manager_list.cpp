// The check list listGrfFiles: selection, the check box cycle, dragging its own items, the
// double click and the right button. The window reports mouse and key messages; the order
// in which the handlers run here is the one the three flags rely on.
#include <cstdlib>

#include "environment/settings_store.h"
#include "ui/form_manager.h"

namespace kestrav {

void TformManager::SetSelectionCommandsEnabled(bool enabled) {
  for (const Command command : {Command::Delete, Command::FileInfo, Command::Parameter}) {
    view_.SetCommandEnabled(command, enabled);
  }
}

void TformManager::UpdateSelectionCommands() { SetSelectionCommandsEnabled(listGrfFiles.Selected() >= 0); }

void TformManager::listGrfFilesClick() { UpdateSelectionCommands(); }

void TformManager::listGrfFilesMouseDown(MouseButton button, int /*shift*/, int x, int y) {
  dragIndex = -1;
  dragPrepared_ = false;
  if (button == MouseButton::Left && !dblClickHandled) {
    const int index = view_.ItemAtPoint(x, y, false);
    if (index >= 0) {
      dragIndex = index;
      dragPrepared_ = true;
      pressX_ = x;
      pressY_ = y;
    }
  }
  if (dblClickHandled) dblClickHandled = false;
  if (button == MouseButton::Right) {
    const int index = view_.ItemAtPoint(x, y, false);
    if (index >= 0) {
      listGrfFiles.Select(index);
      view_.ListChanged();
    }
  }
  UpdateSelectionCommands();
}

void TformManager::listGrfFilesClickCheck() {
  checkClicked = true;
  ListCancelDrag();
  const int selected = listGrfFiles.Selected();
  if (selected >= 0) {
    CountAllSprites(false, selected);
    fileChanged = true;
    SetSelectionCommandsEnabled(true);
  } else {
    SetSelectionCommandsEnabled(false);
  }
  checkClicked = true;
}

bool TformManager::listGrfFilesDragOver(const void* source, int /*x*/, int /*y*/) { return source == &listGrfFiles; }

void TformManager::listGrfFilesDragDrop(const void* source, int x, int y) {
  if (source != &listGrfFiles || dragIndex < 0 || dragIndex >= listGrfFiles.Count()) return;
  const int target = view_.ItemAtPoint(x, y, true);
  const int last = listGrfFiles.Count() - 1;
  MoveItem(dragIndex, target >= 0 && target <= last ? target : last);
  fileChanged = true;
  UpdateMarkers();
  view_.ListChanged();
}

void TformManager::listGrfFilesDblClick() {
  if (!checkClicked) {
    dblClickHandled = true;
    bool parameters = false;
    {
      SettingsStore settings(platform_.registry);
      settings.Open(true);
      parameters = settings.ReadFlag(setting::kDoubleClickAction);
    }
    RunCommand(parameters ? Command::Parameter : Command::FileInfo);
  }
  checkClicked = false;
}

void TformManager::ListButtonDown(MouseButton button, int x, int y, bool doubleClick) {
  if (!listGrfFiles.enabled) return;
  if (button != MouseButton::Left) {
    listGrfFilesMouseDown(button, 0, x, y);
    return;
  }
  const int index = view_.ItemAtPoint(x, y, false);
  if (doubleClick) {
    listGrfFilesDblClick();
  } else if (index >= 0 && index != listGrfFiles.Selected()) {
    listGrfFiles.Select(index);
    view_.ListChanged();
    listGrfFilesClick();
  }
  listGrfFilesMouseDown(MouseButton::Left, 0, x, y);
  // The list may have changed under a dialog of the double click.
  if (index >= 0 && index < listGrfFiles.Count() && view_.InCheckBox(x, y)) {
    if (index != listGrfFiles.Selected()) {
      listGrfFiles.Select(index);
      listGrfFilesClick();
    }
    listGrfFiles.Toggle(index);
    view_.ListChanged();
    listGrfFilesClickCheck();
  }
}

void TformManager::ListMouseMove(int x, int y, bool leftHeld) {
  if (!dragPrepared_ || dragging_) return;
  if (!leftHeld) {
    dragPrepared_ = false;
    return;
  }
  if (std::abs(x - pressX_) >= kDragThreshold || std::abs(y - pressY_) >= kDragThreshold) {
    dragging_ = true;
    view_.DragStarted();
  }
}

void TformManager::ListLeftButtonUp(int x, int y, bool overList) {
  const bool dropped = dragging_ && overList;
  ListCancelDrag();
  if (dropped && listGrfFilesDragOver(&listGrfFiles, x, y)) listGrfFilesDragDrop(&listGrfFiles, x, y);
}

void TformManager::ListCancelDrag() {
  const bool wasDragging = dragging_;
  dragPrepared_ = false;
  dragging_ = false;
  if (wasDragging) view_.DragEnded();
}

void TformManager::ListSpaceKey() {
  const int selected = listGrfFiles.Selected();
  if (!listGrfFiles.enabled || selected < 0) return;
  listGrfFiles.Toggle(selected);
  view_.ListChanged();
  listGrfFilesClickCheck();
}

void TformManager::ListKeyboardSelect(int index) {
  if (!listGrfFiles.enabled || index < -1 || index >= listGrfFiles.Count() || index == listGrfFiles.Selected()) return;
  listGrfFiles.Select(index);
  view_.ListChanged();
  listGrfFilesClick();
}

}  // namespace kestrav
