#include "toolkit/common/system/XTPMenuSoundPlayer.h"

#include <mmsystem.h>

CXTPMenuSoundPlayer::CXTPMenuSoundPlayer() : m_pfnPlaySound(&::PlaySoundA)
{
    m_hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CXTPMenuSoundPlayer::~CXTPMenuSoundPlayer()
{
    Stop();
    if (m_hEvent)
        ::CloseHandle(m_hEvent);
}

void CXTPMenuSoundPlayer::SetPlaySoundFunction(PFNPLAYSOUND pfn)
{
    m_pfnPlaySound = pfn ? pfn : &::PlaySoundA;
}

void CXTPMenuSoundPlayer::Play(int nSound)
{
    if (!m_bEnabled || !m_bSystemSounds || !m_hEvent)
        return;
    if (!m_hThread)
        Start();
    ::InterlockedExchange(&m_nSoundId, nSound);
    ::SetEvent(m_hEvent);
}

void CXTPMenuSoundPlayer::Start()
{
    ::InterlockedExchange(&m_nSoundId, xtpSoundNone);
    ::InterlockedExchange(&m_bStop, FALSE);
    ::ResetEvent(m_hEvent);
    m_hThread = ::CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr);
    if (!m_hThread)
        return;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

DWORD WINAPI CXTPMenuSoundPlayer::ThreadProc(LPVOID lpParameter)
{
    static_cast<CXTPMenuSoundPlayer*>(lpParameter)->Run();
    return 0;
}

void CXTPMenuSoundPlayer::Run()
{
    while (!m_bStop)
    {
        const LONG nSound = ::InterlockedExchange(&m_nSoundId, xtpSoundNone);
        if (nSound == xtpSoundMenuCommand)
            m_pfnPlaySound("MenuCommand", nullptr, SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
        else if (nSound == xtpSoundMenuPopup)
            m_pfnPlaySound("MenuPopup", nullptr, SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
        ::WaitForSingleObject(m_hEvent, INFINITE);
        if (m_bStop)
            break;
        ::ResetEvent(m_hEvent);
    }
    m_pfnPlaySound(nullptr, nullptr, SND_PURGE);
}

int CXTPMenuSoundPlayer::Stop()
{
    if (!m_hThread)
        return 0;
    ::InterlockedExchange(&m_bStop, TRUE);
    ::SetEvent(m_hEvent);
    DWORD dwExitCode = STILL_ACTIVE;
    for (int i = 0; i < 10 && ::GetExitCodeThread(m_hThread, &dwExitCode) && dwExitCode == STILL_ACTIVE; ++i)
        ::WaitForSingleObject(m_hThread, 100);
    if (::GetExitCodeThread(m_hThread, &dwExitCode) && dwExitCode == STILL_ACTIVE)
        ::TerminateThread(m_hThread, 0);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    return 1;
}

CXTPMenuSoundPlayer* GetMenuSoundPlayer()
{
    static CXTPMenuSoundPlayer s_player;
    return &s_player;
}
