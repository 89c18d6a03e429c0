// The number filter expression the print window builds and the tables read.
#include <gtest/gtest.h>

#include "labels/records/NumberFilter.h"
#include "platform/Error.h"

TEST(NumberFilter, ReadsTheExpressionTheProgramWrites) {
  EXPECT_EQ(NumberFilterExpression("Contact_Number", {3, 7, 12}), "Contact_Number IN(3,7,12)");
  const NumberFilter f = ParseNumberFilter("Contact_Number IN(3,7,12)");
  EXPECT_EQ(f.field, "Contact_Number");
  EXPECT_EQ(f.numbers, (std::vector<std::int32_t>{3, 7, 12}));
  EXPECT_EQ(ParseNumberFilter("General_No in ( 5 , 2 )").numbers,
            (std::vector<std::int32_t>{5, 2}));
  EXPECT_TRUE(ParseNumberFilter("General_No IN()").numbers.empty());
}

TEST(NumberFilter, RefusesEveryOtherExpression) {
  for (const char* bad :
       {"", "Contact_Number", "Contact_Number IN 3", "Contact_NumberIN(3)", "Contact_Number IN(3,)",
        "Contact_Number IN(,3)", "Contact_Number IN(3;4)", "Contact_Number IN(x)",
        "Contact_Number IN(3) AND 1", "IN(3)", "Contact_Number = 3",
        "Contact_Number IN(99999999999)", "A B IN(1)"})
    EXPECT_THROW(ParseNumberFilter(bad), EError) << bad;
}
