// CXTPMenuSoundPlayer: plays the system's menu sounds ("MenuCommand", "MenuPopup") on one
// below-normal-priority worker thread, woken by an event for each sound and stopped at exit.
#pragma once

#include <windows.h>

class CXTPMenuSoundPlayer
{
public:
    enum
    {
        xtpSoundNone = 0,
        xtpSoundMenuCommand = 1,
        xtpSoundMenuPopup = 2
    };
    // The sound function (PlaySoundA's signature); replaceable so the thread can be watched.
    typedef BOOL(WINAPI* PFNPLAYSOUND)(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

    CXTPMenuSoundPlayer();
    virtual ~CXTPMenuSoundPlayer();
    CXTPMenuSoundPlayer(const CXTPMenuSoundPlayer&) = delete;
    CXTPMenuSoundPlayer& operator=(const CXTPMenuSoundPlayer&) = delete;

    // Stores the sound and wakes the thread (started on first use); nothing unless both enabling
    // flags are set.
    void Play(int nSound);
    // Stops the thread (waiting at most about a second before terminating it); 0 when there was
    // no thread, else 1.
    int Stop();

    void Enable(BOOL bEnable) { m_bEnabled = bEnable; }
    void EnableSystemSounds(BOOL bEnable) { m_bSystemSounds = bEnable; }
    BOOL IsThreadRunning() const { return m_hThread != nullptr; }
    HANDLE GetThreadHandle() const { return m_hThread; }
    void SetPlaySoundFunction(PFNPLAYSOUND pfn);

protected:
    void Start();
    static DWORD WINAPI ThreadProc(LPVOID lpParameter);
    void Run();

    BOOL m_bEnabled = TRUE;
    BOOL m_bSystemSounds = TRUE;
    volatile LONG m_nSoundId = xtpSoundNone;
    HANDLE m_hThread = nullptr;
    volatile LONG m_bStop = FALSE;
    HANDLE m_hEvent = nullptr;
    PFNPLAYSOUND m_pfnPlaySound;
};

CXTPMenuSoundPlayer* GetMenuSoundPlayer();
