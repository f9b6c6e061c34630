// Helpers shared by the options store tests: guarded buffers and byte-vector conversions.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/common/GuardedBuffer.h"
#include "ui/options/OptionsEntityBase.h"
#include "ui/options/OptionsStore.h"
#include "ui/options/OptionsUser.h"

typedef std::vector<BYTE> Bytes;
using qvx_test::CGuardedBuffer;

// Saves an entity into a buffer of exactly its reported size, first filled with `fill`; checks that the
// save uses the whole buffer.
inline Bytes SaveEntityBytes(COptionsEntityBase& entity, BYTE fill = 0xCC)
{
    const int size = entity.GetSerializedSize();
    EXPECT_GE(size, 8);
    if (size < 8)
        return Bytes();
    Bytes bytes(static_cast<size_t>(size), fill);
    int offset = 0;
    EXPECT_TRUE(entity.Save(bytes.data(), size, &offset));
    EXPECT_EQ(size, offset);
    return bytes;
}

// The whole-store buffer of a store.
inline Bytes SaveStoreBytes(COptionsStore& store)
{
    const int size = store.GetSerializedSize();
    EXPECT_GE(size, 4);
    if (size < 4)
        return Bytes();
    Bytes bytes(static_cast<size_t>(size), 0xCC);
    int offset = 0;
    EXPECT_TRUE(store.Save(bytes.data(), size, &offset));
    EXPECT_EQ(size, offset);
    return bytes;
}

// Bytes in hex for failure messages.
inline std::string HexOf(const Bytes& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (BYTE b : bytes)
    {
        text += digits[b >> 4];
        text += digits[b & 15];
        text += ' ';
    }
    return text;
}

// Little-endian int32 inside a byte vector.
inline void PutInt32(Bytes& bytes, size_t at, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<BYTE>(static_cast<uint32_t>(value) >> (8 * i));
}

inline int32_t GetInt32(const Bytes& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<int32_t>(value);
}

// Adds a new user to store and makes it the current user.
inline COptionsUser* AddCurrentUser(COptionsStore& store)
{
    COptionsUser* user = new COptionsUser(&store);
    EXPECT_TRUE(store.AddUser(user));
    EXPECT_TRUE(store.SetCurrentUser(user));
    return user;
}

// Fills an empty store with two users that between them hold every kind of entity, 8-bit, UTF-16 and
// empty strings. Returns the first user.
COptionsUser* FillRichStore(COptionsStore& store);
