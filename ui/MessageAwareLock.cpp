#include "ui/MessageAwareLock.h"

namespace
{
// How long a waiting thread sleeps between two tries when no message arrives (a sent message wakes it at
// once).
const DWORD kRetryMilliseconds = 2;
} // namespace

CMessageAwareLock::CMessageAwareLock()
{
    InitializeCriticalSection(&m_section);
}

CMessageAwareLock::~CMessageAwareLock()
{
    DeleteCriticalSection(&m_section);
}

bool CMessageAwareLock::TryLock()
{
    return TryEnterCriticalSection(&m_section) != FALSE;
}

void CMessageAwareLock::Lock(bool serviceSentMessages)
{
    if (!serviceSentMessages)
    {
        EnterCriticalSection(&m_section);
        return;
    }
    while (!TryEnterCriticalSection(&m_section))
    {
        // Wakes for a message sent by another thread (or after the retry interval); peeking with
        // PM_QS_SENDMESSAGE delivers the sent messages and leaves every posted one in the queue.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kRetryMilliseconds, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void CMessageAwareLock::Unlock()
{
    LeaveCriticalSection(&m_section);
}
