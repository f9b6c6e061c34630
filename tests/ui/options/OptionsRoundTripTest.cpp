// Round trips of every entity kind and of whole stores through the options buffer.
#include <gtest/gtest.h>

#include "ui/options/OptionsEntities.h"
#include "ui/options/OptionsListEntities.h"
#include "ui/options/OptionsStore.h"
#include "tests/ui/options/OptionsTestSupport.h"
#include "ui/options/OptionsUser.h"

COptionsUser* FillRichStore(COptionsStore& store)
{
    COptionsUser* alice = new COptionsUser(&store);
    alice->SetName(CDravikString("alice"));
    store.AddUser(alice);
    store.SetCurrentUser(alice);

    static_cast<COptionsEntityInteger*>(store.CreateEntity(37))->SetValue(-123456);
    static_cast<COptionsEntityBoolean*>(store.CreateEntity(21))->SetValue(1);
    static_cast<COptionsEntityLargeInteger*>(store.CreateEntity(12))->SetValue(-2LL);
    static_cast<COptionsEntityPaneSize*>(store.CreateEntity(13))->SetValues(300, 200);
    static_cast<COptionsEntityFileTime*>(store.CreateEntity(53))->SetValue(0x01DA123456789ABCLL);
    auto* position = static_cast<COptionsEntityWindowPosition*>(store.CreateEntity(1));
    for (int i = 0; i < 4; ++i)
        position->SetValue(i, 100 * (i + 1));
    static_cast<COptionsEntityString*>(store.CreateEntity(14))->SetText(CDravikString("8-bit text"));
    static_cast<COptionsEntityString*>(store.CreateEntity(16))->SetText(CDravikString(L"wide \u00fc\u20ac"));
    static_cast<COptionsEntityString*>(store.CreateEntity(17))->SetText(CDravikString(L""));
    static_cast<COptionsEntityString*>(store.CreateEntity(18))->SetText(CDravikString(""));
    store.SetStringEntity(CDravikString("layout one"), 1);
    store.SetStringEntity(CDravikString(L"layout two \u00e9"), 2);
    auto* tuples = static_cast<COptionsEntityIntegerTupleList*>(store.CreateEntity(28));
    tuples->AddTuple(1, 2, 3, 4);
    tuples->AddTuple(-1, -2, -3, -4);
    auto* project = static_cast<COptionsEntityProjectString*>(store.CreateEntity(15));
    auto* entry = new COptionsEntityProjectStringEntity();
    entry->SetText(CDravikString("project"));
    entry->SetValue(5, 42);
    project->AddElement(entry);
    project->AddElement(new COptionsEntityProjectStringEntity());
    auto* profile = static_cast<COptionsEntityColorProfile*>(store.CreateEntity(91));
    auto* colours = new COptionsEntityColorProfileEntry();
    colours->SetName(CDravikString("Silver"));
    colours->SetText(1, CDravikString(L"one"));
    colours->SetText(6, CDravikString("six"));
    colours->SetValue(3, 0x00C0C0C0);
    colours->SetArrayValue(2, 7, 77);
    colours->SetFlag(0, 0);
    colours->AddExtraString(CDravikString("extra"));
    colours->AddExtraString(CDravikString(L"\u00e4xtra"));
    profile->AddElement(colours);

    COptionsUser* bob = new COptionsUser(&store);
    bob->SetName(CDravikString(L"b\u00f8b"));
    store.AddUser(bob);
    store.SetCurrentUser(bob);
    static_cast<COptionsEntityInteger*>(store.CreateEntity(39))->SetValue(7);
    store.SetStringEntity(CDravikString("bob's layout"), 1);
    store.SetCurrentUser(alice);
    return alice;
}

namespace
{
struct KindRoundTrip
{
    const char* label;
    int id;
    void (*populate)(COptionsEntityBase*);
    void (*check)(COptionsEntityBase*);
};

class EntityRoundTripTest : public ::testing::TestWithParam<KindRoundTrip>
{
};

TEST_P(EntityRoundTripTest, SavedRecordLoadsIntoAnEqualEntity)
{
    const KindRoundTrip& c = GetParam();
    COptionsStore sourceStore;
    std::unique_ptr<COptionsEntityBase> source(sourceStore.CreateEntity(static_cast<UINT>(c.id)));
    c.populate(source.get());
    const Bytes bytes = SaveEntityBytes(*source);

    // Through the store, as a user's entity.
    COptionsStore store;
    COptionsUser* user = AddCurrentUser(store);
    CGuardedBuffer guarded(bytes);
    int offset = 0;
    ASSERT_TRUE(store.ParseEntity(guarded.Data(), guarded.Size(), &offset));
    EXPECT_EQ(guarded.Size(), offset);
    ASSERT_EQ(1, user->GetEntityCount());
    COptionsEntityBase* loaded = user->GetEntity(0);
    EXPECT_EQ(c.id, loaded->GetId());
    c.check(loaded);
    EXPECT_EQ(HexOf(bytes), HexOf(SaveEntityBytes(*loaded)));

    // Loading again over the same entity replaces its contents rather than adding to them.
    offset = 0;
    ASSERT_TRUE(loaded->Load(guarded.Data(), guarded.Size(), &offset));
    EXPECT_EQ(HexOf(bytes), HexOf(SaveEntityBytes(*loaded)));
}

const KindRoundTrip kRoundTrips[] = {
    {"Integer", 37,
     [](COptionsEntityBase* e) { static_cast<COptionsEntityInteger*>(e)->SetValue(INT32_MIN); },
     [](COptionsEntityBase* e) { EXPECT_EQ(INT32_MIN, static_cast<COptionsEntityInteger*>(e)->GetValue()); }},
    {"Boolean", 22, [](COptionsEntityBase* e) { static_cast<COptionsEntityBoolean*>(e)->SetValue(1); },
     [](COptionsEntityBase* e) { EXPECT_EQ(1, static_cast<COptionsEntityBoolean*>(e)->GetValue()); }},
    {"LargeInteger", 19,
     [](COptionsEntityBase* e) {
         static_cast<COptionsEntityLargeInteger*>(e)->SetValue(0x7FFFFFFF00000001LL);
     },
     [](COptionsEntityBase* e) {
         EXPECT_EQ(0x7FFFFFFF00000001LL, static_cast<COptionsEntityLargeInteger*>(e)->GetValue());
     }},
    {"PaneSize", 94, [](COptionsEntityBase* e) { static_cast<COptionsEntityPaneSize*>(e)->SetValues(-5, 6); },
     [](COptionsEntityBase* e) {
         EXPECT_EQ(-5, static_cast<COptionsEntityPaneSize*>(e)->GetLow());
         EXPECT_EQ(6, static_cast<COptionsEntityPaneSize*>(e)->GetHigh());
     }},
    {"FileTime", 53,
     [](COptionsEntityBase* e) { static_cast<COptionsEntityFileTime*>(e)->SetValue(1LL << 60); },
     [](COptionsEntityBase* e) {
         EXPECT_EQ(1LL << 60, static_cast<COptionsEntityFileTime*>(e)->GetValue());
     }},
    {"WindowPosition", 157,
     [](COptionsEntityBase* e) {
         for (int i = 0; i < 4; ++i)
             static_cast<COptionsEntityWindowPosition*>(e)->SetValue(i, i - 2);
     },
     [](COptionsEntityBase* e) {
         for (int i = 0; i < 4; ++i)
             EXPECT_EQ(i - 2, static_cast<COptionsEntityWindowPosition*>(e)->GetValue(i));
     }},
    {"StringAnsi", 162,
     [](COptionsEntityBase* e) { static_cast<COptionsEntityString*>(e)->SetText("hello"); },
     [](COptionsEntityBase* e) {
         EXPECT_STREQ("hello", static_cast<COptionsEntityString*>(e)->GetText().PeekAnsi());
     }},
    {"StringWide", 158,
     [](COptionsEntityBase* e) { static_cast<COptionsEntityString*>(e)->SetText(CDravikString(L"\u0416x")); },
     [](COptionsEntityBase* e) {
         const CDravikString& text = static_cast<COptionsEntityString*>(e)->GetText();
         ASSERT_TRUE(text.IsWide());
         EXPECT_EQ(std::wstring(L"\u0416x"), std::wstring(text.PeekWide()));
     }},
    {"StringEmptyWide", 158,
     [](COptionsEntityBase* e) { static_cast<COptionsEntityString*>(e)->SetText(CDravikString(L"")); },
     [](COptionsEntityBase* e) {
         // The width survives, so the record keeps its reserved size of 10.
         EXPECT_TRUE(static_cast<COptionsEntityString*>(e)->GetText().IsWide());
         EXPECT_EQ(18, e->GetSerializedSize());
     }},
    {"StringMap", 44,
     [](COptionsEntityBase* e) {
         auto* map = static_cast<COptionsEntityStringMap*>(e);
         map->AddEntry("k1", "v1", 1, 0);
         map->AddEntry(CDravikString(L"k2"), CDravikString(L"v\u00e92"), -1, -1);
     },
     [](COptionsEntityBase* e) {
         auto* map = static_cast<COptionsEntityStringMap*>(e);
         ASSERT_EQ(2, map->GetCount());
         EXPECT_STREQ("v1", map->FindEntry("k1", 1, 0)->GetValue().PeekAnsi());
         ASSERT_NE(nullptr, map->FindEntry(CDravikString(L"k2"), -1, -1));
     }},
    {"ProjectString", 15,
     [](COptionsEntityBase* e) {
         auto* entry = new COptionsEntityProjectStringEntity();
         entry->SetText(CDravikString(L"proj"));
         entry->SetValue(0, 9);
         static_cast<COptionsEntityProjectString*>(e)->AddElement(entry);
     },
     [](COptionsEntityBase* e) {
         auto* list = static_cast<COptionsEntityProjectString*>(e);
         ASSERT_EQ(1, list->GetCount());
         EXPECT_EQ(9, list->GetAt(0)->GetValue(0));
         EXPECT_EQ(-1, list->GetAt(0)->GetValue(1));
         EXPECT_EQ(0, list->GetAt(0)->GetValue(5));
     }},
    {"IntegerTupleList", 28,
     [](COptionsEntityBase* e) {
         auto* tuples = static_cast<COptionsEntityIntegerTupleList*>(e);
         for (int i = 0; i < 5; ++i)
             tuples->AddTuple(i, i * 2, -i, INT32_MAX - i);
     },
     [](COptionsEntityBase* e) {
         auto* tuples = static_cast<COptionsEntityIntegerTupleList*>(e);
         ASSERT_EQ(5, tuples->GetCount());
         EXPECT_TRUE(tuples->GetAt(4)->Equals(4, 8, -4, INT32_MAX - 4));
     }},
    {"ColorProfile", 91,
     [](COptionsEntityBase* e) {
         for (int n = 0; n < 2; ++n)
         {
             auto* entry = new COptionsEntityColorProfileEntry();
             entry->SetName(n ? CDravikString(L"second") : CDravikString("first"));
             entry->SetText(5, CDravikString("five"));
             entry->SetArrayValue(0, 14, n + 1);
             entry->AddExtraString(CDravikString("x"));
             static_cast<COptionsEntityColorProfile*>(e)->AddElement(entry);
         }
     },
     [](COptionsEntityBase* e) {
         auto* profile = static_cast<COptionsEntityColorProfile*>(e);
         ASSERT_EQ(2, profile->GetCount());
         EXPECT_STREQ("five", profile->GetAt(1)->GetText(5).PeekAnsi());
         EXPECT_EQ(2, profile->GetAt(1)->GetArrayValue(0, 14));
         EXPECT_EQ(1, profile->GetAt(0)->GetExtraCount());
     }},
};

INSTANTIATE_TEST_SUITE_P(AllKinds, EntityRoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const ::testing::TestParamInfo<KindRoundTrip>& info) {
                             return std::string(info.param.label);
                         });

TEST(OptionsRoundTrip, WholeStoreReloadsIntoTheSameBytesAndUsers)
{
    COptionsStore source;
    FillRichStore(source);
    const Bytes bytes = SaveStoreBytes(source);

    CGuardedBuffer guarded(bytes);
    COptionsStore loaded;
    ASSERT_TRUE(loaded.Load(guarded.Data(), guarded.Size()));
    EXPECT_EQ(HexOf(bytes), HexOf(SaveStoreBytes(loaded)));
    ASSERT_EQ(2, loaded.GetUserCount());
    EXPECT_EQ(loaded.GetUser(1), loaded.GetCurrentUser()); // the last user read
    EXPECT_TRUE(loaded.IsModified());
    EXPECT_EQ(14, loaded.GetUser(0)->GetEntityCount());
    // Every entity belongs to the store it was loaded into.
    for (int u = 0; u < loaded.GetUserCount(); ++u)
    {
        COptionsUser* user = loaded.GetUser(u);
        EXPECT_EQ(&loaded, user->GetOwner());
        for (int i = 0; i < user->GetEntityCount(); ++i)
            EXPECT_EQ(&loaded, user->GetEntity(i)->GetOwner());
    }
    CDravikString text;
    ASSERT_TRUE(loaded.GetStringEntity(1, &text));
    EXPECT_STREQ("bob's layout", text.PeekAnsi());
    ASSERT_TRUE(loaded.SetCurrentUser(loaded.GetUser(0)));
    ASSERT_TRUE(loaded.GetStringEntity(2, &text));
    EXPECT_TRUE(text.Equals(CDravikString(L"layout two \u00e9")));
}

TEST(OptionsRoundTrip, ColourProfileDropsEmptyExtraStringsButReadsTheirRecords)
{
    COptionsEntityColorProfileEntry empty;
    Bytes bytes = Bytes(391, 0);
    int offset = 0;
    ASSERT_TRUE(empty.Save(bytes.data(), 391, &offset));
    // One extra string, empty: its 9 reserved bytes follow; its record (six zeros) lies at 264 + 7 * 8.
    PutInt32(bytes, 260, 1);
    bytes.resize(400, 0);
    CGuardedBuffer guarded(bytes);
    COptionsEntityColorProfileEntry loaded;
    offset = 0;
    ASSERT_TRUE(loaded.Load(guarded.Data(), guarded.Size(), &offset));
    EXPECT_EQ(400, offset);
    EXPECT_EQ(0, loaded.GetExtraCount());
}

TEST(OptionsRoundTrip, SaveNeverWritesOutsideItsRoom)
{
    COptionsStore store;
    FillRichStore(store);
    const int size = store.GetSerializedSize();
    ASSERT_GT(size, 100);
    for (int room = 0; room < size; room += (room < 64 || size - room < 64) ? 1 : 37)
    {
        Bytes fill(static_cast<size_t>(room), 0xA5);
        CGuardedBuffer guarded(fill);
        int offset = 0;
        EXPECT_FALSE(store.Save(guarded.Data(), room, &offset)) << room;
        EXPECT_EQ(0, offset);
        EXPECT_EQ(HexOf(fill), HexOf(Bytes(guarded.Data(), guarded.Data() + room))) << room;
    }
    Bytes exact(static_cast<size_t>(size), 0);
    CGuardedBuffer guarded(exact);
    int offset = 0;
    EXPECT_TRUE(store.Save(guarded.Data(), size, &offset));
    EXPECT_EQ(size, offset);
}
} // namespace
