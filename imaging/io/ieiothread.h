// One background run of a TVovidErIO operation. A component in asynchronous
// mode whose target is not its own bitmap does not run a load or save itself:
// it creates a worker that calls the same operation again; on the worker the
// repeated call finds itself among the component's pending workers and does
// the work. The worker is pending from its construction (on the caller's
// thread, before the call returns) until it has run the operation and its
// notifications.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/classes/threads.h"

class TVovidErIO;

// Kinds of deferred call, by the shape of the operation's arguments.
enum TIEIOThreadKind : uint8_t {
  iotkFileName = 0,         // (file name)
  iotkFileNameInt = 1,      // (file name, integer)
  iotkStream = 2,           // (stream)
  iotkFileNameResult = 3,   // (file name) -> integer, dropped
  iotkStreamResult = 5,     // (stream) -> integer, dropped
  iotkFileNameFormat = 6,   // (file name, file type)
  iotkStreamFormat = 7,     // (stream, file type)
  iotkFrame = 9,            // (frame index)
  iotkMetafile = 10,        // (file name, width, height, with alpha)
  iotkURL = 11,             // (URL)
};

class TIEIOThread : public TThread {
  DX_CLASS(TIEIOThread, TThread)
public:
  // The call: the owner's operation with its arguments bound (a file name is
  // copied into it, a stream is only referenced and must outlive the worker).
  TIEIOThread(TVovidErIO& owner, TIEIOThreadKind kind, std::function<void()> call);

  TIEIOThreadKind Kind() const { return kind_; }
  // 0 until Execute starts, then the id of the thread that runs it.
  TThreadID WorkerThreadID() const { return workerID_.load(); }

protected:
  void Execute() override;

private:
  void AddToPending();

  TVovidErIO& owner_;
  TIEIOThreadKind kind_;
  std::function<void()> call_;
  std::atomic<TThreadID> workerID_{0};
};
