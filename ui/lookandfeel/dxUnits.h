// The start-up and shut-down of a library's units: one explicit table of rows
// in start-up order, each with the unit's start and stop routine (either may be
// null while the unit has nothing to do). Nothing registers itself from a
// static object.
//
// The first Start runs every start routine in table order; later calls only
// count. The Stop matching the first Start runs the stop routines in reverse
// order. A stopped table stays stopped: process-wide objects of a stopped unit
// are never made again, so a later Start does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

struct TdxUnitRow {
  const char* Name;
  void (*Start)();
  void (*Stop)();
};

class TdxUnitTable {
public:
  explicit TdxUnitTable(std::span<const TdxUnitRow> rows) : rows_(rows) {}

  // A start routine that raises stops the units already started (in reverse)
  // and passes the exception on; the table is then stopped.
  void Start();
  void Stop();
  // Starts not yet matched by a Stop.
  int32_t StartCount() const { return startCount_; }
  bool Started() const { return startCount_ > 0; }
  bool Stopped() const { return stopped_; }
  std::span<const TdxUnitRow> Rows() const { return rows_; }

  // Told each row's name as its start (starting true) or stop routine runs, null routines included.
  void SetTrace(std::function<void(std::string_view unit, bool starting)> trace) { trace_ = std::move(trace); }

private:
  void StopFrom(size_t count);

  std::span<const TdxUnitRow> rows_;
  int32_t startCount_ = 0;
  bool stopped_ = false;
  std::function<void(std::string_view, bool)> trace_;
};
