// Notification connections and sinks: sending, re-entrant sends, unadvising during a send,
// delegates, cookies and references.
#include "toolkit/common/system/XTPNotifyConnection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const XTP_NOTIFY_CODE kEventA = 100;
const XTP_NOTIFY_CODE kEventB = 200;

// A sink that records its calls and runs an optional action inside OnEvent.
class RecordingSink : public CXTPNotifySinkBase
{
public:
    RecordingSink(std::vector<std::string>* pLog, const char* pszName) : m_pLog(pLog), m_name(pszName) {}
    void OnEvent(XTP_NOTIFY_CODE code, WPARAM wParam, LPARAM lParam, DWORD dw3) override
    {
        m_pLog->push_back(m_name + ":" + std::to_string(code) + ":" + std::to_string(wParam) + ":" +
                          std::to_string(lParam) + ":" + std::to_string(dw3));
        if (m_action)
            m_action();
    }
    std::function<void()> m_action;

private:
    std::vector<std::string>* m_pLog;
    std::string m_name;
};

// A connection whose sync object counts lock and unlock calls.
class CountingSync : public CSyncObject
{
public:
    CountingSync() : CSyncObject("counting") {}
    BOOL Lock(DWORD = INFINITE) override
    {
        ++nLocks;
        ++nDepth;
        return TRUE;
    }
    BOOL Unlock() override
    {
        --nDepth;
        return TRUE;
    }
    using CSyncObject::Unlock;
    int nLocks = 0;
    int nDepth = 0;
};

class CountingConnection : public CXTPNotifyConnection
{
public:
    CSyncObject* GetSyncObject() override { return &sync; }
    CountingSync sync;
};

class FunctionDelegate : public CXTPNotifySinkDelegate
{
public:
    FunctionDelegate(std::vector<std::string>* pLog, const char* pszName, int* pDeleted = nullptr)
        : m_pLog(pLog), m_name(pszName), m_pDeleted(pDeleted)
    {
    }
    ~FunctionDelegate() override
    {
        if (m_pDeleted)
            ++*m_pDeleted;
    }
    void OnEvent(XTP_NOTIFY_CODE code, WPARAM, LPARAM, DWORD) override
    {
        m_pLog->push_back(m_name + ":" + std::to_string(code));
    }

private:
    std::vector<std::string>* m_pLog;
    std::string m_name;
    int* m_pDeleted;
};
} // namespace

TEST(NotifyConnection, SendsToSubscribersOfTheEventInOrderWithAllParameters)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second"), other(&log, "other");
    EXPECT_NE(0u, first.Advise(pConnection, kEventA));
    EXPECT_NE(0u, other.Advise(pConnection, kEventB));
    EXPECT_NE(0u, second.Advise(pConnection, kEventA));

    EXPECT_TRUE(pConnection->SendEvent(kEventA, 1, 2, 3));
    EXPECT_EQ((std::vector<std::string>{"first:100:1:2:3", "second:100:1:2:3"}), log);
    pConnection->InternalRelease();
}

TEST(NotifyConnection, EventWithoutSubscriberReturnsFalseAndCallsNobody)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink sink(&log, "sink");
    sink.Advise(pConnection, kEventA);
    EXPECT_FALSE(pConnection->SendEvent(kEventB, 0, 0));
    EXPECT_TRUE(log.empty());
    pConnection->InternalRelease();
}

TEST(NotifyConnection, SinkUnadvisingAnotherDuringSendStopsItsCall)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second");
    first.Advise(pConnection, kEventA);
    second.Advise(pConnection, kEventA);
    first.m_action = [&] { second.UnadviseAll(); };

    EXPECT_TRUE(pConnection->SendEvent(kEventA, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first:100:0:0:0"}), log);
    EXPECT_EQ(1, pConnection->GetConnectionCount());
    pConnection->InternalRelease();
}

TEST(NotifyConnection, NestedSendFinishesBeforeTheOuterGoesOn)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second"), nested(&log, "nested");
    first.Advise(pConnection, kEventA);
    second.Advise(pConnection, kEventA);
    nested.Advise(pConnection, kEventB);
    first.m_action = [&] { pConnection->SendEvent(kEventB, 7, 0); };

    EXPECT_TRUE(pConnection->SendEvent(kEventA, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first:100:0:0:0", "nested:200:7:0:0", "second:100:0:0:0"}), log);
    pConnection->InternalRelease();
}

TEST(NotifyConnection, NestedSendOfTheSameEventReachesEverySinkAgain)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second");
    first.Advise(pConnection, kEventA);
    second.Advise(pConnection, kEventA);
    int depth = 0;
    first.m_action = [&] {
        if (depth++ == 0)
            pConnection->SendEvent(kEventA, 9, 0);
    };
    pConnection->SendEvent(kEventA, 1, 0);
    EXPECT_EQ((std::vector<std::string>{"first:100:1:0:0", "first:100:9:0:0", "second:100:9:0:0",
                                        "second:100:1:0:0"}),
              log);
    pConnection->InternalRelease();
}

// A sink unsubscribed and a new one subscribed during a send may get a record at the very
// address of the old one; the old copy must still not be called.
TEST(NotifyConnection, StaleCopyIsNotCalledWhenItsRecordIsReused)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first");
    RecordingSink* pVictim = new RecordingSink(&log, "victim");
    RecordingSink replacement(&log, "replacement");
    first.Advise(pConnection, kEventA);
    XTP_CONNECTION_ID victimId = pVictim->Advise(pConnection, kEventA);
    first.m_action = [&] {
        delete pVictim; // unadvises: its record is freed
        pVictim = nullptr;
        for (int i = 0; i < 8; ++i) // allocations of the same size reuse the freed record
            replacement.Advise(pConnection, kEventB);
    };
    pConnection->SendEvent(kEventA, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"first:100:0:0:0"}), log);

    // Cookies are never reused.
    RecordingSink later(&log, "later");
    XTP_CONNECTION_ID laterId = later.Advise(pConnection, kEventA);
    EXPECT_GT(laterId, victimId);
    pConnection->InternalRelease();
}

TEST(NotifyConnection, SinkMayReleaseTheLastReferenceDuringSend)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second");
    first.Advise(pConnection, kEventA);
    second.Advise(pConnection, kEventA);
    // The sinks hold references of their own; drop the creator's and then the sinks'.
    pConnection->InternalRelease();
    first.m_action = [&] {
        first.UnadviseAll();
        second.UnadviseAll();
    };
    // Still alive here (the sinks hold it), and alive through the send (the send holds it).
    EXPECT_TRUE(pConnection->SendEvent(kEventA, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first:100:0:0:0"}), log);
}

TEST(NotifyConnection, SinkExceptionDoesNotStopTheOthers)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink first(&log, "first"), second(&log, "second");
    first.Advise(pConnection, kEventA);
    second.Advise(pConnection, kEventA);
    first.m_action = [] { throw 42; };
    EXPECT_TRUE(pConnection->SendEvent(kEventA, 0, 0));
    EXPECT_EQ(2u, log.size());
    pConnection->InternalRelease();
}

TEST(NotifyConnection, EveryOperationTakesTheSyncObjectAndReleasesIt)
{
    std::vector<std::string> log;
    CountingConnection* pConnection = new CountingConnection();
    RecordingSink sink(&log, "sink");
    sink.m_action = [&] { EXPECT_EQ(0, pConnection->sync.nDepth); }; // not held while a sink runs
    sink.Advise(pConnection, kEventA);
    EXPECT_GE(pConnection->sync.nLocks, 1);
    int before = pConnection->sync.nLocks;
    pConnection->SendEvent(kEventA, 0, 0);
    EXPECT_GT(pConnection->sync.nLocks, before);
    EXPECT_EQ(0, pConnection->sync.nDepth);
    EXPECT_EQ(1u, log.size());
    sink.UnadviseAll();
    pConnection->InternalRelease();
}

TEST(NotifyConnection, DefaultSyncObjectIsTheEmptyOne)
{
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    CSyncObject* pSync = pConnection->GetSyncObject();
    ASSERT_NE(nullptr, pSync);
    EXPECT_STREQ("XTPEmptySyncObject", pSync->GetName());
    EXPECT_TRUE(pSync->Lock());
    EXPECT_TRUE(pSync->Unlock());
    pConnection->InternalRelease();
}

TEST(NotifyConnection, UnadviseOfAnUnknownCookieIsIgnored)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink sink(&log, "sink");
    sink.Advise(pConnection, kEventA);
    pConnection->Unadvise(0);
    pConnection->Unadvise(0x7FFFFFF0);
    EXPECT_EQ(1, pConnection->GetConnectionCount());
    EXPECT_EQ(0u, pConnection->Advise(kEventA, nullptr));
    sink.UnadviseAll();
    pConnection->InternalRelease();
}

TEST(NotifySink, AdviseHoldsAReferenceAndUnadviseAllReleasesIt)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    RecordingSink sink(&log, "sink");
    EXPECT_EQ(0u, sink.Advise(nullptr, kEventA));
    sink.Advise(pConnection, kEventA);
    sink.Advise(pConnection, kEventB);
    EXPECT_EQ(3, pConnection->m_dwRef);
    EXPECT_EQ(2, sink.GetAdviseCount());

    sink.UnadviseAll();
    EXPECT_EQ(1, pConnection->m_dwRef);
    EXPECT_EQ(0, sink.GetAdviseCount());
    EXPECT_EQ(0, pConnection->GetConnectionCount());
    EXPECT_FALSE(pConnection->SendEvent(kEventA, 0, 0));
    pConnection->InternalRelease();
}

TEST(NotifySink, DestroyedSinkLeavesItsConnections)
{
    std::vector<std::string> log;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    {
        RecordingSink sink(&log, "sink");
        sink.Advise(pConnection, kEventA);
        EXPECT_EQ(2, pConnection->m_dwRef);
    }
    EXPECT_EQ(1, pConnection->m_dwRef);
    EXPECT_FALSE(pConnection->SendEvent(kEventA, 0, 0));
    EXPECT_TRUE(log.empty());
    pConnection->InternalRelease();
}

TEST(NotifySink, AdviseDelegateTwiceKeepsOnlyTheSecond)
{
    std::vector<std::string> log;
    int deleted = 0;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    {
        CXTPNotifySink sink;
        sink.AdviseDelegate(pConnection, kEventA, new FunctionDelegate(&log, "one", &deleted));
        sink.AdviseDelegate(pConnection, kEventA, new FunctionDelegate(&log, "two", &deleted));
        EXPECT_EQ(1, deleted);

        pConnection->SendEvent(kEventA, 0, 0);
        EXPECT_EQ((std::vector<std::string>{"two:100"}), log);
        EXPECT_EQ(1, pConnection->GetConnectionCount());
    }
    EXPECT_EQ(2, deleted);
    EXPECT_EQ(0, pConnection->GetConnectionCount());
    pConnection->InternalRelease();
}

TEST(NotifySink, DelegatesAreCalledPerEventAndUnadviseDeletesOne)
{
    std::vector<std::string> log;
    int deleted = 0;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    CXTPNotifySink sink;
    sink.AdviseDelegate(pConnection, kEventA, new FunctionDelegate(&log, "a", &deleted));
    sink.AdviseDelegate(pConnection, kEventB, new FunctionDelegate(&log, "b", &deleted));
    pConnection->SendEvent(kEventB, 0, 0);
    pConnection->SendEvent(kEventA, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"b:200", "a:100"}), log);

    sink.Unadvise(kEventA);
    EXPECT_EQ(1, deleted);
    log.clear();
    pConnection->SendEvent(kEventA, 0, 0); // still subscribed, but no delegate any more
    EXPECT_TRUE(log.empty());

    CXTPNotifySink* pHeap = new CXTPNotifySink();
    pHeap->AdviseDelegate(pConnection, kEventB, new FunctionDelegate(&log, "heap", &deleted));
    pHeap->UnadviseAllAndDelete();
    EXPECT_EQ(2, deleted);
    sink.UnadviseAll();
    EXPECT_EQ(3, deleted);
    EXPECT_EQ(1, pConnection->m_dwRef);
    pConnection->InternalRelease();
}

TEST(NotifySink, MemberDelegateCallsTheObject)
{
    struct Listener
    {
        void OnReload(XTP_NOTIFY_CODE code, WPARAM wParam, LPARAM, DWORD)
        {
            lastCode = code;
            lastParam = wParam;
        }
        XTP_NOTIFY_CODE lastCode = 0;
        WPARAM lastParam = 0;
    } listener;
    CXTPNotifyConnection* pConnection = new CXTPNotifyConnection();
    CXTPNotifySink sink;
    sink.AdviseDelegate(pConnection, kEventA,
                        new CXTPNotifySinkMemberDelegate<Listener>(&listener, &Listener::OnReload));
    pConnection->SendEvent(kEventA, 5, 0);
    EXPECT_EQ(kEventA, listener.lastCode);
    EXPECT_EQ(5u, listener.lastParam);
    sink.UnadviseAll();
    pConnection->InternalRelease();
}
