// ScopeExit: runs a callable when the scope ends, on return and on an exception
// alike. The one restore-on-exit guard of the program:
//   auto restore = ScopeExit([&] { FBusy = false; });
// Release() cancels it (the change is kept).
#pragma once

#include <utility>

template <class F>
class [[nodiscard]] TScopeExit {
public:
  explicit TScopeExit(F f) noexcept(noexcept(F(std::move(f)))) : FFunc(std::move(f)) {}
  TScopeExit(TScopeExit&& other) noexcept(noexcept(F(std::move(other.FFunc))))
      : FFunc(std::move(other.FFunc)), FActive(std::exchange(other.FActive, false)) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  TScopeExit& operator=(TScopeExit&&) = delete;
  ~TScopeExit() {
    if (FActive) FFunc();
  }
  void Release() noexcept { FActive = false; }

private:
  F FFunc;
  bool FActive = true;
};

template <class F>
TScopeExit<std::decay_t<F>> ScopeExit(F&& f) {
  return TScopeExit<std::decay_t<F>>(std::forward<F>(f));
}
