#include "editor/shell_linux.h"

#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>

#include "editor/module_directory.h"

extern char** environ;

namespace {

// Started programs not yet collected; a host that reaps children itself leaves them ended.
constexpr int kLaunchSlots = 16;
pid_t launched[kLaunchSlots];

}  // namespace

void openWithDesktop(const char* target) {
  reapLaunchedPrograms();
  int slot = 0;
  while (slot < kLaunchSlots && launched[slot] != 0) ++slot;
  if (slot == kLaunchSlots) return;
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return;
  // The host may block or ignore signals its children should see as usual.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  char program[] = "xdg-open";
  char* arguments[] = {program, const_cast<char*>(target), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, &attributes, arguments, environ) == 0) {
    launched[slot] = child;
  }
  posix_spawnattr_destroy(&attributes);
}

void reapLaunchedPrograms() {
  for (pid_t& child : launched) {
    if (child != 0 && waitpid(child, nullptr, WNOHANG) != 0) child = 0;
  }
}

void readModuleDirectory() {
  Dl_info info;
  moduleDirectory[0] = '\0';
  if (dladdr(reinterpret_cast<void*>(&readModuleDirectory), &info) == 0 || !info.dli_fname) return;
  const size_t length = strnlen(info.dli_fname, kModuleFileNameLimit - 1);
  std::memcpy(moduleDirectory, info.dli_fname, length);
  moduleDirectory[length] = '\0';
  cutToDirectory(moduleDirectory);
}
