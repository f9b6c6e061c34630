// Keyboard rules of command bars: the access-key ampersand, whether a key produces a character, the
// navigation code of each key on horizontal, vertical and right-to-left bars, and the access-key search.
#include "toolkit/commandbars/bars/XTPCommandBarKeyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST(CommandBarKeyboard, FindMnemonicAmpersand)
{
    struct Case
    {
        const char* text;
        int index;
    } cases[] = {
        {"", -1},          {"File", -1},     {"&File", 0},       {"Fi&le", 2},   {"Save &As", 5},
        {"A && B", -1},    {"&&x&y", 3},     {"File&", -1},      {"&&", -1},     {"&&&a", 2},
        {"a&b&c", 1},      {"&", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, FindMnemonicAmpersand(c.text)) << '"' << c.text << '"';
}

TEST(CommandBarKeyboard, CompareAccessKey)
{
    struct Case
    {
        char ch;
        UINT key;
        BOOL match;
    } cases[] = {
        {'a', 'A', TRUE},
        {'A', 'A', TRUE},
        {'b', 'A', FALSE},
        {'1', '1', TRUE},
        {'5', VK_NUMPAD5, TRUE},
        {'4', VK_NUMPAD5, FALSE},
        // 'a' is 0x61, the code of VK_NUMPAD1: keypad keys give digits only.
        {'a', VK_NUMPAD1, FALSE},
        {'1', VK_NUMPAD1, TRUE},
        // 'p' is 0x70, the code of VK_F1, a key without a character.
        {'p', VK_F1, FALSE},
        {'P', VK_F1, FALSE},
        // Through the keyboard layout: Shift+1 gives '!'.
        {'!', '1', TRUE},
        {'!', '2', FALSE},
        {'-', VK_OEM_MINUS, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, CompareAccessKey(c.ch, c.key)) << "'" << c.ch << "' key 0x" << std::hex << c.key;
}

TEST(CommandBarKeyboard, HorizontalPositions)
{
    const BOOL expected[] = {TRUE, TRUE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE};
    for (int nPosition = 0; nPosition < 8; ++nPosition)
    {
        EXPECT_EQ(expected[nPosition], XTPIsHorizontalBarPosition(nPosition, FALSE)) << nPosition;
        EXPECT_TRUE(XTPIsHorizontalBarPosition(nPosition, TRUE)) << nPosition;
    }
}

TEST(CommandBarKeyboard, KeyToCodeTable)
{
    struct Case
    {
        UINT key;
        int horizontal, horizontalRtl, vertical, verticalRtl;
    } cases[] = {
        {VK_LEFT, 8, 9, 2, 3},   {VK_RIGHT, 9, 8, 3, 2},  {VK_UP, 2, 2, 1, 1},      {VK_DOWN, 3, 3, 0, 0},
        {VK_HOME, 6, 6, 6, 6},   {VK_END, 7, 7, 7, 7},    {VK_RETURN, 5, 5, 5, 5},  {VK_ESCAPE, 4, 4, 4, 4},
        {VK_SPACE, 10, 10, 10, 10}, {VK_TAB, 0, 0, 0, 0}, {'A', -1, -1, -1, -1},    {VK_F1, -1, -1, -1, -1},
        {VK_PRIOR, -1, -1, -1, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << c.key);
        EXPECT_EQ(c.horizontal, XTPKeyToSpecialCode(c.key, TRUE, FALSE, FALSE));
        EXPECT_EQ(c.horizontalRtl, XTPKeyToSpecialCode(c.key, TRUE, TRUE, FALSE));
        EXPECT_EQ(c.vertical, XTPKeyToSpecialCode(c.key, FALSE, FALSE, FALSE));
        EXPECT_EQ(c.verticalRtl, XTPKeyToSpecialCode(c.key, FALSE, TRUE, FALSE));
    }
    // Shift+Tab goes back on every bar; Shift changes no other key.
    EXPECT_EQ(xtpKeyPrev, XTPKeyToSpecialCode(VK_TAB, TRUE, FALSE, TRUE));
    EXPECT_EQ(xtpKeyPrev, XTPKeyToSpecialCode(VK_TAB, FALSE, TRUE, TRUE));
    EXPECT_EQ(xtpKeyLeft, XTPKeyToSpecialCode(VK_LEFT, TRUE, FALSE, TRUE));
}

std::vector<XTP_MNEMONIC_CANDIDATE> Bar(std::initializer_list<const char*> captions)
{
    std::vector<XTP_MNEMONIC_CANDIDATE> controls;
    for (const char* caption : captions)
    {
        XTP_MNEMONIC_CANDIDATE c;
        c.strCaption = caption;
        controls.push_back(c);
    }
    return controls;
}

TEST(CommandBarKeyboard, MnemonicSearch)
{
    struct Case
    {
        std::vector<XTP_MNEMONIC_CANDIDATE> controls;
        int hot;
        UINT key;
        int index;
        BOOL unique;
        const char* what;
    } cases[] = {
        {Bar({"Save", "Send", "Open"}), -1, 'S', 0, FALSE, "two first letters: the first, not unique"},
        {Bar({"Save", "Send", "Open"}), 0, 'S', 1, FALSE, "the search starts after the hot control"},
        {Bar({"Save", "Send", "Open"}), 1, 'S', 0, FALSE, "and wraps"},
        {Bar({"save", "Open"}), -1, 'S', 0, TRUE, "one first letter, a lower-case caption"},
        {Bar({"Save", "S&end", "Open"}), -1, 'E', 1, TRUE, "an explicit ampersand executes"},
        {Bar({"Save", "S&end", "Open"}), -1, 'S', 0, TRUE, "a caption with an ampersand has no first-letter key"},
        {Bar({"Sa&ve", "Open", "Sto&p"}), -1, 'S', -1, FALSE, "nothing matches"},
        {Bar({"&Save", "Send", "&Sort"}), -1, 'S', 0, FALSE, "a second ampersand match: the first, not unique"},
        {Bar({"Send", "&Save"}), -1, 'S', 1, TRUE, "an ampersand match wins over a first letter"},
        {Bar({"", "A && B"}), -1, 'A', 1, TRUE, "a literal ampersand is no marker"},
        {Bar({"Open"}), -1, 'X', -1, FALSE, "no match"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        BOOL bUnique = 2;
        EXPECT_EQ(c.index, XTPFindMnemonicIndex(c.controls.data(), static_cast<int>(c.controls.size()), c.hot,
                                                c.key, bUnique));
        EXPECT_EQ(c.unique, bUnique);
    }
}

TEST(CommandBarKeyboard, MnemonicSearchSkipsHiddenAndDisabled)
{
    std::vector<XTP_MNEMONIC_CANDIDATE> controls = Bar({"&Save", "Send", "Sort"});
    controls[0].bEnabled = FALSE;
    controls[1].bVisible = FALSE;
    BOOL bUnique = FALSE;
    EXPECT_EQ(2, XTPFindMnemonicIndex(controls.data(), 3, -1, 'S', bUnique));
    EXPECT_TRUE(bUnique);
    EXPECT_EQ(-1, XTPFindMnemonicIndex(nullptr, 0, -1, 'S', bUnique));
    EXPECT_FALSE(bUnique);
}
} // namespace
