// Truncated and corrupt options buffers: every one is rejected without reading past its end, and the store
// that was asked to load it keeps what it had.
#include <gtest/gtest.h>

#include <climits>

#include "ui/options/OptionsEntities.h"
#include "ui/options/OptionsListEntities.h"
#include "ui/options/OptionsStore.h"
#include "tests/ui/options/OptionsTestSupport.h"
#include "ui/options/OptionsUser.h"
#include "ui/options/VLStringManager.h"

namespace
{
// A store with content of its own, and a way to see that nothing of it changed.
class TargetStore
{
public:
    TargetStore()
    {
        COptionsUser* user = new COptionsUser(&m_store);
        user->SetName(CDravikString("keep"));
        m_store.AddUser(user);
        m_store.SetCurrentUser(user);
        m_store.SetStringEntity(CDravikString("kept layout"), 1);
        m_before = SaveStoreBytes(m_store);
        m_current = m_store.GetCurrentUser();
    }

    COptionsStore& Store() { return m_store; }

    void ExpectUnchanged(const std::string& context)
    {
        EXPECT_EQ(HexOf(m_before), HexOf(SaveStoreBytes(m_store))) << context;
        EXPECT_EQ(m_current, m_store.GetCurrentUser()) << context;
        CDravikString text;
        EXPECT_TRUE(m_store.GetStringEntity(1, &text)) << context;
    }

private:
    COptionsStore m_store;
    Bytes m_before;
    COptionsUser* m_current = nullptr;
};

Bytes RichStoreBytes()
{
    COptionsStore store;
    FillRichStore(store);
    return SaveStoreBytes(store);
}

TEST(OptionsCorruption, EveryTruncationIsRejectedAndTheStoreKeepsItsContent)
{
    const Bytes full = RichStoreBytes();
    ASSERT_GT(full.size(), 500u);
    TargetStore target;
    for (size_t length = 0; length < full.size(); ++length)
    {
        CGuardedBuffer guarded(full.data(), static_cast<int>(length));
        ASSERT_TRUE(guarded.IsValid());
        ASSERT_FALSE(target.Store().Load(guarded.Data(), guarded.Size())) << "length " << length;
        if (length % 50 == 0)
            target.ExpectUnchanged("length " + std::to_string(length));
    }
    target.ExpectUnchanged("after all truncations");

    CGuardedBuffer guarded(full);
    ASSERT_TRUE(target.Store().Load(guarded.Data(), guarded.Size()));
    EXPECT_EQ(HexOf(full), HexOf(SaveStoreBytes(target.Store())));
}

TEST(OptionsCorruption, EveryTruncationOfEachKindsRecordIsRejected)
{
    // Entity records on their own, each loaded into a user through the store.
    COptionsStore source;
    COptionsUser* user = FillRichStore(source);
    for (int i = 0; i < user->GetEntityCount(); ++i)
    {
        COptionsEntityBase* entity = user->GetEntity(i);
        const Bytes record = SaveEntityBytes(*entity);
        for (size_t length = 0; length < record.size(); ++length)
        {
            COptionsStore store;
            COptionsUser* reader = AddCurrentUser(store);
            CGuardedBuffer guarded(record.data(), static_cast<int>(length));
            int offset = 0;
            ASSERT_FALSE(store.ParseEntity(guarded.Data(), guarded.Size(), &offset))
                << "id " << entity->GetId() << " length " << length;
            EXPECT_EQ(0, offset);
            EXPECT_EQ(0, reader->GetEntityCount());
        }
    }
}

TEST(OptionsCorruption, TruncatedStringRecordsAreRejected)
{
    for (const CDravikString& text :
         {CDravikString("abc"), CDravikString(L"abc"), CDravikString(""), CDravikString(L"")})
    {
        const int stride = CVLStringManager::GetStride(text);
        Bytes bytes(static_cast<size_t>(stride), 0);
        CVLStringManager writer;
        ASSERT_TRUE(writer.SetPosition(bytes.data(), bytes.data() + bytes.size()));
        ASSERT_TRUE(writer.WriteString(text));
        for (int length = 0; length < stride; ++length)
        {
            CGuardedBuffer guarded(bytes.data(), length);
            CVLStringManager reader;
            ASSERT_TRUE(reader.SetReadPosition(guarded.Data(), guarded.Data() + length));
            CDravikString out("same");
            EXPECT_FALSE(reader.ReadString(&out)) << length;
            EXPECT_STREQ("same", out.PeekAnsi());
            EXPECT_EQ(guarded.Data(), reader.GetPosition());
        }
    }
}

struct MalformedRecord
{
    const char* label;
    Bytes bytes;
};

class MalformedStringTest : public ::testing::TestWithParam<MalformedRecord>
{
};

TEST_P(MalformedStringTest, IsRejectedWithoutMovingTheCursor)
{
    CGuardedBuffer guarded(GetParam().bytes);
    CVLStringManager reader;
    ASSERT_TRUE(reader.SetReadPosition(guarded.Data(), guarded.Data() + guarded.Size()));
    CDravikString out("same");
    int reserved = -7;
    EXPECT_FALSE(reader.ReadString(&out, &reserved));
    EXPECT_STREQ("same", out.PeekAnsi());
    EXPECT_EQ(-7, reserved);
    EXPECT_EQ(guarded.Data(), reader.GetPosition());
}

INSTANTIATE_TEST_SUITE_P(
    Records, MalformedStringTest,
    ::testing::Values(MalformedRecord{"NulInsideText", {3, 0, 0, 0, 0, 'a', 0, 'c', 0, 0, 0}},
                      MalformedRecord{"NoTerminator", {3, 0, 0, 0, 0, 'a', 'b', 'c', 'd', 0, 0}},
                      MalformedRecord{"WideNulInsideText", {2, 0, 0, 0, 1, 'a', 0, 0, 0, 0, 0, 0, 0}},
                      MalformedRecord{"WideNoTerminator", {2, 0, 0, 0, 1, 'a', 0, 'b', 0, 'c', 0, 0, 0}},
                      MalformedRecord{"EmptyWithByteAfterHeader", {0, 0, 0, 0, 0, 'x', 0, 0}},
                      MalformedRecord{"NegativeLength", {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
                      MalformedRecord{"FlagTwo", {1, 0, 0, 0, 2, 'a', 0, 0, 0}},
                      MalformedRecord{"LengthPastTheEnd", {9, 0, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
                      MalformedRecord{"HugeWideLength", {0xFF, 0xFF, 0xFF, 0x7F, 1, 'a', 0, 0, 0}},
                      MalformedRecord{"ShorterThanAHeader", {1, 0, 0, 0, 0, 'a', 0}}),
    [](const ::testing::TestParamInfo<MalformedRecord>& info) { return std::string(info.param.label); });

// A store whose field positions are known: one user "u" with, in order, a string, a string map with one
// entry, a tuple list, a project string and a colour profile.
struct KnownLayout
{
    Bytes bytes;
    size_t userCount = 0;
    size_t entityCount = 0;
    size_t userNameLength = 0;
    size_t stringLength = 0;
    size_t mapCount = 0;
    size_t mapNameLength = 0;
    size_t mapValueLength = 0;
    size_t tupleCount = 0;
    size_t projectCount = 0;
    size_t projectTextLength = 0;
    size_t profileCount = 0;
    size_t profileExtraCount = 0;
    size_t profileNameLength = 0;
    size_t lastExtraLength = 0;
};

KnownLayout MakeKnownLayout()
{
    COptionsStore store;
    COptionsUser* user = new COptionsUser(&store);
    user->SetName(CDravikString("u"));
    store.AddUser(user);
    store.SetCurrentUser(user);
    static_cast<COptionsEntityString*>(store.CreateEntity(14))->SetText(CDravikString("text"));
    static_cast<COptionsEntityStringMap*>(store.CreateEntity(38))->AddEntry("name", "value", 3, 0);
    auto* tuples = static_cast<COptionsEntityIntegerTupleList*>(store.CreateEntity(28));
    tuples->AddTuple(1, 1, 1, 1);
    tuples->AddTuple(2, 2, 2, 2);
    auto* project = static_cast<COptionsEntityProjectString*>(store.CreateEntity(15));
    auto* entry = new COptionsEntityProjectStringEntity();
    entry->SetText(CDravikString("proj"));
    project->AddElement(entry);
    auto* profile = static_cast<COptionsEntityColorProfile*>(store.CreateEntity(91));
    auto* colours = new COptionsEntityColorProfileEntry();
    colours->SetName(CDravikString("c"));
    colours->AddExtraString(CDravikString("e1"));
    colours->AddExtraString(CDravikString("e2"));
    profile->AddElement(colours);

    KnownLayout layout;
    layout.bytes = SaveStoreBytes(store);
    layout.userCount = 0;
    layout.entityCount = 4 + 8;
    layout.userNameLength = 4 + 12;
    size_t at = 4 + 12 + 10; // after the name "u"
    std::vector<size_t> starts;
    for (int i = 0; i < user->GetEntityCount(); ++i)
    {
        starts.push_back(at);
        at += static_cast<size_t>(user->GetEntity(i)->GetSerializedSize());
    }
    EXPECT_EQ(layout.bytes.size(), at);
    layout.stringLength = starts[0] + 8;
    layout.mapCount = starts[1] + 8;
    layout.mapNameLength = starts[1] + 12;
    layout.mapValueLength = starts[1] + 12 + 12; // S("name") = 12
    layout.tupleCount = starts[2] + 8;
    layout.projectCount = starts[3] + 8;
    layout.projectTextLength = starts[3] + 12;
    layout.profileCount = starts[4] + 8;
    layout.profileExtraCount = starts[4] + 12 + 260;
    layout.profileNameLength = starts[4] + 12 + 264;
    // name "c" (S 9), six empty texts (S 8 each), "e1" (S 10), then "e2".
    layout.lastExtraLength = starts[4] + 12 + 264 + 9 + 6 * 8 + 10;
    return layout;
}

TEST(OptionsCorruption, KnownLayoutFieldsAreWhereTheTestExpectsThem)
{
    const KnownLayout layout = MakeKnownLayout();
    const Bytes& b = layout.bytes;
    EXPECT_EQ(1, GetInt32(b, layout.userCount));
    EXPECT_EQ(5, GetInt32(b, layout.entityCount));
    EXPECT_EQ(1, GetInt32(b, layout.userNameLength));
    EXPECT_EQ(4, GetInt32(b, layout.stringLength));
    EXPECT_EQ(1, GetInt32(b, layout.mapCount));
    EXPECT_EQ(4, GetInt32(b, layout.mapNameLength));
    EXPECT_EQ(5, GetInt32(b, layout.mapValueLength));
    EXPECT_EQ(2, GetInt32(b, layout.tupleCount));
    EXPECT_EQ(1, GetInt32(b, layout.projectCount));
    EXPECT_EQ(4, GetInt32(b, layout.projectTextLength));
    EXPECT_EQ(1, GetInt32(b, layout.profileCount));
    EXPECT_EQ(2, GetInt32(b, layout.profileExtraCount));
    EXPECT_EQ(1, GetInt32(b, layout.profileNameLength));
    EXPECT_EQ(2, GetInt32(b, layout.lastExtraLength));
    EXPECT_EQ('e', b[layout.lastExtraLength + 5]);
}

struct FieldCase
{
    const char* field;
    size_t KnownLayout::*position;
};

const FieldCase kCountAndLengthFields[] = {
    {"user count", &KnownLayout::userCount},
    {"entity count", &KnownLayout::entityCount},
    {"user name length", &KnownLayout::userNameLength},
    {"string length", &KnownLayout::stringLength},
    {"map count", &KnownLayout::mapCount},
    {"map name length", &KnownLayout::mapNameLength},
    {"map value length", &KnownLayout::mapValueLength},
    {"tuple count", &KnownLayout::tupleCount},
    {"project count", &KnownLayout::projectCount},
    {"project text length", &KnownLayout::projectTextLength},
    {"profile count", &KnownLayout::profileCount},
    {"profile extra count", &KnownLayout::profileExtraCount},
    {"profile name length", &KnownLayout::profileNameLength},
    {"last extra length", &KnownLayout::lastExtraLength},
};

class CountFieldTest : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(CountFieldTest, ImpossibleOrShiftedValuesAreRejected)
{
    const KnownLayout layout = MakeKnownLayout();
    const size_t at = layout.*(GetParam().position);
    const int32_t original = GetInt32(layout.bytes, at);
    const int32_t values[] = {original + 1, original - 1, -1,         INT_MIN,    INT_MAX,
                              0x10000000,   0x0FFFFFFF,   0x7FFFFFF0, 0x40000000, 1000000};
    TargetStore target;
    for (int32_t value : values)
    {
        Bytes corrupt = layout.bytes;
        PutInt32(corrupt, at, value);
        CGuardedBuffer guarded(corrupt);
        EXPECT_FALSE(target.Store().Load(guarded.Data(), guarded.Size()))
            << GetParam().field << " = " << value;
    }
    target.ExpectUnchanged(GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Fields, CountFieldTest, ::testing::ValuesIn(kCountAndLengthFields),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             std::string name = info.param.field;
                             for (char& ch : name)
                                 if (ch == ' ')
                                     ch = '_';
                             return name;
                         });

TEST(OptionsCorruption, WideFlagOtherThanZeroOrOneIsRejected)
{
    const KnownLayout layout = MakeKnownLayout();
    for (size_t length : {layout.userNameLength, layout.stringLength, layout.mapValueLength})
    {
        for (BYTE flag : {2, 0x80, 0xFF})
        {
            Bytes corrupt = layout.bytes;
            corrupt[length + 4] = flag;
            CGuardedBuffer guarded(corrupt);
            COptionsStore store;
            EXPECT_FALSE(store.Load(guarded.Data(), guarded.Size())) << length << " flag " << int(flag);
            EXPECT_EQ(0, store.GetUserCount());
        }
    }
}

TEST(OptionsCorruption, TrailingBytesAndNonUserRecordsAtTheTopAreRejected)
{
    const KnownLayout layout = MakeKnownLayout();
    Bytes longer = layout.bytes;
    longer.push_back(0);
    COptionsStore store;
    EXPECT_FALSE(store.Load(longer.data(), static_cast<int>(longer.size())));

    // A top-level integer record after the user would otherwise be merged into that user.
    COptionsEntityInteger integer(37);
    const Bytes record = SaveEntityBytes(integer);
    Bytes merged = layout.bytes;
    PutInt32(merged, 0, 2);
    merged.insert(merged.end(), record.begin(), record.end());
    EXPECT_FALSE(store.Load(merged.data(), static_cast<int>(merged.size())));
    EXPECT_EQ(0, store.GetUserCount());

    EXPECT_FALSE(store.Load(nullptr, 4));
    const BYTE none[4] = {0, 0, 0, 0};
    EXPECT_FALSE(store.Load(none, -1));
    // Zero users is a valid, empty store.
    EXPECT_TRUE(store.Load(none, 4));
    EXPECT_EQ(0, store.GetUserCount());
}

TEST(OptionsCorruption, RepeatedTupleInARecordIsRejected)
{
    const KnownLayout layout = MakeKnownLayout();
    Bytes corrupt = layout.bytes;
    // Make the second tuple equal to the first.
    for (size_t i = 0; i < 16; ++i)
        corrupt[layout.tupleCount + 4 + 16 + i] = corrupt[layout.tupleCount + 4 + i];
    CGuardedBuffer guarded(corrupt);
    TargetStore target;
    EXPECT_FALSE(target.Store().Load(guarded.Data(), guarded.Size()));
    target.ExpectUnchanged("repeated tuple");
}

TEST(OptionsCorruption, AnySingleByteChangeIsRejectedOrReadsBackAsWritten)
{
    // Whatever a damaged buffer loads as, it must never read outside the buffer, and an accepted buffer
    // must save again to the same bytes apart from the changed one (no half-read or shifted content).
    const Bytes full = RichStoreBytes();
    TargetStore target;
    int rejected = 0;
    for (size_t at = 0; at < full.size(); ++at)
    {
        for (BYTE mask : {0xFF, 0x01, 0x80})
        {
            Bytes corrupt = full;
            corrupt[at] ^= mask;
            CGuardedBuffer guarded(corrupt);
            COptionsStore store;
            if (!store.Load(guarded.Data(), guarded.Size()))
            {
                ++rejected;
                continue;
            }
            // Accepted: the change was to a value, a character or to padding that saving clears again.
            Bytes expected = full;
            const Bytes saved = SaveStoreBytes(store);
            ASSERT_EQ(full.size(), saved.size()) << "byte " << at << " ^ " << int(mask);
            expected[at] = saved[at];
            ASSERT_TRUE(saved[at] == full[at] || saved[at] == corrupt[at]) << "byte " << at;
            ASSERT_EQ(HexOf(expected), HexOf(saved)) << "byte " << at << " ^ " << int(mask);
        }
    }
    EXPECT_GT(rejected, 0);
    // A failed load into a store with content leaves it alone.
    Bytes corrupt = full;
    PutInt32(corrupt, 8, 99);
    CGuardedBuffer guarded(corrupt);
    EXPECT_FALSE(target.Store().Load(guarded.Data(), guarded.Size()));
    target.ExpectUnchanged("user id 99");
}
} // namespace
