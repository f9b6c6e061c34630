// CXTPZipMemFile: a memory file whose stored form may be compressed. The stored block is the magic
// "ZIP!" (0x2150495A), the uncompressed length (32-bit little-endian) and a zlib stream; anything else
// (or 11 bytes or fewer) is plain data.
#pragma once

#include "framework/MemFile.h"

#define XTP_ZIPMEMFILE_MAGIC 0x2150495A

class CXTPZipMemFile : public CMemFile
{
    DECLARE_DYNAMIC(CXTPZipMemFile)
public:
    // An empty file that grows in steps of 1,024 bytes.
    CXTPZipMemFile();
    // Attaches the stored bytes as AttachCompressed does, without taking ownership.
    CXTPZipMemFile(BYTE* lpData, UINT nLength);

    // Attaches a stored block. A compressed one is unpacked into memory the file owns; plain data is
    // attached as it is (a fixed-size file). With bAutoDelete the file takes over lpData, which must come
    // from malloc. A damaged compressed block (bad stream, implausible length, no memory for it) gives an
    // empty file.
    void AttachCompressed(BYTE* lpData, UINT nLength, BOOL bAutoDelete = FALSE);
    // Reads a whole disk file and attaches it; FALSE when the file cannot be opened or read.
    BOOL OpenCompressedFile(LPCSTR lpszFileName);
    // Takes the bytes written so far (up to the current position) out of the file, compressed when that
    // pays (20 bytes or more that shrink), else plain. The file is left empty. The caller owns the
    // returned buffer and frees it with free(); it is null when nothing was written.
    void DetachCompressedBuffer(BYTE*& lpData, DWORD& dwLength);

    // Sets the file's name; a null name raises CInvalidArgException.
    void SetFilePath(LPCSTR lpszNewName) override;

    // Largest uncompressed length accepted from a stored block: at most 1,032 times the stream (deflate's
    // best ratio) and never more than this.
    static const UINT nMaxUncompressed = 256u * 1024 * 1024;
};
