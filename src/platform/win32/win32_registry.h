#pragma once
#include "platform/registry.h"

namespace kestrav {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUser(const std::string& path, bool create) override;
};

}  // namespace kestrav
