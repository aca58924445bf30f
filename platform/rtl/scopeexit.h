// Scope guards: work that must happen on every exit of a scope, also when an
// exception leaves it.
#pragma once

#include <utility>

// Runs a callable when the scope ends.
template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  ~TScopeExit() { f_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F f_;
};

// Gives a variable a value for the scope and puts the old one back at its end.
template <class T>
class TValueScope {
public:
  TValueScope(T& variable, T value) : variable_(variable), saved_(std::move(variable)) {
    variable = std::move(value);
  }
  ~TValueScope() { variable_ = std::move(saved_); }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

private:
  T& variable_;
  T saved_;
};
