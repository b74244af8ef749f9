#include "ui/form_manager.h"

namespace kestrav {

TformManager::TformManager(Platform& platform, ManagerView& view) : platform_(platform), view_(view) {}

}  // namespace kestrav
