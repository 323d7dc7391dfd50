#include "foundation/TDynaArray.h"
#include "support/ScriptedMessenger.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct Rec144 {
    unsigned char bytes[144];
};

bool AllZero(const void* p, size_t n)
{
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i] != 0)
            return false;
    return true;
}

struct IntRec {
    int value;
    int pad;
};

// Fills an array of IntRec with 0..n-1.
void Fill(TDynaArray& array, IntRec*& cur, int n)
{
    for (int i = 0; i < n; ++i) {
        array.Add();
        cur->value = i;
    }
}

}

TEST(TDynaArray, CreateWritesNothingAndAllocatesNothing)
{
    Rec144* cur = reinterpret_cast<Rec144*>(0x1);
    TDynaArray array(sizeof(Rec144), &cur);
    EXPECT_EQ(cur, reinterpret_cast<Rec144*>(0x1));
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.AMemSize(), 0u);
    EXPECT_EQ(array.AObjNr(), -1);
}

TEST(TDynaArray, CapacityGrowsAndShrinksInStepsOfHundred)
{
    Rec144* cur = nullptr;
    TDynaArray array(sizeof(Rec144), &cur);
    ASSERT_NE(array.Add(), nullptr);
    EXPECT_EQ(array.AMemSize(), 14400u);
    EXPECT_TRUE(AllZero(cur, sizeof(Rec144)));
    std::memset(cur, 0xAB, sizeof(Rec144));
    for (int i = 1; i < 100; ++i) {
        array.Add();
        std::memset(cur, i, sizeof(Rec144));
    }
    EXPECT_EQ(array.AMemSize(), 14400u);

    array.Add();
    EXPECT_EQ(array.AMemSize(), 28800u);
    EXPECT_EQ(array.Count(), 101u);
    const auto* first = static_cast<Rec144*>(array.At(0));
    EXPECT_EQ(first->bytes[0], 0xAB);
    EXPECT_EQ(first->bytes[143], 0xAB);
    for (uint32_t i = 1; i < 100; ++i)
        EXPECT_EQ(static_cast<Rec144*>(array.At(i))->bytes[77], i);
    EXPECT_TRUE(AllZero(array.At(100), sizeof(Rec144)));

    array.Delete(100);
    EXPECT_EQ(array.AMemSize(), 14400u);
    EXPECT_EQ(static_cast<Rec144*>(array.At(99))->bytes[0], 99);
    for (int i = 99; i >= 1; --i)
        array.Delete(i);
    EXPECT_EQ(array.AMemSize(), 14400u);
    array.Delete(0);
    EXPECT_EQ(array.AMemSize(), 0u);
    EXPECT_EQ(cur, nullptr);
}

TEST(TDynaArray, AddAfterDeleteDeliversZeroFilledSlot)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 3);
    array.Delete(2);
    EXPECT_EQ(cur, nullptr);
    EXPECT_EQ(array.AObjNr(), -1);
    IntRec* added = static_cast<IntRec*>(array.Add());
    EXPECT_EQ(added, cur);
    EXPECT_EQ(cur->value, 0);
    EXPECT_EQ(array.AObjNr(), 2);
}

TEST(TDynaArray, InsertRangeAndOrder)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 3);
    EXPECT_EQ(array.Insert(4), nullptr);
    EXPECT_EQ(array.Insert(-1), nullptr);
    EXPECT_EQ(array.Count(), 3u);
    EXPECT_EQ(cur->value, 2);  // unchanged: still the last one added

    ASSERT_NE(array.Insert(3), nullptr);  // Insert(count) appends
    EXPECT_EQ(array.Count(), 4u);
    EXPECT_EQ(cur->value, 0);
    cur->value = 30;

    ASSERT_NE(array.Insert(1), nullptr);
    EXPECT_EQ(array.AObjNr(), 1);
    EXPECT_EQ(cur->value, 0);
    cur->value = 10;
    const int expected[] = {0, 10, 1, 2, 30};
    for (uint32_t i = 0; i < 5; ++i)
        EXPECT_EQ(static_cast<IntRec*>(array.At(i))->value, expected[i]) << i;
}

TEST(TDynaArray, InsertAtFrontAcrossCapacityStep)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 100);
    array.Insert(0);
    cur->value = -1;
    EXPECT_EQ(array.AMemSize(), 200u * sizeof(IntRec));
    for (uint32_t i = 0; i < 101; ++i)
        EXPECT_EQ(static_cast<IntRec*>(array.At(i))->value, static_cast<int>(i) - 1);
}

TEST(TDynaArray, DeleteMovesLaterElementsDown)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 5);
    array.Delete(5);
    array.Delete(-1);
    EXPECT_EQ(array.Count(), 5u);
    array.Delete(1);
    const int expected[] = {0, 2, 3, 4};
    ASSERT_EQ(array.Count(), 4u);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(static_cast<IntRec*>(array.At(i))->value, expected[i]);
}

TEST(TDynaArray, IterationProtocol)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 3);
    std::vector<int> seen;
    array.First();
    EXPECT_EQ(array.AObjNr(), 0);
    while (array.WhileNext()) {
        seen.push_back(cur->value);
        EXPECT_EQ(array.AObjNr() - 1, cur->value);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(array.AObjNr(), 3);
    EXPECT_EQ(cur->value, 2);  // still points at the last element
    EXPECT_FALSE(array.WhileNext());
}

TEST(TDynaArray, IterationOverEmptyArrayRunsZeroTimes)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 2);
    array.GetObject(1);
    array.Clear();
    EXPECT_EQ(cur, nullptr);
    array.First();
    EXPECT_EQ(array.AObjNr(), -1);
    EXPECT_FALSE(array.WhileNext());
    EXPECT_FALSE(array.Next());
}

TEST(TDynaArray, NextAfterCreateStartsAtFirstElement)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 2);
    array.Delete(5);  // out of range: no change
    array.Delete(1);  // clears the cursor to -1
    array.Add();
    cur->value = 7;
    array.Delete(1);
    EXPECT_EQ(array.AObjNr(), -1);
    EXPECT_TRUE(array.Next());
    EXPECT_EQ(array.AObjNr(), 0);
    EXPECT_EQ(cur->value, 0);
    EXPECT_FALSE(array.Next());  // already at the last element
    EXPECT_EQ(array.AObjNr(), 0);
}

TEST(TDynaArray, ChangeSwapsAndLeavesSecondCurrent)
{
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 3);
    array.Change(0, 2);
    EXPECT_EQ(array.AObjNr(), 2);
    EXPECT_EQ(cur->value, 0);
    EXPECT_EQ(static_cast<IntRec*>(array.At(0))->value, 2);
    array.Change(0, 3);
    array.Change(-1, 0);
    EXPECT_EQ(static_cast<IntRec*>(array.At(0))->value, 2);
    EXPECT_EQ(array.AObjNr(), 2);
}

TEST(TDynaArray, ChangeOfLargeRecords)
{
    struct Big {
        char bytes[1000];
    };
    Big* cur = nullptr;
    TDynaArray array(sizeof(Big), &cur);
    array.Add();
    std::memset(cur, 'a', sizeof(Big));
    array.Add();
    std::memset(cur, 'b', sizeof(Big));
    array.Change(0, 1);
    EXPECT_EQ(static_cast<Big*>(array.At(0))->bytes[999], 'b');
    EXPECT_EQ(static_cast<Big*>(array.At(1))->bytes[0], 'a');
    EXPECT_EQ(static_cast<Big*>(array.At(1))->bytes[999], 'a');
}

TEST(TDynaArray, SharedTypedPointerFollowsLastMovedArray)
{
    IntRec* shared = nullptr;
    TDynaArray a(sizeof(IntRec), &shared);
    TDynaArray b(sizeof(IntRec), &shared);
    a.Add();
    shared->value = 1;
    b.Add();
    shared->value = 2;
    a.GetObject(0);
    EXPECT_EQ(shared->value, 1);
    b.First();
    EXPECT_EQ(shared->value, 2);
}

TEST(TDynaArray, WorksWithoutTypedPointer)
{
    TDynaArray array(sizeof(IntRec), nullptr);
    auto* rec = static_cast<IntRec*>(array.Add());
    rec->value = 5;
    EXPECT_EQ(static_cast<IntRec*>(array.GetObject(0))->value, 5);
    EXPECT_EQ(array.AObj(), rec);
}

// Memory refusals: the box is shown and the operation is undone.
class TDynaArrayOutOfMemory : public ::testing::Test {
protected:
    static inline int allowed = 0;
    static void* Limited(size_t bytes)
    {
        if (allowed <= 0) {
            errno = ENOMEM;
            return nullptr;
        }
        --allowed;
        return std::calloc(1, bytes);
    }
    void SetUp() override { TDynaArray::SetBlockAllocator(Limited); }
    void TearDown() override { TDynaArray::SetBlockAllocator(nullptr); }
    ScriptedMessenger messenger;
};

TEST_F(TDynaArrayOutOfMemory, FirstBlockRefused)
{
    allowed = 0;
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    EXPECT_EQ(array.Add(), nullptr);
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.AMemSize(), 0u);
    EXPECT_EQ(cur, nullptr);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(messenger.Errors()[0], u"Error 1 while trying to allocate 800 bytes of RAM. Not enough memory.");
}

TEST_F(TDynaArrayOutOfMemory, GrowingRefusedKeepsElements)
{
    allowed = 1;
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 100);
    EXPECT_EQ(array.Add(), nullptr);
    EXPECT_EQ(array.Insert(0), nullptr);
    EXPECT_EQ(array.Count(), 100u);
    EXPECT_EQ(array.AMemSize(), 800u);
    for (uint32_t i = 0; i < 100; ++i)
        EXPECT_EQ(static_cast<IntRec*>(array.At(i))->value, static_cast<int>(i));
    ASSERT_EQ(messenger.Errors().size(), 2u);
    EXPECT_EQ(messenger.Errors()[0], u"Error 2 while trying to allocate 1600 bytes of RAM. Not enough memory.12");
}

TEST_F(TDynaArrayOutOfMemory, ShrinkingRefusedLeavesArrayUnchanged)
{
    allowed = 2;
    IntRec* cur = nullptr;
    TDynaArray array(sizeof(IntRec), &cur);
    Fill(array, cur, 101);
    array.Delete(0);
    EXPECT_EQ(array.Count(), 101u);
    EXPECT_EQ(array.AMemSize(), 1600u);
    EXPECT_EQ(static_cast<IntRec*>(array.At(0))->value, 0);
    EXPECT_EQ(static_cast<IntRec*>(array.At(100))->value, 100);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(messenger.Errors()[0], u"Error 3 while trying to allocate 800 bytes of RAM. Not enough memory.");
    // Adding and deleting within the capacity step needs no new block.
    allowed = 0;
    ASSERT_NE(array.Add(), nullptr);
    array.Delete(0);
    EXPECT_EQ(array.Count(), 101u);
    EXPECT_EQ(static_cast<IntRec*>(array.At(0))->value, 1);
    EXPECT_EQ(messenger.Errors().size(), 1u);
}
