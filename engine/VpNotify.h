#pragma once
// Change notification shared by every engine object: a callback bound to an owner, and the
// BeginUpdate/EndUpdate counter that batches notifications.

#include <functional>
#include <type_traits>
#include <utility>

// A callback that may be empty. An owner binds one of its member functions (object and
// handler) or any callable; firing an empty callback does nothing.
template <class... Args>
class TVpCallback {
 public:
  using Handler = std::function<void(Args...)>;

  TVpCallback() = default;
  // Any callable taking the arguments: a lambda, a std::function, a free function.
  template <class Callable>
  requires(std::is_invocable_v<Callable&, Args...> &&
           !std::is_same_v<std::remove_cvref_t<Callable>, TVpCallback>)
      TVpCallback(Callable&& handler)
      : handler_(std::forward<Callable>(handler)) {}

  // Binds a member function of an owner that outlives the callback.
  template <class Object>
  static TVpCallback Bind(Object& object, void (Object::*method)(Args...)) {
    return TVpCallback([&object, method](Args... args) { (object.*method)(args...); });
  }

  explicit operator bool() const { return static_cast<bool>(handler_); }
  void Clear() { handler_ = nullptr; }

  // A handler may replace or clear the callback it runs from, so the call runs on a copy.
  void operator()(Args... args) const {
    if (!handler_) return;
    Handler running = handler_;
    running(args...);
  }

 private:
  Handler handler_;
};

// The plain notification: the sender only.
template <class Sender>
using TVpNotifyEvent = TVpCallback<Sender&>;

// Counts open updates. Owners drop their batched notifications while IsUpdating() and refresh
// once when EndUpdate reports that the last open update closed.
class TVpUpdateCounter {
 public:
  void BeginUpdate() { ++count_; }

  // True when this call closed the last open update. An EndUpdate without a matching
  // BeginUpdate is ignored and returns false.
  bool EndUpdate() {
    if (count_ == 0) return false;
    --count_;
    return count_ == 0;
  }

  bool IsUpdating() const { return count_ > 0; }
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

// Holds an update open on any object with BeginUpdate/EndUpdate for the guard's scope, so the
// update also closes when a callback inside it fails.
template <class Updatable>
class TVpUpdateGuard {
 public:
  explicit TVpUpdateGuard(Updatable& target) : target_(target) { target_.BeginUpdate(); }
  ~TVpUpdateGuard() { target_.EndUpdate(); }
  TVpUpdateGuard(const TVpUpdateGuard&) = delete;
  TVpUpdateGuard& operator=(const TVpUpdateGuard&) = delete;

 private:
  Updatable& target_;
};
