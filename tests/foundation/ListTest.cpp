#include "foundation/DravikList.h"
#include "foundation/DravikString.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// Int32 items with a count of live items, so that tests see every create and destroy.
int g_liveItems = 0;

bool CountingInt32Handler(int code, void** item, const void* value)
{
    bool result = Int32ItemHandler(code, item, value);
    if (result && code == kDravikItemCreate && *item)
        ++g_liveItems;
    if (result && code == kDravikItemDestroy)
        --g_liveItems;
    return result;
}

class DravikListTest : public ::testing::Test
{
protected:
    void SetUp() override { g_liveItems = 0; }

    // Data pointers to fixed ints, added in order.
    void Fill(CDravikList& list, int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(list.AddTail(&values[i]));
    }

    std::vector<int> Contents(CDravikList& list)
    {
        std::vector<int> result;
        for (int i = 0; i < list.GetCount(); ++i)
            result.push_back(*static_cast<int*>(list.GetAt(i)->GetData()));
        return result;
    }

    int values[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
};

} // namespace

TEST_F(DravikListTest, AddTailOfNullFails)
{
    CDravikList list;
    Fill(list, 2);
    EXPECT_FALSE(list.AddTail(nullptr));
    EXPECT_FALSE(list.AddHead(nullptr));
    EXPECT_FALSE(list.InsertAfter(list.GetTail(), nullptr));
    EXPECT_FALSE(list.InsertAfter(nullptr, &values[3]));
    EXPECT_EQ(2, list.GetCount());
}

TEST_F(DravikListTest, InsertionKeepsHeadTailAndOrder)
{
    CDravikList list;
    EXPECT_TRUE(list.AddTail(&values[2]));
    EXPECT_TRUE(list.AddHead(&values[0]));
    EXPECT_TRUE(list.InsertAfter(list.GetFirst(), &values[1]));
    EXPECT_TRUE(list.InsertAfter(list.GetTail(), &values[3]));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Contents(list));
    EXPECT_EQ(&values[0], list.GetHeadData());
    EXPECT_EQ(&values[3], list.GetTailData());

    // An element of another list is refused.
    CDravikList other;
    other.AddTail(&values[9]);
    EXPECT_FALSE(list.InsertAfter(other.GetFirst(), &values[4]));
    EXPECT_EQ(4, list.GetCount());
}

TEST_F(DravikListTest, PositionAccessAndCursor)
{
    CDravikList list;
    Fill(list, 4);
    EXPECT_EQ(nullptr, list.GetAt(4));
    EXPECT_EQ(nullptr, list.GetAt(-1));
    EXPECT_EQ(&values[2], list.MoveTo(2));
    EXPECT_EQ(&values[2], list.GetCurrent()->GetData());
    EXPECT_EQ(nullptr, list.MoveTo(4));
    EXPECT_EQ(&values[2], list.GetCurrent()->GetData());
    // The index is rebuilt after a change.
    list.AddHead(&values[9]);
    EXPECT_EQ(&values[9], list.GetAt(0)->GetData());
    EXPECT_EQ(&values[3], list.GetAt(4)->GetData());
    EXPECT_TRUE(list.SetAt(0, &values[8]));
    EXPECT_EQ(&values[8], list.GetHeadData());
    EXPECT_FALSE(list.SetAt(5, &values[8]));
    EXPECT_FALSE(list.SetAt(0, nullptr));
}

// Building the position index does not disturb a walk with the cursor.
TEST_F(DravikListTest, PositionAccessInsideACursorWalk)
{
    CDravikList list;
    Fill(list, 4);
    int visited = 0;
    for (CDravikListElement* e = list.GetFirst(); e; e = list.GetNext())
    {
        EXPECT_EQ(&values[3 - visited], list.GetAt(3 - visited)->GetData());
        ++visited;
    }
    EXPECT_EQ(4, visited);
}

TEST_F(DravikListTest, NavigationWalksAndStops)
{
    CDravikList list;
    Fill(list, 3);
    std::vector<int> seen;
    for (CDravikListElement* e = list.GetFirst(); e; e = list.GetNext())
        seen.push_back(*static_cast<int*>(e->GetData()));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), seen);
    EXPECT_EQ(nullptr, list.GetCurrent());
    EXPECT_EQ(nullptr, list.GetNext());
    EXPECT_EQ(nullptr, list.GetPrev());
    list.SetCurrent(list.GetTail());
    EXPECT_EQ(&values[1], list.GetPrev()->GetData());
    EXPECT_EQ(&values[0], list.GetPrevData(&values[1]));
    EXPECT_EQ(&values[2], list.GetNextData(&values[1]));
    EXPECT_EQ(nullptr, list.GetNextData(&values[2]));
    EXPECT_EQ(nullptr, list.GetPrevData(&values[0]));
}

TEST_F(DravikListTest, FindOfAbsentValueLeavesCursorNull)
{
    CDravikList list;
    Fill(list, 3);
    list.GetFirst();
    int absent = 1;
    EXPECT_EQ(nullptr, list.Find(&absent)); // a different pointer, no handler: not found
    EXPECT_EQ(nullptr, list.GetCurrent());
    EXPECT_EQ(nullptr, list.Find(nullptr));
    CDravikListElement* found = list.Find(&values[1]);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(found, list.GetCurrent());
}

TEST_F(DravikListTest, RemovalMovesCursorBackAndKeepsEnds)
{
    CDravikList list;
    Fill(list, 4);
    list.MoveTo(2);
    EXPECT_TRUE(list.Remove(&values[2]));
    EXPECT_EQ(&values[1], list.GetCurrent()->GetData());
    EXPECT_EQ(&values[0], list.RemoveHead());
    EXPECT_EQ(&values[1], list.GetHeadData());
    EXPECT_TRUE(list.Remove(&values[3]));
    EXPECT_EQ(&values[1], list.GetTailData());
    EXPECT_FALSE(list.Remove(&values[3]));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_TRUE(list.RemoveAll());
    EXPECT_FALSE(list.RemoveAll());
    EXPECT_EQ(nullptr, list.RemoveHead());
    EXPECT_EQ(nullptr, list.GetFirst());
    EXPECT_EQ(nullptr, list.GetTail());
}

// Removing while walking with the cursor continues with the element after the removed one, even
// when iterators are attached.
TEST_F(DravikListTest, CursorLoopCanRemoveWhileWalking)
{
    CDravikList list;
    Fill(list, 6);
    CDravikListIterator watcher(&list);
    for (CDravikListElement* e = list.GetFirst(); e; e = list.GetNext())
    {
        if (*static_cast<int*>(e->GetData()) % 2 == 1)
            list.Remove(e->GetData());
    }
    EXPECT_EQ((std::vector<int>{0, 2, 4}), Contents(list));
}

TEST_F(DravikListTest, SwapExchangesData)
{
    CDravikList list;
    Fill(list, 3);
    EXPECT_TRUE(list.Swap(&values[0], &values[2]));
    EXPECT_EQ((std::vector<int>{2, 1, 0}), Contents(list));
    EXPECT_FALSE(list.Swap(&values[0], &values[0]));
    EXPECT_FALSE(list.Swap(&values[0], nullptr));
    EXPECT_FALSE(list.Swap(&values[0], &values[7]));
}

TEST_F(DravikListTest, HandlersTable)
{
    struct Case
    {
        DravikTypeHandler handler;
        const void* value;
        const void* equal;
        const void* different;
    };
    int i7 = 7, i7b = 7, i8 = 8;
    long long l7 = 0x100000007LL, l7b = 0x100000007LL, l8 = 0x200000007LL;
    double d7 = 7.5, d7b = 7.5, d8 = 8.5;
    CDravikString s7("seven"), s7b(L"seven"), s8("eight");
    Case cases[] = {{Int32ItemHandler, &i7, &i7b, &i8},
                    {Int64ItemHandler, &l7, &l7b, &l8},
                    {DoubleItemHandler, &d7, &d7b, &d8},
                    {StringItemHandler, &s7, &s7b, &s8}};
    for (const Case& c : cases)
    {
        void* item = nullptr;
        EXPECT_FALSE(c.handler(kDravikItemCreate, nullptr, nullptr));
        ASSERT_TRUE(c.handler(kDravikItemCreate, &item, nullptr));
        ASSERT_NE(nullptr, item);
        EXPECT_FALSE(c.handler(kDravikItemCopy, &item, nullptr));
        EXPECT_FALSE(c.handler(kDravikItemEquals, &item, nullptr));
        EXPECT_FALSE(c.handler(kDravikItemEquals, &item, c.value));
        EXPECT_TRUE(c.handler(kDravikItemCopy, &item, c.value));
        EXPECT_NE(c.value, item);
        EXPECT_TRUE(c.handler(kDravikItemEquals, &item, c.equal));
        EXPECT_FALSE(c.handler(kDravikItemEquals, &item, c.different));
        EXPECT_FALSE(c.handler(4, &item, c.value));
        EXPECT_TRUE(c.handler(kDravikItemDestroy, &item, nullptr));
        EXPECT_EQ(nullptr, item);
        void* none = nullptr;
        EXPECT_FALSE(c.handler(kDravikItemCopy, &none, c.value));
    }
}

TEST_F(DravikListTest, Int32ItemsAreOwnedCopies)
{
    CDravikList list;
    EXPECT_FALSE(list.AddTailCopy(&values[1])); // no handler
    EXPECT_FALSE(list.RemoveAndDestroy(&values[1]));
    EXPECT_FALSE(list.DestroyAll());
    list.UseInt32Items();
    EXPECT_FALSE(list.HoldsInt64Items());
    int seven = 7;
    EXPECT_TRUE(list.AddValue(&seven));
    EXPECT_NE(&seven, list.GetHeadData());
    EXPECT_EQ(7, *static_cast<int*>(list.GetHeadData()));
    int otherSeven = 7;
    EXPECT_NE(nullptr, list.Find(&otherSeven));
    EXPECT_TRUE(list.RemoveValue(&otherSeven));
    EXPECT_EQ(0, list.GetCount());

    EXPECT_TRUE(list.SetTypeHandler(CountingInt32Handler));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(list.AddHeadCopy(&values[i]));
    EXPECT_EQ(5, g_liveItems);
    EXPECT_EQ(4, *static_cast<int*>(list.GetHeadData()));
    EXPECT_TRUE(list.RemoveValue(&values[2]));
    EXPECT_EQ(4, g_liveItems);
    EXPECT_FALSE(list.RemoveAndDestroy(&values[2]));
    // Installing another handler destroys the items held under the old one.
    EXPECT_TRUE(list.UseInt64Items());
    EXPECT_EQ(0, g_liveItems);
    EXPECT_EQ(0, list.GetCount());
    EXPECT_TRUE(list.HoldsInt64Items());
    long long big = 1LL << 40;
    EXPECT_TRUE(list.AddTailCopy(&big));
    EXPECT_TRUE(list.DestroyAll());
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(DravikListTest, StringItemsMatchByText)
{
    CDravikList list;
    list.UseStringItems();
    CDravikString a("alpha"), b("beta");
    EXPECT_TRUE(list.AddValue(&a));
    EXPECT_TRUE(list.AddValue(&b));
    CDravikString key(L"beta");
    CDravikListElement* found = list.Find(&key);
    ASSERT_NE(nullptr, found);
    EXPECT_NE(&b, found->GetData());
    EXPECT_TRUE(list.RemoveValue(&key));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_TRUE(static_cast<CDravikString*>(list.GetHeadData())->Equals(a));
}

TEST_F(DravikListTest, RemovalPutsIteratorsBackOnTheHead)
{
    // Remove the element before, at, or after the iterator's position, or the head.
    struct Case
    {
        int iteratorAt;
        int removed;
    } cases[] = {{3, 1}, {3, 3}, {1, 4}, {2, 0}};
    for (const Case& c : cases)
    {
        CDravikList list;
        Fill(list, 5);
        CDravikListIterator iterator(&list);
        EXPECT_EQ(&values[c.iteratorAt], iterator.MoveTo(c.iteratorAt));
        EXPECT_TRUE(list.Remove(&values[c.removed]));
        EXPECT_EQ(list.GetFirst(), iterator.GetCurrent()) << c.iteratorAt << "/" << c.removed;
    }
    CDravikList list;
    Fill(list, 2);
    CDravikListIterator iterator(&list);
    iterator.MoveNext();
    list.RemoveAll();
    EXPECT_EQ(nullptr, iterator.GetCurrent());
}

TEST_F(DravikListTest, IteratorWalksBothWays)
{
    CDravikList list;
    CDravikListIterator detached;
    EXPECT_FALSE(detached.Reset());
    EXPECT_FALSE(detached.MoveNext());
    EXPECT_EQ(0, detached.GetCount());
    EXPECT_FALSE(detached.AddTail(&values[0]));
    EXPECT_EQ(nullptr, detached.MoveTo(0));

    Fill(list, 3);
    CDravikListIterator it(&list);
    EXPECT_EQ(1, list.GetIteratorCount());
    EXPECT_EQ(3, it.GetCount());
    std::vector<int> forward;
    for (it.Reset(); it.GetData(); it.MoveNext())
        forward.push_back(*static_cast<int*>(it.GetData()));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), forward);
    std::vector<int> backward;
    for (it.ResetToLast(); it.GetData(); it.Retreat())
        backward.push_back(*static_cast<int*>(it.GetData()));
    EXPECT_EQ((std::vector<int>{2, 1, 0}), backward);
    // With no current element, MoveNext starts over at the head and MovePrev at the tail.
    EXPECT_TRUE(it.Advance());
    EXPECT_EQ(&values[0], it.GetData());
    it.MoveTo(0);
    it.MovePrev();
    EXPECT_TRUE(it.MovePrev());
    EXPECT_EQ(&values[2], it.GetData());

    CDravikListIterator copy;
    EXPECT_TRUE(copy.CopyFrom(it));
    EXPECT_EQ(&list, copy.GetList());
    EXPECT_EQ(it.GetCurrent(), copy.GetCurrent());
    EXPECT_EQ(2, list.GetIteratorCount());
    EXPECT_TRUE(copy.Attach(nullptr));
    EXPECT_EQ(1, list.GetIteratorCount());
    EXPECT_EQ(nullptr, copy.GetList());

    it.MoveTo(1);
    EXPECT_TRUE(it.InsertAfterCurrent(&values[7]));
    EXPECT_EQ((std::vector<int>{0, 1, 7, 2}), Contents(list));
}

TEST_F(DravikListTest, IteratorRemoveOfItsOwnElement)
{
    CDravikList list;
    Fill(list, 4);
    CDravikListIterator it(&list);
    it.MoveTo(2);
    EXPECT_TRUE(it.Remove(&values[2]));
    EXPECT_EQ((std::vector<int>{0, 1, 3}), Contents(list));
    EXPECT_EQ(&values[0], it.GetData());
    EXPECT_EQ(&values[0], it.RemoveHead());
    EXPECT_TRUE(it.RemoveAll());
    EXPECT_EQ(0, it.GetCount());
}

TEST_F(DravikListTest, NestedIterationVisitsEverything)
{
    CDravikList list;
    EXPECT_FALSE(list.IterateEnd());
    Fill(list, 3);
    int pairs = 0;
    int innerDepth = -1;
    for (void* outer = list.IterateFirst(); outer; outer = list.IterateNext())
    {
        EXPECT_EQ(outer, list.GetCurrent()->GetData());
        for (void* inner = list.IterateFirst(); inner; inner = list.IterateNext())
        {
            innerDepth = list.GetIterationDepth();
            ++pairs;
        }
        EXPECT_TRUE(list.IterateEnd());
        EXPECT_EQ(1, list.GetIterationDepth());
    }
    EXPECT_TRUE(list.IterateEnd());
    EXPECT_EQ(9, pairs);
    EXPECT_EQ(2, innerDepth);
    EXPECT_EQ(0, list.GetIterationDepth());
    EXPECT_FALSE(list.IterateEnd());
    EXPECT_EQ(0, list.GetIteratorCount());
}

TEST_F(DravikListTest, RemovingInsideIterationRestartsFromTheHead)
{
    CDravikList list;
    Fill(list, 6);
    int visits = 0;
    for (void* data = list.IterateFirst(); data; data = list.IterateNext())
    {
        ++visits;
        if (*static_cast<int*>(data) % 2 == 0)
            list.Remove(data);
    }
    list.IterateEnd();
    EXPECT_EQ((std::vector<int>{1, 3, 5}), Contents(list));
    EXPECT_GT(visits, 6); // the loop went back to the head after each removal
}

// An iterator that outlives its list is detached by the list's destructor and stays harmless.
TEST_F(DravikListTest, IteratorOutlivingItsListIsDetached)
{
    CDravikListIterator it;
    CDravikListIterator it2;
    {
        CDravikList list;
        Fill(list, 3);
        it.Attach(&list);
        it2.Attach(&list);
        it.MoveNext();
        list.IterateFirst(); // left open on purpose
    }
    EXPECT_EQ(nullptr, it.GetList());
    EXPECT_EQ(nullptr, it.GetCurrent());
    EXPECT_EQ(nullptr, it.GetData());
    EXPECT_FALSE(it.MoveNext());
    EXPECT_FALSE(it.Remove(&values[0]));
    EXPECT_EQ(0, it2.GetCount());
    CDravikList other;
    Fill(other, 1);
    EXPECT_TRUE(it.Attach(&other));
    EXPECT_EQ(&values[0], it.GetData());
}

TEST_F(DravikListTest, DetachAllIterators)
{
    CDravikList list;
    Fill(list, 2);
    CDravikListIterator a(&list), b(&list);
    EXPECT_EQ(2, list.GetIteratorCount());
    EXPECT_TRUE(list.DetachAllIterators());
    EXPECT_EQ(0, list.GetIteratorCount());
    EXPECT_EQ(nullptr, a.GetList());
    EXPECT_FALSE(list.DetachIterator(nullptr));
    EXPECT_FALSE(list.AttachIterator(nullptr));
}
