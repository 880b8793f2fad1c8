// A buffer whose second page traps the first write into it: the trap runs an action and then
// lets the write go through. A test uses it to act at an exact point inside a call that gives
// no other hook, such as a block loop writing its outputs: the write is the frame's last step,
// so the action falls between two frames of one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#if defined(_WIN32)
#include <windows.h>
#else
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

class WriteTrap {
 public:
  // floatsBefore floats lie before the trapped page, floatsAfter from its start on.
  WriteTrap(size_t floatsBefore, size_t floatsAfter, std::function<void()> action)
      : action_(std::move(action)) {
    page_ = pageSize();
    before_ = (floatsBefore * sizeof(float) + page_ - 1) / page_ * page_;
    const size_t after = (floatsAfter * sizeof(float) + page_ - 1) / page_ * page_;
    bytes_ = before_ + after;
    base_ = static_cast<char*>(reserve(bytes_));
    data_ = reinterpret_cast<float*>(base_ + before_) - floatsBefore;
    current() = this;
    install();
    setWritable(false);
  }
  ~WriteTrap() {
    uninstall();
    current() = nullptr;
    release(base_, bytes_);
  }
  WriteTrap(const WriteTrap&) = delete;
  WriteTrap& operator=(const WriteTrap&) = delete;

  // floatsBefore + floatsAfter floats; the trapped page starts at data() + floatsBefore.
  float* data() { return data_; }
  bool sprung() const { return sprung_; }

 private:
  // True when the faulting address is the trapped page's, which the trap then opens.
  bool spring(const void* address) {
    const char* at = static_cast<const char*>(address);
    if (sprung_ || at < base_ + before_ || at >= base_ + bytes_) return false;
    sprung_ = true;
    action_();
    setWritable(true);
    return true;
  }

  static WriteTrap*& current() {
    static WriteTrap* trap = nullptr;
    return trap;
  }

#if defined(_WIN32)
  static size_t pageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
  }
  static void* reserve(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  }
  static void release(void* base, size_t) { VirtualFree(base, 0, MEM_RELEASE); }
  void setWritable(bool writable) {
    DWORD old;
    VirtualProtect(base_ + before_, bytes_ - before_, writable ? PAGE_READWRITE : PAGE_READONLY,
                   &old);
  }
  static LONG CALLBACK handler(EXCEPTION_POINTERS* e) {
    const EXCEPTION_RECORD* r = e->ExceptionRecord;
    if (r->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && r->NumberParameters >= 2 && current() &&
        current()->spring(reinterpret_cast<const void*>(r->ExceptionInformation[1])))
      return EXCEPTION_CONTINUE_EXECUTION;
    return EXCEPTION_CONTINUE_SEARCH;
  }
  void install() { handle_ = AddVectoredExceptionHandler(1, handler); }
  void uninstall() { RemoveVectoredExceptionHandler(handle_); }
  void* handle_ = nullptr;
#else
  static size_t pageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }
  static void* reserve(size_t bytes) {
    return mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  }
  static void release(void* base, size_t bytes) { munmap(base, bytes); }
  void setWritable(bool writable) {
    mprotect(base_ + before_, bytes_ - before_, writable ? PROT_READ | PROT_WRITE : PROT_READ);
  }
  static struct sigaction& previous() {
    static struct sigaction action {};
    return action;
  }
  static void handler(int, siginfo_t* info, void*) {
    // Any other fault is a real one: back to the previous handling, which reports it when the
    // faulting instruction runs again.
    if (!current() || !current()->spring(info->si_addr)) sigaction(SIGSEGV, &previous(), nullptr);
  }
  void install() {
    struct sigaction action {};
    action.sa_sigaction = handler;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, &previous());
  }
  void uninstall() { sigaction(SIGSEGV, &previous(), nullptr); }
#endif

  std::function<void()> action_;
  size_t page_ = 0, before_ = 0, bytes_ = 0;
  char* base_ = nullptr;
  float* data_ = nullptr;
  bool sprung_ = false;
};
