// Controls created without an id count up from 900; run in a process of its
// own so that no other test has taken an id first.
#include "gui_support.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

TEST(ControlIds, AutomaticIdsStartAt900AndCountUp)
{
    OwnerWindow parent(0, 0, 200, 100);
    ButtonCtl first, second;
    EditCtl third;
    ASSERT_TRUE(first.Create(parent.Handle(), 0, "one", 0, 0, 50, 20));
    ASSERT_TRUE(second.Create(parent.Handle(), 0, "two", 50, 0, 50, 20));
    ASSERT_TRUE(third.Create(parent.Handle(), 0, "", 0, 30, 50, 20));
    EXPECT_EQ(900, first.Id());
    EXPECT_EQ(901, second.Id());
    EXPECT_EQ(902, third.Id());
    EXPECT_EQ(901, GetDlgCtrlID(second.GetHandle()));
}
