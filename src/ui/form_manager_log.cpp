// The main window's command that opens the log creator.
#include "log/form_log.h"
#include "ui/form_manager.h"

namespace kestrav {

void TformManager::butnMakeLogClick() {
  if (formLog) formLog->ShowModal(listGrfFiles.Count());
}

}  // namespace kestrav
