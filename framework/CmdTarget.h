// CCmdTarget: the base of every object that receives commands through a message map, and of
// the reference-counted objects that several owners share.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Object.h"

#include <unknwn.h>

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, a command-UI update or a notification to this object's map (and, in
    // derived classes, on to other targets). nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI, a
    // WM_COMMAND notification code, or MAKELONG(code, WM_NOTIFY [+ WM_REFLECT_BASE]).
    // With pHandlerInfo set, only reports whether (and where) a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Reference counting: a new object holds one reference; the last release calls
    // OnFinalRelease, which deletes the object.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    virtual void OnFinalRelease();

    // COM interfaces of nested interface objects: a class that embeds such objects (each a
    // small class deriving from the interface and forwarding reference counting to
    // ExternalAddRef / ExternalRelease of its owner) answers GetInterface for their ids.
    // ExternalQueryInterface gives the interface with one reference added, else E_NOINTERFACE.
    virtual LPUNKNOWN GetInterface(REFIID iid);
    HRESULT ExternalQueryInterface(REFIID iid, LPVOID* ppvObj);

    // Hourglass cursor for lengthy operations (counted per thread).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The first entry in the map chain of pMap handling nMessage (window messages only).
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage);
    // The first entry in the map chain for a command, update or notification.
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                    UINT nID);

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    volatile LONG m_dwRef = 1;

protected:
    // Calls a command-kind handler (the signatures used by ON_COMMAND, ON_UPDATE_COMMAND_UI,
    // ON_NOTIFY and their variants).
    static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, const AFX_MSGMAP_ENTRY* pEntry, void* pExtra,
                               AFX_CMDHANDLERINFO* pHandlerInfo);
};
