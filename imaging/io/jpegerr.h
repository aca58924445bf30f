// The error manager shared by the JPEG decoder and encoder.
//
// libjpeg reports a fatal error by calling error_exit, which must not return
// to the library. Every library call that can fail is made from a thin
// C-shaped function that arms Jump with setjmp just before the call and holds
// no object with a destructor; JpegErrorExit jumps back there, and only then,
// with the library's frames gone, does C++ code turn the failure into the
// Aborting flag or an EIEJpegException.
#pragma once

#include <atomic>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>

#include <jpeglib.h>

struct TIEJpegErrorMgr {
  jpeg_error_mgr pub;  // first, so the library's pointer is this record's
  // The caller's Aborting flag; null where no component waits on the work.
  std::atomic<bool>* Aborting;
  std::jmp_buf Jump;
  bool JumpArmed;
  int FailCode;         // library code of the error that left through Jump
  int LastWarningCode;  // library code of the last warning counted
};

// Fills the record: our routines, trace level 0, no message tables, the abort pointer.
void JpegInitErrorMgr(TIEJpegErrorMgr& mgr, std::atomic<bool>* aborting);

// The routines the library calls through the record.
// Raises the abort flag and leaves through Jump, except for "Application
// transferred too few scanlines", where it returns and the library goes on.
void JpegErrorExit(j_common_ptr cinfo);
// Counts warnings (level -1); nothing is displayed.
void JpegEmitMessage(j_common_ptr cinfo, int level);
void JpegResetErrorMgr(j_common_ptr cinfo);

// Calls fn(context) with Jump armed; false when the library failed in it
// (the code is then in FailCode). fn must hold nothing with a destructor:
// the error exit leaves its frames by longjmp.
bool JpegGuardedCall(TIEJpegErrorMgr& mgr, void (*fn)(void* context), void* context);

// Our message number for a library code: its place in the classic IJG list
// (0..123), -1 for a code that list lacks.
int32_t JpegMessageIndex(int libraryCode);
// Text of a message number, as the error exit reports it ("Corrupted" outside
// the list; parameters shown as "?").
std::string JpegMessageText(int32_t code);
