#pragma once
// Making writes fail on purpose: the controls of the preloaded fault library
// (fault_shim/fail_writes.c) and the faults every write is tried against.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "fault_shim/fail_writes.h"

namespace borvik::testing {

class FaultLibrary {
 public:
  // The library's controls, or none when the test runs without it.
  static const FaultLibrary& Get() {
    static const FaultLibrary library;
    return library;
  }
  bool Loaded() const { return set_ != nullptr && clear_ != nullptr && hits_ != nullptr; }
  void Set(int error, const char* path, long long afterBytes, int calls) const {
    set_(error, path, afterBytes, calls);
  }
  void Clear() const { clear_(); }
  long Hits() const { return hits_(); }

 private:
  FaultLibrary() {
    Find("borvik_fault_set", set_);
    Find("borvik_fault_clear", clear_);
    Find("borvik_fault_hits", hits_);
  }
  template <typename Fn>
  static void Find(const char* name, Fn& fn) {
    void* symbol = ::dlsym(RTLD_DEFAULT, name);
    std::memcpy(&fn, &symbol, sizeof fn);
  }
  decltype(&borvik_fault_set) set_ = nullptr;
  decltype(&borvik_fault_clear) clear_ = nullptr;
  decltype(&borvik_fault_hits) hits_ = nullptr;
};

#define BORVIK_NEEDS_FAULT_LIBRARY()                                                         \
  do {                                                                                       \
    if (!::borvik::testing::FaultLibrary::Get().Loaded()) {                                  \
      GTEST_SKIP() << "run with LD_PRELOAD=" BORVIK_FAULT_SHIM " (ctest does) to make writes " \
                      "fail";                                                                \
    }                                                                                        \
  } while (false)

// One way for a write to fail.
struct Fault {
  const char* name;
  int error;
  int calls;             // BORVIK_FAULT_*
  long long afterBytes;  // written before it strikes

  friend void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }
};

// Each write of the program is tried against all of these. A disk fills up
// at once or in the middle of a file; a broken disk fails the write, the
// flush or the rename; network filesystems report either at close.
inline constexpr Fault kFaults[] = {
    {"NoSpace", ENOSPC, BORVIK_FAULT_WRITE, 0},
    {"NoSpaceMidway", ENOSPC, BORVIK_FAULT_WRITE, 20},
    {"NoSpaceAtClose", ENOSPC, BORVIK_FAULT_CLOSE, 0},
    {"IoErrorOnWrite", EIO, BORVIK_FAULT_WRITE, 0},
    {"IoErrorMidway", EIO, BORVIK_FAULT_WRITE, 20},
    {"IoErrorOnSync", EIO, BORVIK_FAULT_SYNC, 0},
    {"IoErrorAtClose", EIO, BORVIK_FAULT_CLOSE, 0},
    {"IoErrorOnRename", EIO, BORVIK_FAULT_RENAME, 0},
};

inline std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
  return info.param.name;
}

// A fault armed for the life of the object, on paths containing `path`.
class ArmedFault {
 public:
  ArmedFault(const Fault& fault, const char* path) {
    FaultLibrary::Get().Set(fault.error, path, fault.afterBytes, fault.calls);
  }
  ~ArmedFault() { FaultLibrary::Get().Clear(); }
  ArmedFault(const ArmedFault&) = delete;
  ArmedFault& operator=(const ArmedFault&) = delete;

  long Hits() const { return FaultLibrary::Get().Hits(); }
};

}  // namespace borvik::testing
