// The options store: the id-to-kind table, entity creation, parsing records into users, kind checks and
// the layout texts of the dialogs.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "ui/options/OptionsEntities.h"
#include "ui/options/OptionsListEntities.h"
#include "ui/options/OptionsStore.h"
#include "tests/ui/options/OptionsTestSupport.h"
#include "ui/options/OptionsUser.h"

namespace
{
// The kinds of all ids, written as lists of ids and ranges.
struct KindIds
{
    int kind;
    const char* ids;
};

const KindIds kKindIds[] = {
    {kOptionsKindUser, "0"},
    {kOptionsKindWindowPosition,
     "1-11 29-31 33 36 46 48 55 76-79 81-90 92 93 101 102 106 107 110 152-154 157"},
    {kOptionsKindLargeInteger, "12 19 20"},
    {kOptionsKindPaneSize, "13 94 155"},
    {kOptionsKindString,
     "14 16-18 23 25 26 34 40-43 45 52 54 56-60 62 63 69 71 74 95 99 100 103-105 109 158 162"},
    {kOptionsKindProjectString, "15"},
    {kOptionsKindIntegerTupleList, "28"},
    {kOptionsKindInteger, "37 39 49-51 70 72 98"},
    {kOptionsKindStringMap, "38 44 80"},
    {kOptionsKindFileTime, "53"},
    {kOptionsKindColorProfile, "91"},
    {kOptionsKindBoolean, "21 22 24 27 32 35 47 61 64-68 73 75 96 97 108 111-151 156 159-161"},
};

std::map<int, int> ExpectedKinds()
{
    std::map<int, int> kinds;
    for (const KindIds& entry : kKindIds)
    {
        std::istringstream in(entry.ids);
        std::string item;
        while (in >> item)
        {
            const size_t dash = item.find('-');
            const int first = std::stoi(item.substr(0, dash));
            const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
            for (int id = first; id <= last; ++id)
            {
                EXPECT_EQ(0u, kinds.count(id)) << "id " << id << " listed twice";
                kinds[id] = entry.kind;
            }
        }
    }
    return kinds;
}

// Whether an entity object is of the class that belongs to kind.
bool IsOfKindClass(COptionsEntityBase* entity, int kind)
{
    switch (kind)
    {
    case kOptionsKindUser:
        return dynamic_cast<COptionsUser*>(entity) != nullptr;
    case kOptionsKindInteger:
        return dynamic_cast<COptionsEntityInteger*>(entity) && !dynamic_cast<COptionsEntityBoolean*>(entity);
    case kOptionsKindBoolean:
        return dynamic_cast<COptionsEntityBoolean*>(entity) != nullptr;
    case kOptionsKindLargeInteger:
        return dynamic_cast<COptionsEntityLargeInteger*>(entity) &&
               !dynamic_cast<COptionsEntityPaneSize*>(entity) &&
               !dynamic_cast<COptionsEntityFileTime*>(entity);
    case kOptionsKindPaneSize:
        return dynamic_cast<COptionsEntityPaneSize*>(entity) != nullptr;
    case kOptionsKindFileTime:
        return dynamic_cast<COptionsEntityFileTime*>(entity) != nullptr;
    case kOptionsKindString:
        return dynamic_cast<COptionsEntityString*>(entity) != nullptr;
    case kOptionsKindWindowPosition:
        return dynamic_cast<COptionsEntityWindowPosition*>(entity) != nullptr;
    case kOptionsKindStringMap:
        return dynamic_cast<COptionsEntityStringMap*>(entity) != nullptr;
    case kOptionsKindProjectString:
        return dynamic_cast<COptionsEntityProjectString*>(entity) != nullptr;
    case kOptionsKindIntegerTupleList:
        return dynamic_cast<COptionsEntityIntegerTupleList*>(entity) != nullptr;
    case kOptionsKindColorProfile:
        return dynamic_cast<COptionsEntityColorProfile*>(entity) != nullptr;
    default:
        return false;
    }
}

TEST(OptionsStore, EveryIdHasExactlyTheKindOfTheTable)
{
    const std::map<int, int> expected = ExpectedKinds();
    ASSERT_EQ(163u, expected.size());
    COptionsStore store;
    for (const auto& pair : expected)
    {
        const int id = pair.first;
        const int kind = pair.second;
        EXPECT_EQ(kind, OptionsKindOfId(static_cast<UINT>(id))) << "id " << id;
        std::unique_ptr<COptionsEntityBase> entity(store.CreateEntity(static_cast<UINT>(id)));
        ASSERT_NE(nullptr, entity) << "id " << id;
        EXPECT_EQ(kind, entity->GetKind()) << "id " << id;
        EXPECT_EQ(id, entity->GetId());
        EXPECT_EQ(&store, entity->GetOwner());
        EXPECT_TRUE(IsOfKindClass(entity.get(), kind)) << "id " << id;
    }
}

TEST(OptionsStore, IdsAbove162MakeNothing)
{
    COptionsStore store;
    for (UINT id : {163u, 164u, 1000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(nullptr, store.CreateEntity(id)) << id;
        EXPECT_EQ(-1, OptionsKindOfId(id)) << id;
    }
    EXPECT_FALSE(store.IsModified());
}

TEST(OptionsStore, NewEntitiesJoinTheCurrentUserExceptUsers)
{
    COptionsStore store;
    std::unique_ptr<COptionsEntityBase> free(store.CreateEntity(37));
    ASSERT_NE(nullptr, free);
    EXPECT_FALSE(store.IsModified());

    COptionsUser* user = new COptionsUser(&store);
    ASSERT_TRUE(store.AddUser(user));
    EXPECT_TRUE(store.IsModified());
    ASSERT_TRUE(store.SetCurrentUser(user));
    COptionsEntityBase* joined = store.CreateEntity(162);
    ASSERT_NE(nullptr, joined);
    EXPECT_EQ(kOptionsKindString, joined->GetKind());
    ASSERT_EQ(1, user->GetEntityCount());
    EXPECT_EQ(joined, user->GetEntity(0));
    EXPECT_EQ(joined, user->FindEntity(162));

    std::unique_ptr<COptionsEntityBase> otherUser(store.CreateEntity(0));
    ASSERT_NE(nullptr, otherUser);
    EXPECT_EQ(kOptionsKindUser, otherUser->GetKind());
    EXPECT_EQ(1, user->GetEntityCount());
}

TEST(OptionsStore, AUserHoldsAtMostOneEntityPerId)
{
    // Two entities with one id would be merged into one by the next save and load.
    COptionsStore store;
    COptionsUser* user = AddCurrentUser(store);
    ASSERT_NE(nullptr, store.CreateEntity(37));
    EXPECT_EQ(nullptr, store.CreateEntity(37));
    EXPECT_EQ(1, user->GetEntityCount());
    COptionsEntityInteger* loose = new COptionsEntityInteger(37);
    EXPECT_FALSE(user->AddEntity(loose));
    delete loose;

    // A user record holding two records with one id is refused.
    static_cast<COptionsEntityInteger*>(user->FindEntity(37))->SetValue(1);
    COptionsEntityInteger second(37);
    second.SetValue(2);
    Bytes bytes = SaveEntityBytes(*user);
    const Bytes extra = SaveEntityBytes(second);
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    PutInt32(bytes, 8, 2);
    COptionsStore target;
    int offset = 0;
    EXPECT_FALSE(target.ParseEntity(bytes.data(), static_cast<int>(bytes.size()), &offset));
    EXPECT_EQ(0, target.GetUserCount());
}

TEST(OptionsStore, CurrentUserMustBelongToTheStore)
{
    COptionsStore store;
    COptionsUser stranger(&store);
    EXPECT_FALSE(store.SetCurrentUser(&stranger));
    EXPECT_EQ(nullptr, store.GetCurrentUser());
    EXPECT_FALSE(store.AddUser(nullptr));
    EXPECT_TRUE(store.SetCurrentUser(nullptr));
}

class OptionsStoreWithUser : public ::testing::Test
{
protected:
    void SetUp() override
    {
        user = new COptionsUser(&store);
        ASSERT_TRUE(store.AddUser(user));
        ASSERT_TRUE(store.SetCurrentUser(user));
    }

    COptionsStore store;
    COptionsUser* user = nullptr;
};

TEST_F(OptionsStoreWithUser, LayoutTextsAreKeptPerIdAndReplacedNotDuplicated)
{
    CDravikString out("untouched");
    EXPECT_FALSE(store.GetStringEntity(1, &out));
    EXPECT_STREQ("untouched", out.PeekAnsi());

    ASSERT_TRUE(store.SetStringEntity(CDravikString("first"), 1));
    ASSERT_TRUE(store.SetStringEntity(CDravikString("second"), 1));
    ASSERT_TRUE(store.SetStringEntity(CDravikString("minus"), -5));
    ASSERT_EQ(1, user->GetEntityCount());
    auto* map = dynamic_cast<COptionsEntityStringMap*>(user->FindEntity(80));
    ASSERT_NE(nullptr, map);
    ASSERT_EQ(2, map->GetCount());

    ASSERT_TRUE(store.GetStringEntity(1, &out));
    EXPECT_STREQ("second", out.PeekAnsi());
    ASSERT_TRUE(store.GetStringEntity(-5, &out));
    EXPECT_STREQ("minus", out.PeekAnsi());
    // The key's high half is the sign extension of the id.
    EXPECT_EQ(-5, map->GetAt(1)->GetKeyLow());
    EXPECT_EQ(-1, map->GetAt(1)->GetKeyHigh());
    EXPECT_EQ(0, map->GetAt(0)->GetKeyHigh());
    EXPECT_FALSE(store.GetStringEntity(2, &out));
}

TEST_F(OptionsStoreWithUser, EmptyLayoutTextChangesNothing)
{
    const bool modifiedBefore = store.IsModified();
    EXPECT_FALSE(store.SetStringEntity(CDravikString(""), 1));
    EXPECT_EQ(0, user->GetEntityCount());
    EXPECT_EQ(modifiedBefore, store.IsModified());
}

TEST_F(OptionsStoreWithUser, LayoutEntryNameIsCaseSensitive)
{
    COptionsEntityStringMap* map = static_cast<COptionsEntityStringMap*>(store.CreateEntity(80));
    ASSERT_TRUE(map->AddEntry(CDravikString("client"), CDravikString("lower"), 1, 0));
    CDravikString out;
    EXPECT_FALSE(store.GetStringEntity(1, &out));
    ASSERT_TRUE(map->AddEntry(CDravikString("Client"), CDravikString("upper"), 1, 0));
    ASSERT_TRUE(store.GetStringEntity(1, &out));
    EXPECT_STREQ("upper", out.PeekAnsi());
}

TEST(OptionsStore, LayoutTextWithoutCurrentUserIsRefusedNotLost)
{
    // With nobody to hold entity 80 the text would be stored in an entity that no one owns.
    COptionsStore store;
    EXPECT_FALSE(store.SetStringEntity(CDravikString("layout"), 1));
    CDravikString out;
    EXPECT_FALSE(store.GetStringEntity(1, &out));
    EXPECT_FALSE(store.IsModified());
}

TEST(OptionsStringMap, AddEntryRefusesEmptyPartsAndUpdatesBySameNameAndKey)
{
    COptionsEntityStringMap map(38);
    EXPECT_FALSE(map.AddEntry(CDravikString(""), CDravikString("v"), 0, 0));
    EXPECT_FALSE(map.AddEntry(CDravikString("n"), CDravikString(""), 0, 0));
    ASSERT_TRUE(map.AddEntry(CDravikString("n"), CDravikString("v1"), 1, 2));
    ASSERT_TRUE(map.AddEntry(CDravikString("n"), CDravikString("other key"), 1, 3));
    ASSERT_TRUE(map.AddEntry(CDravikString("n"), CDravikString("v2"), 1, 2));
    ASSERT_EQ(2, map.GetCount());
    EXPECT_STREQ("v2", map.FindEntry(CDravikString("n"), 1, 2)->GetValue().PeekAnsi());
    EXPECT_STREQ("other key", map.FindEntry(CDravikString("n"), 1, 3)->GetValue().PeekAnsi());
    EXPECT_EQ(nullptr, map.FindEntry(CDravikString("N"), 1, 2));
}

TEST(OptionsTupleList, RepeatedTupleIsRefusedAndAddingMarksTheStore)
{
    COptionsStore store;
    std::unique_ptr<COptionsEntityBase> entity(store.CreateEntity(28));
    auto* tuples = static_cast<COptionsEntityIntegerTupleList*>(entity.get());
    EXPECT_FALSE(store.IsModified());
    ASSERT_TRUE(tuples->AddTuple(1, 2, 3, 4));
    EXPECT_TRUE(store.IsModified());
    EXPECT_FALSE(tuples->AddTuple(1, 2, 3, 4));
    EXPECT_TRUE(tuples->AddTuple(1, 2, 3, 5));
    EXPECT_EQ(2, tuples->GetCount());
}

// One valid record of every kind (ids chosen from the table).
struct KindRecord
{
    int kind;
    int id;
};

const KindRecord kKindRecords[] = {
    {kOptionsKindInteger, 37},   {kOptionsKindLargeInteger, 12},  {kOptionsKindString, 14},
    {kOptionsKindBoolean, 21},   {kOptionsKindPaneSize, 13},      {kOptionsKindWindowPosition, 1},
    {kOptionsKindStringMap, 80}, {kOptionsKindProjectString, 15}, {kOptionsKindIntegerTupleList, 28},
    {kOptionsKindFileTime, 53},  {kOptionsKindColorProfile, 91},
};

Bytes DefaultRecord(int id)
{
    COptionsStore scratch;
    std::unique_ptr<COptionsEntityBase> entity(scratch.CreateEntity(static_cast<UINT>(id)));
    return SaveEntityBytes(*entity);
}

class KindMismatchTest : public ::testing::TestWithParam<KindRecord>
{
};

TEST_P(KindMismatchTest, RecordWithAnotherKindThanItsIdIsRejectedBeforeAnythingIsMade)
{
    const KindRecord record = GetParam();
    const Bytes valid = DefaultRecord(record.id);
    for (int otherKind = -1; otherKind <= 15; ++otherKind)
    {
        if (otherKind == record.kind)
            continue;
        Bytes bytes = valid;
        PutInt32(bytes, 0, otherKind);
        COptionsStore store;
        COptionsUser* user = AddCurrentUser(store);
        CGuardedBuffer guarded(bytes);
        int offset = 0;
        EXPECT_FALSE(store.ParseEntity(guarded.Data(), guarded.Size(), &offset)) << "kind " << otherKind;
        EXPECT_EQ(0, offset);
        EXPECT_EQ(0, user->GetEntityCount()) << "kind " << otherKind;
        EXPECT_EQ(1, store.GetUserCount());
        EXPECT_EQ(user, store.GetCurrentUser());
    }
}

TEST_P(KindMismatchTest, EntityRefusesRecordsOfOtherKinds)
{
    const KindRecord record = GetParam();
    COptionsStore scratch;
    std::unique_ptr<COptionsEntityBase> entity(scratch.CreateEntity(static_cast<UINT>(record.id)));
    const Bytes before = SaveEntityBytes(*entity);
    for (const KindRecord& other : kKindRecords)
    {
        if (other.kind == record.kind)
            continue;
        const Bytes foreign = DefaultRecord(other.id);
        CGuardedBuffer guarded(foreign);
        int offset = 0;
        EXPECT_FALSE(entity->Load(guarded.Data(), guarded.Size(), &offset)) << "record kind " << other.kind;
        EXPECT_EQ(0, offset);
        EXPECT_EQ(HexOf(before), HexOf(SaveEntityBytes(*entity)));
    }
    // Its own kind with an id of another kind is refused too.
    Bytes wrongId = DefaultRecord(record.id);
    for (const KindRecord& other : kKindRecords)
    {
        if (other.kind == record.kind)
            continue;
        PutInt32(wrongId, 4, other.id);
        CGuardedBuffer guarded(wrongId);
        int offset = 0;
        EXPECT_FALSE(entity->Load(guarded.Data(), guarded.Size(), &offset)) << "id " << other.id;
        EXPECT_EQ(record.id, entity->GetId());
    }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, KindMismatchTest, ::testing::ValuesIn(kKindRecords),
                         [](const ::testing::TestParamInfo<KindRecord>& info) {
                             return "Kind" + std::to_string(info.param.kind);
                         });

TEST(OptionsStore, ParseEntityWithoutCurrentUserRefusesNonUserRecords)
{
    // Without a user the entity would be made and then belong to no one.
    const Bytes record = DefaultRecord(37);
    COptionsStore store;
    int offset = 0;
    EXPECT_FALSE(store.ParseEntity(record.data(), static_cast<int>(record.size()), &offset));
    EXPECT_EQ(0, offset);
    EXPECT_EQ(0, store.GetUserCount());
}

TEST(OptionsStore, ParseEntityMergesARecordIntoTheCurrentUsersEntity)
{
    COptionsStore store;
    COptionsUser* user = AddCurrentUser(store);
    auto* existing = static_cast<COptionsEntityInteger*>(store.CreateEntity(37));
    existing->SetValue(1);

    COptionsEntityInteger source(37);
    source.SetValue(99);
    const Bytes record = SaveEntityBytes(source);
    int offset = 0;
    ASSERT_TRUE(store.ParseEntity(record.data(), static_cast<int>(record.size()), &offset));
    EXPECT_EQ(12, offset);
    ASSERT_EQ(1, user->GetEntityCount());
    EXPECT_EQ(99, existing->GetValue());
}

TEST(OptionsStore, UserRecordsDoNotNest)
{
    // A user record among a user's entities would take over as current user and swallow the outer
    // user's remaining entities.
    COptionsUser inner(nullptr);
    inner.SetName(CDravikString("inner"));
    const Bytes innerBytes = SaveEntityBytes(inner);
    COptionsUser outer(nullptr);
    outer.SetName(CDravikString("outer"));
    Bytes bytes = SaveEntityBytes(outer);
    PutInt32(bytes, 8, 1);
    bytes.insert(bytes.end(), innerBytes.begin(), innerBytes.end());

    COptionsStore store;
    int offset = 0;
    EXPECT_FALSE(store.ParseEntity(bytes.data(), static_cast<int>(bytes.size()), &offset));
    EXPECT_EQ(0, offset);
    EXPECT_EQ(0, store.GetUserCount());
    EXPECT_EQ(nullptr, store.GetCurrentUser());
}

TEST(OptionsUser, RecordWithEntitiesNeedsAStore)
{
    COptionsStore store;
    COptionsUser* source = AddCurrentUser(store);
    static_cast<COptionsEntityInteger*>(store.CreateEntity(37))->SetValue(5);
    const Bytes bytes = SaveEntityBytes(*source);

    // Without a store the entity records could only be skipped; the load must not claim success.
    COptionsUser loose(nullptr);
    int offset = 0;
    EXPECT_FALSE(loose.Load(bytes.data(), static_cast<int>(bytes.size()), &offset));
    EXPECT_EQ(0, offset);

    // A user of a store loads its entities into itself even when another user is current.
    COptionsStore target;
    COptionsUser* other = new COptionsUser(&target);
    COptionsUser* reader = new COptionsUser(&target);
    ASSERT_TRUE(target.AddUser(other));
    ASSERT_TRUE(target.AddUser(reader));
    ASSERT_TRUE(target.SetCurrentUser(other));
    offset = 0;
    ASSERT_TRUE(reader->Load(bytes.data(), static_cast<int>(bytes.size()), &offset));
    EXPECT_EQ(static_cast<int>(bytes.size()), offset);
    EXPECT_EQ(1, reader->GetEntityCount());
    EXPECT_EQ(0, other->GetEntityCount());
    EXPECT_EQ(other, target.GetCurrentUser());
    EXPECT_EQ(&target, reader->GetEntity(0)->GetOwner());
}

TEST(OptionsEntity, NullBufferOrOffsetFailsWithoutMovingTheOffset)
{
    COptionsEntityWindowPosition entity(1);
    BYTE buffer[64] = {};
    int offset = 3;
    EXPECT_FALSE(entity.Save(nullptr, 64, &offset));
    EXPECT_FALSE(entity.Load(nullptr, 64, &offset));
    EXPECT_EQ(3, offset);
    EXPECT_FALSE(entity.Save(buffer, 64, nullptr));
    EXPECT_FALSE(entity.Load(buffer, 64, nullptr));
    EXPECT_FALSE(entity.WriteBlock(buffer, 64, &offset, nullptr, 4));
    EXPECT_FALSE(entity.ReadBlock(buffer, 64, &offset, nullptr, 4));
    EXPECT_EQ(3, offset);
    // A record that does not fit behind the offset is not written at all.
    BYTE small[30];
    memset(small, 0xCC, sizeof(small));
    offset = 7;
    EXPECT_FALSE(entity.Save(small, 30, &offset));
    EXPECT_EQ(7, offset);
    for (BYTE b : small)
        EXPECT_EQ(0xCC, b);
}
} // namespace
