// Golden bytes of the options buffer format: string records, entity records, list elements and a store.
#include <gtest/gtest.h>

#include "ui/options/OptionsEntities.h"
#include "ui/options/OptionsListEntities.h"
#include "ui/options/OptionsStore.h"
#include "tests/ui/options/OptionsTestSupport.h"
#include "ui/options/OptionsUser.h"
#include "ui/options/VLStringManager.h"

namespace
{
struct StringRecordCase
{
    const char* label;
    const wchar_t* wide; // used when not null
    const char* ansi;
    int reserved;  // R
    int stride;    // S
    Bytes written; // the bytes up to S (the codec clears what it does not fill)
};

CDravikString MakeText(const StringRecordCase& c)
{
    CDravikString text;
    if (c.wide)
        text.SetWide(c.wide);
    else
        text.SetAnsi(c.ansi);
    return text;
}

class StringRecordTest : public ::testing::TestWithParam<StringRecordCase>
{
};

TEST_P(StringRecordTest, WritesGoldenBytesAndReadsThemBack)
{
    const StringRecordCase& c = GetParam();
    const CDravikString text = MakeText(c);
    EXPECT_EQ(c.reserved, CVLStringManager::GetRecordSize(text));
    EXPECT_EQ(c.stride, CVLStringManager::GetStride(text));

    // Room for the stride plus two bytes that must stay untouched.
    Bytes buffer(static_cast<size_t>(c.stride) + 2, 0xCC);
    CVLStringManager writer;
    ASSERT_TRUE(writer.SetPosition(buffer.data(), buffer.data() + buffer.size()));
    ASSERT_TRUE(writer.WriteString(text));
    EXPECT_EQ(buffer.data() + c.stride, writer.GetPosition());
    EXPECT_EQ(HexOf(c.written), HexOf(Bytes(buffer.begin(), buffer.begin() + c.stride)));
    EXPECT_EQ(0xCC, buffer[c.stride]);
    EXPECT_EQ(0xCC, buffer[c.stride + 1]);

    // Read back from a buffer that ends exactly at the stride.
    CGuardedBuffer guarded(buffer.data(), c.stride);
    ASSERT_TRUE(guarded.IsValid());
    CVLStringManager reader;
    ASSERT_TRUE(reader.SetReadPosition(guarded.Data(), guarded.Data() + guarded.Size()));
    CDravikString read("previous");
    int reserved = 0;
    ASSERT_TRUE(reader.ReadString(&read, &reserved));
    EXPECT_EQ(c.reserved, reserved);
    EXPECT_EQ(guarded.Data() + c.stride, reader.GetPosition());
    EXPECT_EQ(text.IsWide(), read.IsWide());
    EXPECT_TRUE(read.Equals(text));
    EXPECT_EQ(c.reserved, CVLStringManager::GetRecordSize(read));
}

INSTANTIATE_TEST_SUITE_P(
    Records, StringRecordTest,
    ::testing::Values(
        StringRecordCase{"abc 8-bit", nullptr, "abc", 12, 11, {3, 0, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
        StringRecordCase{
            "abc UTF-16", L"abc", nullptr, 16, 14, {3, 0, 0, 0, 1, 'a', 0, 'b', 0, 'c', 0, 0, 0, 0}},
        StringRecordCase{"empty 8-bit", nullptr, "", 9, 8, {0, 0, 0, 0, 0, 0, 0, 0}},
        StringRecordCase{"empty UTF-16", L"", nullptr, 10, 8, {0, 0, 0, 0, 1, 0, 0, 0}},
        StringRecordCase{"non-ASCII UTF-16",
                         L"\u00e9\u4e2d",
                         nullptr,
                         14,
                         12,
                         {2, 0, 0, 0, 1, 0xE9, 0x00, 0x2D, 0x4E, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<StringRecordCase>& info) {
        std::string name = info.param.label;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(VLStringManager, RefusesWithoutCursorAndWhenTheStrideDoesNotFit)
{
    CVLStringManager codec;
    CDravikString out;
    EXPECT_FALSE(codec.WriteString(CDravikString("abc")));
    EXPECT_FALSE(codec.ReadString(&out));
    EXPECT_FALSE(codec.SetPosition(nullptr, nullptr));

    BYTE buffer[11] = {};
    ASSERT_TRUE(codec.SetPosition(buffer, buffer + 10));
    EXPECT_FALSE(codec.WriteString(CDravikString("abc"))); // needs 11
    EXPECT_EQ(buffer, codec.GetPosition());
    ASSERT_TRUE(codec.SetPosition(buffer, buffer + 11));
    EXPECT_TRUE(codec.WriteString(CDravikString("abc")));

    // A reading cursor never writes.
    CVLStringManager reader;
    ASSERT_TRUE(reader.SetReadPosition(buffer, buffer + 11));
    EXPECT_FALSE(reader.WriteString(CDravikString("x")));
}

TEST(VLStringManager, WritesATextGrownWithZerosOnlyUpToItsFirstNul)
{
    // A grown string reports a longer length than its text; the record must still read back equal.
    CDravikString text("ab");
    ASSERT_TRUE(text.GrowToLength(6));
    ASSERT_EQ(6, text.GetLength());
    EXPECT_EQ(11, CVLStringManager::GetRecordSize(text));
    Bytes buffer(10, 0xCC);
    CVLStringManager writer;
    ASSERT_TRUE(writer.SetPosition(buffer.data(), buffer.data() + buffer.size()));
    ASSERT_TRUE(writer.WriteString(text));
    EXPECT_EQ(HexOf(Bytes{2, 0, 0, 0, 0, 'a', 'b', 0, 0, 0}), HexOf(buffer));
}

struct EntityGoldenCase
{
    const char* label;
    COptionsEntityBase* (*make)();
    Bytes expected;
};

class EntityGoldenTest : public ::testing::TestWithParam<EntityGoldenCase>
{
};

TEST_P(EntityGoldenTest, SavesExactBytesWhateverTheBufferHeld)
{
    const EntityGoldenCase& c = GetParam();
    std::unique_ptr<COptionsEntityBase> entity(c.make());
    EXPECT_EQ(static_cast<int>(c.expected.size()), entity->GetSerializedSize());
    // The unused bytes of a record are cleared, so any previous content gives the same result.
    EXPECT_EQ(HexOf(c.expected), HexOf(SaveEntityBytes(*entity, 0xCC)));
    EXPECT_EQ(HexOf(c.expected), HexOf(SaveEntityBytes(*entity, 0x00)));
}

COptionsEntityBase* MakeInteger()
{
    auto* e = new COptionsEntityInteger(37);
    e->SetValue(0x12345678);
    return e;
}

COptionsEntityBase* MakeBoolean()
{
    auto* e = new COptionsEntityBoolean(21);
    e->SetValue(1);
    return e;
}

COptionsEntityBase* MakeLargeInteger()
{
    auto* e = new COptionsEntityLargeInteger(12);
    e->SetValue(0x0102030405060708LL);
    return e;
}

COptionsEntityBase* MakePaneSize()
{
    auto* e = new COptionsEntityPaneSize(13);
    e->SetValues(640, 480);
    return e;
}

COptionsEntityBase* MakeFileTime()
{
    auto* e = new COptionsEntityFileTime(53);
    e->SetValue(0x01D9000012345678LL);
    return e;
}

COptionsEntityBase* MakeWindowPosition()
{
    auto* e = new COptionsEntityWindowPosition(1);
    e->SetValue(0, 10);
    e->SetValue(1, 20);
    e->SetValue(2, -1);
    e->SetValue(3, 400);
    return e;
}

COptionsEntityBase* MakeString()
{
    auto* e = new COptionsEntityString(14);
    e->SetText(CDravikString("abc"));
    return e;
}

COptionsEntityBase* MakeTupleList()
{
    auto* e = new COptionsEntityIntegerTupleList(28);
    e->AddTuple(1, 2, 3, 4);
    return e;
}

COptionsEntityBase* MakeProjectString()
{
    auto* e = new COptionsEntityProjectString(15);
    auto* entry = new COptionsEntityProjectStringEntity();
    entry->SetText(CDravikString("p"));
    e->AddElement(entry);
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Records, EntityGoldenTest,
    ::testing::Values(
        EntityGoldenCase{"Integer", MakeInteger, {1, 0, 0, 0, 37, 0, 0, 0, 0x78, 0x56, 0x34, 0x12}},
        EntityGoldenCase{"Boolean", MakeBoolean, {5, 0, 0, 0, 21, 0, 0, 0, 1, 0, 0, 0}},
        EntityGoldenCase{"LargeInteger", MakeLargeInteger, {2, 0, 0, 0, 12, 0, 0, 0, 8, 7, 6, 5, 4, 3, 2, 1}},
        EntityGoldenCase{"PaneSize", MakePaneSize, {6, 0, 0, 0, 13, 0, 0, 0, 0x80, 2, 0, 0, 0xE0, 1, 0, 0}},
        EntityGoldenCase{
            "FileTime", MakeFileTime, {11, 0, 0, 0, 53, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0xD9, 0x01}},
        EntityGoldenCase{"WindowPosition", MakeWindowPosition, {7,    0,    0,    0,    1,    0, 0, 0,
                                                                10,   0,    0,    0,    20,   0, 0, 0,
                                                                0xFF, 0xFF, 0xFF, 0xFF, 0x90, 1, 0, 0}},
        // 8 + R("abc") = 8 + 12: the byte after the stride belongs to the record and is cleared.
        EntityGoldenCase{
            "String", MakeString, {4, 0, 0, 0, 14, 0, 0, 0, 3, 0, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}},
        EntityGoldenCase{"TupleList", MakeTupleList, {10, 0, 0, 0, 28, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                                                      0,  0, 2, 0, 0,  0, 3, 0, 0, 0, 4, 0, 0, 0}},
        // Entry: text "p" (R = 10), then the six values -1, -1, -1, -1, 0, 0.
        EntityGoldenCase{"ProjectString",
                         MakeProjectString,
                         {9,    0,    0,    0,    15,   0,    0,    0,    1,    0,    0,    0,
                          1,    0,    0,    0,    0,    'p',  0,    0,    0,    0,    0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                          0xFF, 0xFF, 0,    0,    0,    0,    0,    0,    0,    0}}),
    [](const ::testing::TestParamInfo<EntityGoldenCase>& info) { return std::string(info.param.label); });

TEST(OptionsBufferGolden, StringMapEntryPlacesValueAtStrideAndKeyAfterBothReservedSizes)
{
    COptionsEntityStringMapEntity entry;
    entry.SetName(CDravikString("a"));
    entry.SetValue(CDravikString("bc"));
    entry.SetKey(0x11223344, -1);
    const Bytes expected = {
        1,    0,    0,    0,    0, 'a', 0,   0, 0,    // name "a": S = 9, so the value starts at 9
        2,    0,    0,    0,    0, 'b', 'c', 0, 0, 0, // value "bc" (S = 10) ...
        0,    0,                                      // ... up to R(name) + R(value) = 10 + 11 = 21
        0x44, 0x33, 0x22, 0x11,                       // key low at 21
        0xFF, 0xFF, 0xFF, 0xFF};                      // key high
    ASSERT_EQ(29u, expected.size());
    EXPECT_EQ(29, entry.GetSerializedSize());
    for (BYTE fill : {0x00, 0xCC})
    {
        Bytes buffer(29, fill);
        int offset = 0;
        ASSERT_TRUE(entry.Save(buffer.data(), 29, &offset));
        EXPECT_EQ(29, offset);
        EXPECT_EQ(HexOf(expected), HexOf(buffer));
    }

    CGuardedBuffer guarded(expected);
    COptionsEntityStringMapEntity loaded;
    int offset = 0;
    ASSERT_TRUE(loaded.Load(guarded.Data(), guarded.Size(), &offset));
    EXPECT_EQ(29, offset);
    EXPECT_STREQ("a", loaded.GetName().PeekAnsi());
    EXPECT_STREQ("bc", loaded.GetValue().PeekAnsi());
    EXPECT_EQ(0x11223344, loaded.GetKeyLow());
    EXPECT_EQ(-1, loaded.GetKeyHigh());
}

TEST(OptionsBufferGolden, EmptyColourProfileEntryIs391BytesWithStringsEightApart)
{
    COptionsEntityColorProfileEntry entry;
    EXPECT_EQ(391, entry.GetSerializedSize());
    Bytes expected(391, 0);
    expected[0] = expected[1] = expected[2] = expected[3] = 1; // the four flags after construction
    // Strings at 264, 272, ... 312: each is six zero bytes, like the rest of the block.
    Bytes buffer(391, 0xCC);
    int offset = 0;
    ASSERT_TRUE(entry.Save(buffer.data(), 391, &offset));
    EXPECT_EQ(391, offset);
    EXPECT_EQ(HexOf(expected), HexOf(buffer));
}

TEST(OptionsBufferGolden, ColourProfileEntryWithTextsValuesAndOneExtraString)
{
    COptionsEntityColorProfileEntry entry;
    entry.SetName(CDravikString("N"));
    entry.SetText(4, CDravikString("D"));
    entry.SetFlag(2, 0);
    entry.SetValue(0, 5);
    entry.SetArrayValue(1, 0, 7);
    entry.SetArrayValue(3, 14, -2);
    entry.AddExtraString(CDravikString("X"));
    // 328 + R("N") + R("D") + 5 * R("") + R("X") = 328 + 10 + 10 + 45 + 10.
    ASSERT_EQ(403, entry.GetSerializedSize());

    Bytes expected(403, 0);
    const auto patch = [&expected](size_t at, const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(), expected.begin() + at);
    };
    patch(0, {1, 1, 0, 1});                    // flags
    patch(4, {5, 0, 0, 0});                    // value 0
    patch(80, {7, 0, 0, 0});                   // array 2, element 0
    patch(200 + 56, {0xFE, 0xFF, 0xFF, 0xFF}); // array 4, element 14
    patch(260, {1, 0, 0, 0});                  // one extra string
    patch(264, {1, 0, 0, 0, 0, 'N', 0});       // name (S = 9)
    patch(273, {1, 0, 0, 0, 0, 'D', 0});       // text 4 (S = 9); texts 5, 1, 2, 3, 6 empty at 282..314
    patch(322, {1, 0, 0, 0, 0, 'X', 0});       // the extra string
    Bytes buffer(403, 0xCC);
    int offset = 0;
    ASSERT_TRUE(entry.Save(buffer.data(), 403, &offset));
    EXPECT_EQ(HexOf(expected), HexOf(buffer));

    CGuardedBuffer guarded(expected);
    COptionsEntityColorProfileEntry loaded;
    offset = 0;
    ASSERT_TRUE(loaded.Load(guarded.Data(), guarded.Size(), &offset));
    EXPECT_EQ(403, offset);
    EXPECT_STREQ("N", loaded.GetName().PeekAnsi());
    EXPECT_STREQ("D", loaded.GetText(4).PeekAnsi());
    EXPECT_TRUE(loaded.GetText(1).IsEmpty());
    EXPECT_EQ(0, loaded.GetFlag(2));
    EXPECT_EQ(1, loaded.GetFlag(3));
    EXPECT_EQ(5, loaded.GetValue(0));
    EXPECT_EQ(7, loaded.GetArrayValue(1, 0));
    EXPECT_EQ(-2, loaded.GetArrayValue(3, 14));
    ASSERT_EQ(1, loaded.GetExtraCount());
    EXPECT_STREQ("X", loaded.GetExtraString(0).PeekAnsi());
}

// The layout text of one user, as the resizable dialogs keep it.
const Bytes kLayoutStore = {
    1, 0, 0, 0,                                            // one user
    0, 0, 0, 0, 0,  0,   0,   0,   1,   0,   0,   0,       // user record: kind 0, id 0, one entity
    1, 0, 0, 0, 0,  'u', 0,   0,   0,   0,                 // name "u" (R = 10)
    8, 0, 0, 0, 80, 0,   0,   0,   1,   0,   0,   0,       // string map 80 with one entry
    6, 0, 0, 0, 0,  'C', 'l', 'i', 'e', 'n', 't', 0, 0, 0, // "Client" (S = 14)
    1, 0, 0, 0, 0,  'L', 0,   0,   0,   0,   0,            // "L", up to 15 + 10 = 25
    1, 0, 0, 0, 0,  0,   0,   0};                          // key (1, 0)

TEST(OptionsBufferGolden, StoreWithOneLayoutText)
{
    ASSERT_EQ(71u, kLayoutStore.size());
    COptionsStore store;
    COptionsUser* user = new COptionsUser(&store);
    user->SetName(CDravikString("u"));
    ASSERT_TRUE(store.AddUser(user));
    ASSERT_TRUE(store.SetCurrentUser(user));
    ASSERT_TRUE(store.SetStringEntity(CDravikString("L"), 1));
    EXPECT_EQ(HexOf(kLayoutStore), HexOf(SaveStoreBytes(store)));

    CGuardedBuffer guarded(kLayoutStore);
    COptionsStore loaded;
    ASSERT_TRUE(loaded.Load(guarded.Data(), guarded.Size()));
    ASSERT_EQ(1, loaded.GetUserCount());
    EXPECT_EQ(loaded.GetUser(0), loaded.GetCurrentUser());
    EXPECT_STREQ("u", loaded.GetUser(0)->GetName().PeekAnsi());
    CDravikString text;
    ASSERT_TRUE(loaded.GetStringEntity(1, &text));
    EXPECT_STREQ("L", text.PeekAnsi());
    EXPECT_FALSE(loaded.GetStringEntity(2, &text));
}
} // namespace
