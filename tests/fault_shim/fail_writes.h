#pragma once
// The controls of the fault library (fail_writes.c). Tests look them up with
// dlsym(RTLD_DEFAULT, ...), so that a run without the library skips instead
// of failing to link.

#ifdef __cplusplus
extern "C" {
#endif

// Which calls fail once the fault has tripped.
enum {
  BORVIK_FAULT_WRITE = 1,   // write, pwrite, writev
  BORVIK_FAULT_SYNC = 2,    // fsync, fdatasync
  BORVIK_FAULT_CLOSE = 4,   // close (the descriptor is closed all the same)
  BORVIK_FAULT_RENAME = 8,  // rename, renameat
  BORVIK_FAULT_ALL = 15,
};

// Arms the fault: calls on paths containing `pathSubstring` fail with
// `error` once `afterBytes` bytes have been written to such paths. error 0
// disarms. Resets the hit count.
void borvik_fault_set(int error, const char* pathSubstring, long long afterBytes, int calls);
void borvik_fault_clear(void);
// How many calls have failed since borvik_fault_set.
long borvik_fault_hits(void);

#ifdef __cplusplus
}
#endif
