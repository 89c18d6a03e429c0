#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/VpNotify.h"

namespace {

struct Owner {
  int calls = 0;
  int lastArgument = 0;
  void Handle(int value) {
    ++calls;
    lastArgument = value;
  }
};

struct Updatable {
  TVpUpdateCounter counter;
  int refreshes = 0;
  void BeginUpdate() { counter.BeginUpdate(); }
  void EndUpdate() {
    if (counter.EndUpdate()) ++refreshes;
  }
};

TEST(VpCallback, EmptyCallbackDoesNothingAndBoundMethodReceivesArguments) {
  TVpCallback<int> empty;
  EXPECT_FALSE(empty);
  empty(1);

  Owner owner;
  auto bound = TVpCallback<int>::Bind(owner, &Owner::Handle);
  ASSERT_TRUE(bound);
  bound(7);
  EXPECT_EQ(owner.calls, 1);
  EXPECT_EQ(owner.lastArgument, 7);
  bound.Clear();
  bound(8);
  EXPECT_EQ(owner.calls, 1);
}

TEST(VpCallback, HandlerMayClearItsOwnCallbackWhileRunning) {
  TVpCallback<> callback;
  int calls = 0;
  callback = TVpCallback<>([&] {
    ++calls;
    callback.Clear();  // destroys the stored handler while it runs
  });
  callback();
  callback();
  EXPECT_EQ(calls, 1);
}

TEST(VpUpdateCounter, NestedUpdatesRefreshOnceAtTheOutermostEnd) {
  Updatable target;
  target.BeginUpdate();
  target.BeginUpdate();
  target.EndUpdate();
  EXPECT_TRUE(target.counter.IsUpdating());
  EXPECT_EQ(target.refreshes, 0);
  target.EndUpdate();
  EXPECT_FALSE(target.counter.IsUpdating());
  EXPECT_EQ(target.refreshes, 1);

  target.EndUpdate();  // unmatched: harmless
  EXPECT_EQ(target.counter.Count(), 0);
  EXPECT_EQ(target.refreshes, 1);
}

TEST(VpUpdateGuard, ClosesTheUpdateWhenTheWorkInsideFails) {
  Updatable target;
  try {
    TVpUpdateGuard guard(target);
    EXPECT_TRUE(target.counter.IsUpdating());
    throw std::runtime_error("callback failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(target.counter.IsUpdating());
  EXPECT_EQ(target.refreshes, 1);
}

}  // namespace
