#include <vector>

#include <gtest/gtest.h>

#include "engine/VpMarginValues.h"
#include "engine/VpValue.h"
#include "engine/VpValueRect.h"
#include "engine/VpValueSize.h"
#include "tests/engine/NearLongDouble.h"

namespace {

struct ChangeLog {
  std::vector<const void*> senders;
  TVpValue::ChangeEvent ForValue() {
    return TVpValue::ChangeEvent([this](TVpValue& v) { senders.push_back(&v); });
  }
  int Count() const { return static_cast<int>(senders.size()); }
};

TEST(VpValue, NotifiesOnlyWhenTheStoredValueChanges) {
  ChangeLog log;
  TVpValue value(log.ForValue());
  EXPECT_EQ(value.AsInches(), 0);

  value.SetAsInches(0.5L);
  value.SetAsInches(0.5L);
  EXPECT_EQ(log.Count(), 1);
  EXPECT_EQ(log.senders[0], &value);

  value.SetAsMillimeters(12.7L);  // 0.5 inch again, through the conversion
  value.SetValue(vpTwips, 720);
  value.SetAsTwips(720);
  EXPECT_EQ(log.Count(), 1);

  value.SetAsTwips(1440);
  EXPECT_EQ(value.AsInches(), 1.0L);
  EXPECT_EQ(log.Count(), 2);
}

TEST(VpValue, AssignNotifiesEvenWhenEqual) {
  ChangeLog log;
  TVpValue target(log.ForValue());
  TVpValue source(vpMillimeters, 25.4L);
  target.Assign(source);
  target.Assign(source);
  EXPECT_EQ(target.AsInches(), source.AsInches());
  EXPECT_EQ(log.Count(), 2);
}

TEST(VpValue, CreatedWithAMeasurementStoresInchesAndHasNoHandler) {
  TVpValue value(vpPixels, 48);
  EXPECT_EQ(value.AsInches(), 0.5L);
  EXPECT_FALSE(value.OnChange());
  EXPECT_EQ(value.GetValue(vpTwips), 720.0L);
  EXPECT_NEAR_LD(value.AsMillimeters(), 12.7L, 1e-17L);
}

TEST(VpValue, WholeNumberReadsRoundTiesToEven) {
  EXPECT_EQ(TVpValue(vpInches, 0.5L).AsTwips(), 720);
  EXPECT_EQ(TVpValue(vpInches, 1.0L / 2880).AsTwips(), 0);  // half a twip
  EXPECT_EQ(TVpValue(vpInches, 1.0L / 64).AsTwips(), 22);   // exactly 22.5 twips
  EXPECT_EQ(TVpValue(vpInches, 3.0L / 64).AsTwips(), 68);   // exactly 67.5 twips
  EXPECT_EQ(TVpValue(vpInches, -1.0L / 64).AsTwips(), -22);

  TVpValue half(vpInches, 0.5L);
  EXPECT_EQ(half.AsDevicePixels(600), 300);
  EXPECT_EQ(half.AsDevicePixels(5), 2);                      // 2.5
  EXPECT_EQ(TVpValue(vpInches, 1.5L).AsDevicePixels(5), 8);  // 7.5
  EXPECT_EQ(TVpValue(vpInches, 1e12L).AsDevicePixels(600), INT32_MAX);
}

TEST(VpValueSize, EitherInnerChangeNotifiesThePair) {
  std::vector<TVpCustomValueSize*> senders;
  TVpValueSize size([&](TVpCustomValueSize& s) { senders.push_back(&s); });
  size.Width().SetAsInches(2);
  size.Height().SetAsInches(3);
  size.Height().SetAsInches(3);
  ASSERT_EQ(senders.size(), 2u);
  EXPECT_EQ(senders[0], &size);
  EXPECT_EQ(size.Width().AsInches(), 2);
  EXPECT_EQ(size.Height().AsInches(), 3);
}

TEST(VpValueSize, AssignCopiesHeightFirstAndNotifiesOnlyForChanges) {
  std::vector<long double> widthSeen;
  TVpValueSize target([&](TVpCustomValueSize& s) { widthSeen.push_back(s.First().AsInches()); });
  TVpValueSize source;
  source.Width().SetAsInches(4);
  source.Height().SetAsInches(5);

  target.Assign(source);
  ASSERT_EQ(widthSeen.size(), 2u);
  EXPECT_EQ(widthSeen[0], 0);  // the height changed while the width was still old
  EXPECT_EQ(widthSeen[1], 4);

  target.Assign(source);
  EXPECT_EQ(widthSeen.size(), 2u);

  TVpValuePoint point;
  point.Assign(source);
  EXPECT_EQ(point.X().AsInches(), 4);
  EXPECT_EQ(point.Y().AsInches(), 5);
}

TEST(VpValueRect, IndexOneToFourAndNothingElse) {
  TVpValueRect rect(MakeRect(1, 2, 3, 4));
  for (int index = 1; index <= 4; ++index) {
    ASSERT_NE(rect.Value(index), nullptr);
    EXPECT_EQ(rect.Value(index)->AsInches(), index);
  }
  EXPECT_EQ(rect.Value(1), &rect.TopLeft().X());
  EXPECT_EQ(rect.Value(4), &rect.BottomRight().Y());
  EXPECT_EQ(rect.Value(0), nullptr);
  EXPECT_EQ(rect.Value(5), nullptr);
  EXPECT_EQ(rect.Value(-1), nullptr);
  const TVpValueRect& constRect = rect;
  EXPECT_EQ(constRect.Value(5), nullptr);
}

TEST(VpValueRect, SetRectWritesLeftTopRightBottomInOrder) {
  TVpValueRect rect;
  std::vector<TVpRect> seen;
  auto record = [&](TVpCustomValueSize&) { seen.push_back(rect.AsRect()); };
  rect.TopLeft().SetOnChange(record);
  rect.BottomRight().SetOnChange(record);

  rect.SetRect(MakeRect(1, 2, 3, 4));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].Left, 1);
  EXPECT_EQ(seen[0].Top, 0);
  EXPECT_EQ(seen[1].Top, 2);
  EXPECT_EQ(seen[2].Right, 3);
  EXPECT_EQ(seen[2].Bottom, 0);
  EXPECT_EQ(seen[3].Bottom, 4);

  rect.SetRect(MakeRect(1, 2, 3, 9));  // only Bottom changes
  EXPECT_EQ(seen.size(), 5u);
}

struct MarginsFixture : ::testing::Test {
  int changes = 0;
  TVpValue::ChangeEvent Count() {
    return TVpValue::ChangeEvent([this](TVpValue&) { ++changes; });
  }
  TVpValue left{Count()}, top{Count()}, right{Count()}, bottom{Count()};
  TVpMarginValues margins{left, top, right, bottom};
};

TEST_F(MarginsFixture, ReadsAndWritesInTheChosenUnit) {
  EXPECT_EQ(margins.ValueMeasurement(), vpInches);
  left.SetAsInches(0.5L);
  margins.SetValueMeasurement(vpMillimeters);
  EXPECT_EQ(margins.Left(), 12.7f);
  EXPECT_EQ(left.AsInches(), 0.5L);  // changing the unit changed nothing stored

  margins.SetBottom(25.4f);
  EXPECT_NEAR_LD(bottom.AsInches(), 25.4f / 25.4L, 1e-18L);
  margins.SetTop(10);
  margins.SetRight(20);
  EXPECT_NEAR_LD(top.AsMillimeters(), 10, 1e-15L);
  EXPECT_NEAR_LD(right.AsMillimeters(), 20, 1e-15L);
  EXPECT_EQ(changes, 4);

  margins.SetTop(10);  // same number again: no change reaches the value
  EXPECT_EQ(changes, 4);
}

TEST_F(MarginsFixture, ReadingNarrowsToSinglePrecision) {
  top.SetAsInches(1.0L / 3.0L);
  EXPECT_EQ(margins.Top(), static_cast<float>(1.0L / 3.0L));
  margins.SetValueMeasurement(vpTwips);
  EXPECT_EQ(margins.Top(), 480.0f);
}

}  // namespace
