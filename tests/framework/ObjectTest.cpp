#include "framework/Exceptions.h"
#include "framework/Object.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class CObjTestAnimal : public CObject
{
    DECLARE_DYNAMIC(CObjTestAnimal)
};

class CObjTestDog : public CObjTestAnimal
{
    DECLARE_DYNCREATE(CObjTestDog)
public:
    int m_legs = 4;
};

class CObjTestPuppy : public CObjTestDog
{
    DECLARE_SERIAL(CObjTestPuppy)
};

class CObjTestStone : public CObject
{
    DECLARE_DYNCREATE(CObjTestStone)
};
IMPLEMENT_DYNAMIC(CObjTestAnimal, CObject)
IMPLEMENT_DYNCREATE(CObjTestDog, CObjTestAnimal)
IMPLEMENT_SERIAL(CObjTestPuppy, CObjTestDog, 3)
IMPLEMENT_DYNCREATE(CObjTestStone, CObject)
} // namespace

TEST(ObjectTest, IsKindOfFollowsTheBaseChain)
{
    CObjTestPuppy puppy;
    CObjTestStone stone;
    struct Case
    {
        const CObject* obj;
        CRuntimeClass* cls;
        bool want;
    } cases[] = {
        {&puppy, RUNTIME_CLASS(CObjTestPuppy), true},  {&puppy, RUNTIME_CLASS(CObjTestDog), true},
        {&puppy, RUNTIME_CLASS(CObjTestAnimal), true}, {&puppy, RUNTIME_CLASS(CObject), true},
        {&puppy, RUNTIME_CLASS(CObjTestStone), false}, {&stone, RUNTIME_CLASS(CObjTestAnimal), false},
        {&stone, RUNTIME_CLASS(CObject), true},        {&puppy, nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.want, c.obj->IsKindOf(c.cls) != FALSE) << c.cls;
    EXPECT_FALSE(RUNTIME_CLASS(CObjTestDog)->IsDerivedFrom(RUNTIME_CLASS(CObjTestPuppy)));
    EXPECT_TRUE(RUNTIME_CLASS(CObjTestPuppy)->IsDerivedFrom(RUNTIME_CLASS(CObjTestAnimal)));
}

TEST(ObjectTest, ClassRecordsHoldNameSizeSchemaAndBase)
{
    CRuntimeClass* c = RUNTIME_CLASS(CObjTestPuppy);
    EXPECT_STREQ("CObjTestPuppy", c->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CObjTestPuppy)), c->m_nObjectSize);
    EXPECT_EQ(3u, c->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CObjTestDog), c->m_pBaseClass);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CObjTestDog)->m_wSchema);
    EXPECT_TRUE(CObjTestPuppy().IsSerializable());
    EXPECT_FALSE(CObjTestDog().IsSerializable());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
}

TEST(ObjectTest, DynamicCreationByName)
{
    std::unique_ptr<CObject> dog(CRuntimeClass::CreateObject("CObjTestDog"));
    ASSERT_NE(nullptr, dog);
    EXPECT_EQ(RUNTIME_CLASS(CObjTestDog), dog->GetRuntimeClass());
    EXPECT_EQ(4, static_cast<CObjTestDog*>(dog.get())->m_legs);
    std::unique_ptr<CObject> puppy(CRuntimeClass::CreateObject(L"CObjTestPuppy"));
    ASSERT_NE(nullptr, puppy);
    EXPECT_TRUE(puppy->IsKindOf(RUNTIME_CLASS(CObjTestPuppy)));
    // Known but not creatable, unknown, wrong case, null.
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CObjTestAnimal"));
    EXPECT_EQ(RUNTIME_CLASS(CObjTestAnimal), CRuntimeClass::FromName("CObjTestAnimal"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CObjTestNobody"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("cobjtestdog"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CObjTest\x00E9"));
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));
}

TEST(ObjectTest, DowncastsCheckTheClass)
{
    CObjTestPuppy puppy;
    CObjTestStone stone;
    CObject* p = &puppy;
    CObject* s = &stone;
    EXPECT_EQ(&puppy, DYNAMIC_DOWNCAST(CObjTestDog, p));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CObjTestDog, s));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CObjTestDog, static_cast<CObject*>(nullptr)));
    EXPECT_EQ(&puppy, STATIC_DOWNCAST(CObjTestPuppy, p));
}

TEST(ObjectTest, ExceptionsThrownByPointerCarryTheirCause)
{
    try
    {
        AfxThrowFileException(CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND), ERROR_FILE_NOT_FOUND,
                              "missing.txt");
        FAIL() << "no exception";
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* fe = static_cast<CFileException*>(e);
        EXPECT_EQ(CFileException::fileNotFound, fe->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, fe->m_lOsError);
        EXPECT_STREQ("missing.txt", fe->m_strFileName);
        char text[256];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
        EXPECT_NE(nullptr, strstr(text, "missing.txt"));
        char tiny[4];
        EXPECT_TRUE(e->GetErrorMessage(tiny, sizeof(tiny))); // cut, still terminated
        EXPECT_EQ(3u, strlen(tiny));
        e->Delete();
    }
    struct Case
    {
        LONG os;
        int cause;
    } cases[] = {
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_INVALID_HANDLE, CFileException::invalidFile},
        {12345, CFileException::genericException},
        {NO_ERROR, CFileException::none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.os)) << c.os;
    // A stack exception is not freed by Delete.
    CArchiveException onStack(CArchiveException::badClass);
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete();
    EXPECT_EQ(CArchiveException::badClass, onStack.m_cause);
}
