// Quorvex test-suite interface: the one header a test-suite DLL includes.
//
// A suite DLL exports two undecorated cdecl functions, "UnitTestCaseSuiteConstructor" (returns a new suite
// object) and "UnitTestCaseSuiteDestructor" (destroys it). The suite object starts with a virtual table
// pointer, then the harness's callback interface pointer (written by the harness after construction), then a
// 32-bit version that must be 1. Its virtual table holds, in this order: deleting destructor (flags; 1 =
// destroy and free), run setup, run teardown, register tests.
//
// The layout is shared by Microsoft's compiler and GCC: there is no C++ virtual destructor in the interface
// classes (the two ABIs lay destructors out differently), every method uses the thiscall convention on 32-bit
// x86, and only scalars and pointers cross the boundary. Test and helper entries cross as plain code
// addresses of thiscall functions that take the suite object.
//
// Minimal suite (see README "Writing a test suite"):
//
//     #include <QuorvexSuite.h>
//     class CMySuite : public CUnitTestSuite<CMySuite> {
//     public:
//         void QVX_THISCALL RegisterTests() { QVX_ADD_TEST(CMySuite, Adds); }
//         void Adds() { if (1 + 1 != 2) QVX_ERROR("1 + 1 is not 2"); }
//     };
//     QVX_EXPORT_SUITE(CMySuite)
#pragma once

#if defined(_M_IX86) || defined(__i386__)
#if defined(_MSC_VER)
#define QVX_THISCALL __thiscall
#else
#define QVX_THISCALL __attribute__((thiscall))
#endif
#else
// x86_64 has one calling convention: 'this' travels as the first argument.
#define QVX_THISCALL
#endif

#if defined(_MSC_VER)
#define QVX_CDECL __cdecl
#else
#define QVX_CDECL __attribute__((cdecl))
#endif

// The version this header describes; the harness refuses any other.
#define QVX_SUITE_VERSION 1

// Exception code with which a GCC-built suite's test or helper thunk reports a C++ exception that the test
// did not catch. The first exception parameter is the address of the exception's what() text (or 0).
#define QVX_EXCEPTION_CPP 0xE0515658u
// Exception code of Microsoft's C++ exceptions.
#define QVX_EXCEPTION_MSVC_CPP 0xE06D7363u

// Code address of a thiscall function taking the suite object (test entry) or the suite object and a context
// object (helper entry). Pointer-sized on both ABIs.
typedef void* QVX_TEST_ENTRY;
typedef void* QVX_HELPER_ENTRY;

// The callback interface that the harness hands every suite. The harness implements it; the defaults here
// are harmless no-ops. Slot 0 stands where Microsoft's ABI puts the deleting destructor; suites never call
// it.
class CUnitTestCaseExecutorAPI
{
public:
    virtual void QVX_THISCALL ReleaseInterface(unsigned int flags) {}
    virtual void QVX_THISCALL SetSuiteNameW(const wchar_t* name) {}
    virtual void QVX_THISCALL SetSuiteName(const char* name) {}
    virtual void QVX_THISCALL AddTestW(QVX_TEST_ENTRY entry, const wchar_t* name) {}
    virtual void QVX_THISCALL AddTest(QVX_TEST_ENTRY entry, const char* name) {}
    virtual long QVX_THISCALL StartHelperThread(QVX_HELPER_ENTRY entry, void* context) { return -1; }
    virtual bool QVX_THISCALL StopHelperThread(long id) { return false; }
    virtual bool QVX_THISCALL WaitForHelperThread(long id) { return false; }
    virtual bool QVX_THISCALL IsHelperKeepRunning(long id) { return false; }
    virtual bool QVX_THISCALL LogErrorW(const wchar_t* text, long line) { return false; }
    virtual bool QVX_THISCALL LogError(const char* text, long line) { return false; }
    virtual bool QVX_THISCALL LogWarningW(const wchar_t* text, long line) { return false; }
    virtual bool QVX_THISCALL LogWarning(const char* text, long line) { return false; }
    virtual bool QVX_THISCALL LogInformationW(const wchar_t* text) { return false; }
    virtual bool QVX_THISCALL LogInformation(const char* text) { return false; }
    virtual bool QVX_THISCALL IsRunning() { return false; }
    virtual long QVX_THISCALL GetErrorCount() { return 0; }
    virtual long QVX_THISCALL GetWarningCount() { return 0; }
    virtual long QVX_THISCALL GetInformationCount() { return 0; }
    virtual void* QVX_THISCALL GetFirstHelperContext() { return 0; }
    virtual void* QVX_THISCALL GetNextHelperContext() { return 0; }
    virtual bool QVX_THISCALL EndHelperIteration() { return false; }
    virtual void* QVX_THISCALL GetHelperContext(long id) { return 0; }

protected:
    CUnitTestCaseExecutorAPI() {}
    ~CUnitTestCaseExecutorAPI() {}
};

// Base of a helper thread's context object. The harness writes the helper's id into the second
// pointer-sized field when the helper starts; the first holds the suite object (set by StartHelper).
class CUnitTestHelperContext
{
public:
    CUnitTestHelperContext() : m_pSuite(0), m_nHelperId(-1) {}
    long GetHelperId() const { return static_cast<long>(m_nHelperId); }

    void* m_pSuite;
#if defined(_WIN64)
    long long m_nHelperId;
#else
    long m_nHelperId;
#endif
};

// The part of a suite object that the harness reads and writes. Derive through CUnitTestSuite<T>.
class CUnitTestSuiteBase
{
public:
    // Slot 0: destroys the object; frees it when bit 0 of flags is set.
    virtual void QVX_THISCALL DeletingDestructor(unsigned int flags) {}
    // Slot 1: called on the worker thread before the first test of a run.
    virtual void QVX_THISCALL RunSetup() {}
    // Slot 2: called after the last test of a run.
    virtual void QVX_THISCALL RunTeardown() {}
    // Slot 3: called once after loading; registers the tests (QVX_ADD_TEST).
    virtual void QVX_THISCALL RegisterTests() {}

    // Convenience forwards to the callback interface (null-safe).
    bool Error(const char* text, long line = -1) { return m_pExecutor && m_pExecutor->LogError(text, line); }
    bool Warning(const char* text, long line = -1)
    {
        return m_pExecutor && m_pExecutor->LogWarning(text, line);
    }
    bool Information(const char* text) { return m_pExecutor && m_pExecutor->LogInformation(text); }
    bool ErrorW(const wchar_t* text, long line = -1)
    {
        return m_pExecutor && m_pExecutor->LogErrorW(text, line);
    }
    bool WarningW(const wchar_t* text, long line = -1)
    {
        return m_pExecutor && m_pExecutor->LogWarningW(text, line);
    }
    bool InformationW(const wchar_t* text) { return m_pExecutor && m_pExecutor->LogInformationW(text); }
    bool IsRunning() { return m_pExecutor && m_pExecutor->IsRunning(); }
    void SetSuiteName(const char* name)
    {
        if (m_pExecutor)
            m_pExecutor->SetSuiteName(name);
    }
    CUnitTestCaseExecutorAPI* GetExecutor() const { return m_pExecutor; }

protected:
    CUnitTestSuiteBase() : m_pExecutor(0), m_nVersion(QVX_SUITE_VERSION) {}
    ~CUnitTestSuiteBase() {}

    CUnitTestCaseExecutorAPI* m_pExecutor;
    long m_nVersion;
};

// The base a suite class derives from (T is the suite class itself).
template <class T> class CUnitTestSuite : public CUnitTestSuiteBase
{
public:
    void QVX_THISCALL DeletingDestructor(unsigned int flags)
    {
        // The object is exactly a T (suites are not derived from further), so T's destructor is the right
        // one.
        T* self = static_cast<T*>(this);
        self->~T();
        if (flags & 1)
            ::operator delete(static_cast<void*>(self));
    }
};

#if defined(_MSC_VER)
// Microsoft's ABI: a pointer to a member function of a single-inheritance class is the code address of a
// thiscall function, which is exactly what the harness calls.
template <class M> inline void* QvxMemberAddress(M member)
{
    static_assert(sizeof(M) == sizeof(void*),
                  "test and helper functions must belong to a single-inheritance class");
    union {
        M m;
        void* p;
    } u;
    u.m = member;
    return u.p;
}
#define QVX_TEST_ENTRY_OF(Class, Method) QvxMemberAddress(&Class::Method)
#define QVX_HELPER_ENTRY_OF(Class, Method) QvxMemberAddress(&Class::Method)
#define QVX_SUITE_NEW(Class) new Class()
#else
#include <windows.h>
#include <exception>
#include <new>

// GCC: member-function pointers are two words, so each test goes through a plain thiscall thunk. The thunk
// keeps the suite's C++ exceptions inside the suite (this runtime's unwinder cannot cross into the harness)
// and reports them to the harness as a structured exception instead.
inline void QvxRaiseCppException(const char* what)
{
    ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(what);
    RaiseException(QVX_EXCEPTION_CPP, 0, 1, &argument);
}

// Creates the suite object; a constructor that throws yields null (the harness then refuses the suite).
template <class T> inline T* QvxNewSuite()
{
    try
    {
        return new T();
    }
    catch (...)
    {
        return 0;
    }
}

// Runs call(); a C++ exception that escapes it is caught here and, once its handler has ended, raised again
// as the structured exception QVX_EXCEPTION_CPP carrying its what() text.
template <class F> inline void QvxContainExceptions(F call)
{
    char what[512];
    bool thrown = false;
    what[0] = 0;
    try
    {
        call();
    }
    catch (const std::exception& e)
    {
        thrown = true;
        lstrcpynA(what, e.what() ? e.what() : "", sizeof(what));
    }
    catch (...)
    {
        thrown = true;
    }
    if (thrown)
        QvxRaiseCppException(what[0] ? what : 0);
}

template <class T, void (T::*Method)()> struct CQvxTestThunk
{
    static void QVX_THISCALL Call(void* suite)
    {
        T* self = static_cast<T*>(static_cast<CUnitTestSuiteBase*>(suite));
        QvxContainExceptions([self] { (self->*Method)(); });
    }
};

template <class T, class C, void (T::*Method)(C*)> struct CQvxHelperThunk
{
    static void QVX_THISCALL Call(void* suite, void* context)
    {
        T* self = static_cast<T*>(static_cast<CUnitTestSuiteBase*>(suite));
        C* typed = static_cast<C*>(context);
        QvxContainExceptions([self, typed] { (self->*Method)(typed); });
    }
};

template <class T, class C> struct CQvxHelperTraits
{
    template <void (T::*Method)(C*)> static void* Entry()
    {
        return reinterpret_cast<void*>(&CQvxHelperThunk<T, C, Method>::Call);
    }
};

template <class T, class C> inline CQvxHelperTraits<T, C> QvxHelperTraitsOf(void (T::*)(C*))
{
    return CQvxHelperTraits<T, C>();
}

#define QVX_TEST_ENTRY_OF(Class, Method) reinterpret_cast<void*>(&CQvxTestThunk<Class, &Class::Method>::Call)
#define QVX_HELPER_ENTRY_OF(Class, Method)                                                                   \
    decltype(QvxHelperTraitsOf(&Class::Method))::template Entry<&Class::Method>()
#define QVX_SUITE_NEW(Class) QvxNewSuite<Class>()
#endif

// Registers member function Method (no arguments, no result) of suite class Class as a test named "Method".
// Use inside RegisterTests.
#define QVX_ADD_TEST(Class, Method)                                                                          \
    do                                                                                                       \
    {                                                                                                        \
        if (m_pExecutor)                                                                                     \
            m_pExecutor->AddTest(QVX_TEST_ENTRY_OF(Class, Method), #Method);                                 \
    } while (0)
// The same with a display name of the suite's choice.
#define QVX_ADD_NAMED_TEST(Class, Method, Name)                                                              \
    do                                                                                                       \
    {                                                                                                        \
        if (m_pExecutor)                                                                                     \
            m_pExecutor->AddTest(QVX_TEST_ENTRY_OF(Class, Method), Name);                                    \
    } while (0)

// Starts member function Method (taking a pointer to a context class derived from CUnitTestHelperContext) on
// a helper thread; evaluates to the helper's id, or -1.
#define QVX_START_HELPER(Class, Method, Context)                                                             \
    (m_pExecutor ? ((Context)->m_pSuite = this,                                                              \
                    m_pExecutor->StartHelperThread(QVX_HELPER_ENTRY_OF(Class, Method), (Context)))           \
                 : -1L)

// Messages with the source line.
#define QVX_ERROR(text) Error((text), __LINE__)
#define QVX_WARNING(text) Warning((text), __LINE__)
#define QVX_INFO(text) Information(text)
#define QVX_CHECK(condition)                                                                                 \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
            Error("Check failed: " #condition, __LINE__);                                                    \
    } while (0)

// Exports the two entry points for suite class Class. Use once, at namespace scope, in one source file.
#define QVX_EXPORT_SUITE(Class)                                                                              \
    extern "C" __declspec(dllexport) void* QVX_CDECL UnitTestCaseSuiteConstructor()                          \
    {                                                                                                        \
        return static_cast<CUnitTestSuiteBase*>(QVX_SUITE_NEW(Class));                                       \
    }                                                                                                        \
    extern "C" __declspec(dllexport) void QVX_CDECL UnitTestCaseSuiteDestructor(void* suite)                 \
    {                                                                                                        \
        if (suite)                                                                                           \
            static_cast<CUnitTestSuiteBase*>(suite)->DeletingDestructor(1);                                  \
    }
