// Tree data: records, order and levels, the scrambled file, and menus made from the records.
#include "treedata/CTreeData.h"
#include "LumoSys.h"

#include <mbstring.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <new>
#include <vector>

namespace
{
const BYTE kMark[4] = { 0x01, 0x02, 0x03, 0x04 };
const BYTE kMask = 0xB6;
const int kMaxTip = 1024;

// The same white space CString::Trim removes.
inline bool IsTrimSpace(char ch)
{
    return isspace((unsigned char)ch) != 0;
}

// Narrows [*pp, *pp + *pn) to its part without leading and trailing white space.
void TrimSpan(const char*& p, int& n)
{
    while (n > 0 && IsTrimSpace(p[n - 1]))
        --n;
    while (n > 0 && IsTrimSpace(*p))
    {
        ++p;
        --n;
    }
}

int SafeLength(LPCTSTR psz)
{
    return psz ? (int)strlen(psz) : 0;
}

// atoi over a piece of text that is not zero-terminated; saturates instead of overflowing.
int SpanToInt(const char* p, int n)
{
    int i = 0;
    while (i < n && IsTrimSpace(p[i]))
        ++i;
    bool negative = false;
    if (i < n && (p[i] == '+' || p[i] == '-'))
        negative = p[i++] == '-';
    long long value = 0;
    for (; i < n && p[i] >= '0' && p[i] <= '9'; ++i)
    {
        value = value * 10 + (p[i] - '0');
        if (value > (long long)INT_MAX + 1)
            value = (long long)INT_MAX + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return (int)value;
}

bool HasMark(const BYTE* p, size_t n)
{
    return n >= sizeof(kMark) && memcmp(p, kMark, sizeof(kMark)) == 0;
}

// A tip as it lies in a file: bytes up to a tab, a carriage return or the end, at most
// kMaxTip of them, unscrambled when the file is.
CString TipFromBytes(const BYTE* p, size_t n, bool bScrambled)
{
    if (n > (size_t)kMaxTip)
        n = kMaxTip;
    char buf[kMaxTip];
    int len = 0;
    for (size_t i = 0; i < n; ++i)
    {
        char ch = (char)(bScrambled ? (p[i] ^ kMask) : p[i]);
        if (ch == '\t' || ch == '\r')
            break;
        buf[len++] = ch;
    }
    return CString(buf, len);
}

void AppendBytes(std::vector<char>& out, const char* p, int n)
{
    out.insert(out.end(), p, p + n);
}

void AppendInt(std::vector<char>& out, int n)
{
    char buf[16];
    int len = wsprintfA(buf, "%d", n);
    AppendBytes(out, buf, len);
}

bool SameFile(LPCTSTR a, LPCTSTR b)
{
    char fa[MAX_PATH], fb[MAX_PATH];
    DWORD na = ::GetFullPathNameA(a, MAX_PATH, fa, NULL);
    DWORD nb = ::GetFullPathNameA(b, MAX_PATH, fb, NULL);
    if (na == 0 || na >= MAX_PATH || nb == 0 || nb >= MAX_PATH)
        return false;
    return lstrcmpiA(fa, fb) == 0;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// construction

CTreeData::CTreeData() : m_bSorted(0), m_bLevelBuilt(0)
{
}

CTreeData::~CTreeData()
{
    Empty();
}

/////////////////////////////////////////////////////////////////////////////
// records

void CTreeData::AddItem(LPCTSTR lpszCode, LPCTSTR lpszText, LPCTSTR lpszDetail, LPCTSTR lpszTip,
                        int nLevel, int nTipOffset, LPCTSTR lpszLLAFile, int nLLASeq)
{
    AddRecord(lpszCode, SafeLength(lpszCode), lpszText, SafeLength(lpszText), lpszDetail,
              SafeLength(lpszDetail), lpszTip, SafeLength(lpszTip), nLevel, nTipOffset, lpszLLAFile,
              SafeLength(lpszLLAFile), nLLASeq);
}

// Shared by AddItem and the file loader, which hands in pieces of its buffer without copying
// them first.
void CTreeData::AddRecord(const char* pCode, int nCode, const char* pText, int nText,
                          const char* pDetail, int nDetail, const char* pTip, int nTip, int nLevel,
                          int nTipOffset, const char* pLLAFile, int nLLAFile, int nLLASeq)
{
    treedatas* pRec = MakeRecord(pCode, nCode, pText, nText, pDetail, nDetail, pTip, nTip, nLevel,
                                 nTipOffset, pLLAFile, nLLAFile, nLLASeq);
    if (pRec == NULL)
        return;
    m_arrData.Add(pRec);
    m_bSorted = 0;
    m_bLevelBuilt = 0;
}

// A new record from pieces of text, trimmed; null for an empty code.
treedatas* CTreeData::MakeRecord(const char* pCode, int nCode, const char* pText, int nText,
                                 const char* pDetail, int nDetail, const char* pTip, int nTip,
                                 int nLevel, int nTipOffset, const char* pLLAFile, int nLLAFile,
                                 int nLLASeq)
{
    TrimSpan(pCode, nCode);
    if (nCode <= 0)
        return NULL;
    treedatas* pRec = new (std::nothrow) treedatas;
    if (pRec == NULL)
        return NULL;
    TrimSpan(pText, nText);
    TrimSpan(pDetail, nDetail);
    TrimSpan(pTip, nTip);
    pRec->strCode = CString(pCode, nCode);
    pRec->strText = CString(pText, nText);
    pRec->strDetail = CString(pDetail, nDetail);
    pRec->strTip = CString(pTip, nTip);
    pRec->nLevel = nLevel;
    pRec->nTipOffset = nTipOffset;
    pRec->strLLAFile = CString(pLLAFile, nLLAFile);
    pRec->nLLASeq = nLLASeq;
    return pRec;
}

void CTreeData::DeleteItems(LPCTSTR lpszPrefix)
{
    CString strPrefix(lpszPrefix);
    strPrefix.TrimRight();
    const int nPrefix = strPrefix.GetLength();
    // One pass that keeps the survivors in order; removing one at a time would move the tail of
    // the array once per removed record.
    const int nSize = m_arrData.GetSize();
    treedatas** pData = m_arrData.GetData();
    int nKept = 0;
    for (int i = 0; i < nSize; ++i)
    {
        treedatas* pRec = pData[i];
        bool bRemove = nPrefix == 0 ||
                       (pRec->strCode.GetLength() >= nPrefix &&
                        memcmp((LPCTSTR)pRec->strCode, (LPCTSTR)strPrefix, nPrefix) == 0);
        if (bRemove)
            delete pRec;
        else
            pData[nKept++] = pRec;
    }
    if (nKept < nSize)
        m_arrData.SetSize(nKept);
}

void CTreeData::Empty()
{
    for (int i = 0; i < m_arrData.GetSize(); ++i)
        delete m_arrData[i];
    m_arrData.RemoveAll();
    m_bSorted = 0;
    m_bLevelBuilt = 0;
    m_strFileName.Empty();
}

/////////////////////////////////////////////////////////////////////////////
// attributes

int CTreeData::GetSize() const
{
    return m_arrData.GetSize();
}

treedatas* CTreeData::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrData.GetSize())
        return NULL;
    return m_arrData[nIndex];
}

int CTreeData::Search(LPCTSTR lpszCode)
{
    if (m_arrData.GetSize() == 0)
        return -1;
    Sort();
    treedatas** pFound = (treedatas**)bsearch(lpszCode, m_arrData.GetData(), m_arrData.GetSize(),
                                              sizeof(treedatas*), bsearchTree);
    if (pFound == NULL)
        return -1;
    return (int)(pFound - m_arrData.GetData());
}

treedatas* CTreeData::FindByCode(LPCTSTR lpszCode)
{
    return GetAt(Search(lpszCode));
}

int CTreeData::IsNode(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrData.GetSize() - 1)
        return 0;
    BuildLevel();
    return m_arrData[nIndex + 1]->nLevel == m_arrData[nIndex]->nLevel + 1 ? 1 : 0;
}

CString CTreeData::GetText(int nIndex, int nMode) const
{
    treedatas* pRec = GetAt(nIndex);
    if (pRec == NULL)
        return CString();
    CString str(pRec->strText);
    if (nMode == 1)
    {
        str.Trim();
        str.Remove('&');
    }
    return str;
}

CString CTreeData::GetID(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strCode : CString();
}

CString CTreeData::GetDetail(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strDetail : CString();
}

CString CTreeData::GetTip(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    if (pRec == NULL)
        return CString();
    if (!pRec->strTip.IsEmpty())
        return pRec->strTip;
    if (pRec->nTipOffset == 0 || m_strFileName.IsEmpty())
        return CString();
    return ReadTip(pRec->nTipOffset);
}

int CTreeData::GetLevel(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->nLevel : -1;
}

CString CTreeData::GetLLAFile(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->strLLAFile : CString();
}

int CTreeData::GetLLASeq(int nIndex) const
{
    treedatas* pRec = GetAt(nIndex);
    return pRec ? pRec->nLLASeq : -1;
}

/////////////////////////////////////////////////////////////////////////////
// order and hierarchy

int CTreeData::qsortTree(const void* p1, const void* p2)
{
    const treedatas* r1 = *(const treedatas* const*)p1;
    const treedatas* r2 = *(const treedatas* const*)p2;
    return _mbscmp((const unsigned char*)(LPCTSTR)r1->strCode,
                   (const unsigned char*)(LPCTSTR)r2->strCode);
}

int CTreeData::bsearchTree(const void* pKey, const void* pElem)
{
    LPCTSTR lpszKey = (LPCTSTR)pKey;
    if (lpszKey == NULL || *lpszKey == '\0')
        return -1;
    const treedatas* pRec = *(const treedatas* const*)pElem;
    return _mbscmp((const unsigned char*)lpszKey, (const unsigned char*)(LPCTSTR)pRec->strCode);
}

void CTreeData::Sort()
{
    if (m_bSorted)
        return;
    if (m_arrData.GetSize() > 0)
        qsort(m_arrData.GetData(), m_arrData.GetSize(), sizeof(treedatas*), qsortTree);
    m_bSorted = 1;
}

// In code order every record between a prefix and one of its extensions also begins with that
// prefix, so the nearest earlier record that is a prefix of the current code always lies on the
// chain of open ancestors: records that stop being prefixes can be dropped from the chain for
// good, and each record is pushed and popped once.
void CTreeData::BuildLevel()
{
    if (m_bLevelBuilt)
        return;
    Sort();
    const int nSize = m_arrData.GetSize();
    std::vector<const treedatas*> chain;
    for (int i = 0; i < nSize; ++i)
    {
        treedatas* pRec = m_arrData[i];
        const int nLen = pRec->strCode.GetLength();
        while (!chain.empty())
        {
            const CString& strTop = chain.back()->strCode;
            if (strTop.GetLength() <= nLen &&
                memcmp((LPCTSTR)strTop, (LPCTSTR)pRec->strCode, strTop.GetLength()) == 0)
                break;
            chain.pop_back();
        }
        pRec->nLevel = chain.empty() ? 0 : chain.back()->nLevel + 1;
        chain.push_back(pRec);
    }
    m_bLevelBuilt = 1;
}

/////////////////////////////////////////////////////////////////////////////
// file

CString CTreeData::GetTimeStamp() const
{
    return m_strTimeStamp;
}

BOOL CTreeData::SaveToFile(LPCTSTR lpszPath, LPCTSTR lpszTimeStamp)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;
    BuildLevel();
    const CString strPath(lpszPath);
    const int nSize = m_arrData.GetSize();

    // Tips that live only in the file this data came from are carried over, so that a loaded
    // collection saved again keeps them. The old file is read once, not once per record.
    char* pOld = NULL;
    DWORD nOld = 0;
    for (int i = 0; i < nSize && pOld == NULL; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        if (pRec->strTip.IsEmpty() && pRec->nTipOffset > 0 && !m_strFileName.IsEmpty())
        {
            pOld = CPub::File2Mem(m_strFileName, &nOld);
            if (pOld == NULL)
                break;
        }
    }
    const bool bOldScrambled = pOld != NULL && HasMark((const BYTE*)pOld, nOld);

    std::vector<char> out;
    std::vector<int> tipOffsets((size_t)nSize, 0);
    size_t nReserve = sizeof(kMark) + (size_t)SafeLength(lpszTimeStamp) + 3;
    for (int i = 0; i < nSize; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        nReserve += pRec->strCode.GetLength() + pRec->strText.GetLength() + pRec->strDetail.GetLength() +
                    pRec->strTip.GetLength() + pRec->strLLAFile.GetLength() + 32;
    }
    out.reserve(nReserve);
    AppendBytes(out, (const char*)kMark, sizeof(kMark));
    AppendBytes(out, lpszTimeStamp ? lpszTimeStamp : "", SafeLength(lpszTimeStamp));
    AppendBytes(out, "\r\n", 2);
    for (int i = 0; i < nSize; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        CString strTip = pRec->strTip;
        if (strTip.IsEmpty() && pOld != NULL && pRec->nTipOffset > 0 && (DWORD)pRec->nTipOffset < nOld)
            strTip = TipFromBytes((const BYTE*)pOld + pRec->nTipOffset, nOld - pRec->nTipOffset,
                                  bOldScrambled);
        AppendBytes(out, pRec->strCode, pRec->strCode.GetLength());
        out.push_back('\t');
        AppendBytes(out, pRec->strText, pRec->strText.GetLength());
        out.push_back('\t');
        AppendBytes(out, pRec->strDetail, pRec->strDetail.GetLength());
        out.push_back('\t');
        AppendInt(out, pRec->nLevel);
        out.push_back('\t');
        tipOffsets[i] = (int)out.size();
        AppendBytes(out, strTip, strTip.GetLength());
        out.push_back('\t');
        AppendBytes(out, pRec->strLLAFile, pRec->strLLAFile.GetLength());
        out.push_back('\t');
        AppendInt(out, pRec->nLLASeq);
        AppendBytes(out, "\r\n", 2);
    }
    out.push_back('\0');
    free(pOld);
    if (out.size() > (size_t)INT_MAX)
        return FALSE;
    for (size_t i = sizeof(kMark); i < out.size(); ++i)
        out[i] = (char)(out[i] ^ kMask);

    if (!WriteTempAndReplace(strPath, (const BYTE*)out.data(), (UINT)out.size()))
        return FALSE;

    // The file the tips are read from has just been rewritten: point the records at their tips'
    // new places.
    if (!m_strFileName.IsEmpty() && SameFile(m_strFileName, strPath))
    {
        for (int i = 0; i < nSize; ++i)
            if (m_arrData[i]->strTip.IsEmpty())
                m_arrData[i]->nTipOffset = tipOffsets[i];
    }
    return TRUE;
}

// The old file is replaced only once the new content is completely on disk, so a failing write
// (disk full, I/O error) leaves it as it was.
BOOL CTreeData::WriteTempAndReplace(const CString& strPath, const BYTE* pData, UINT nLength)
{
    char szFull[MAX_PATH];
    LPSTR pName = NULL;
    DWORD n = ::GetFullPathNameA(strPath, MAX_PATH, szFull, &pName);
    if (n == 0 || n >= MAX_PATH || pName == NULL || pName == szFull)
        return FALSE;
    const CString strDir(szFull, (int)(pName - szFull));

    DWORD dwAttr = ::GetFileAttributesA(szFull);
    if (dwAttr != INVALID_FILE_ATTRIBUTES)
    {
        // Refused wherever writing in place would be refused: read-only files (checked by their
        // attribute too, since a privileged process may open them anyway), folders, and files
        // another writer holds.
        if (dwAttr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            return FALSE;
        HANDLE hProbe = ::CreateFileA(szFull, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, NULL);
        if (hProbe == INVALID_HANDLE_VALUE)
            return FALSE;
        ::CloseHandle(hProbe);
    }

    char szTemp[MAX_PATH];
    if (!::GetTempFileNameA(strDir, "lmn", 0, szTemp))
        return FALSE;
    BOOL bOk = FALSE;
    {
        CFile file;
        if (file.Open(szTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite))
        {
            bOk = WriteFileBody(file, pData, nLength);
            if (bOk)
                file.Flush();
            bOk = bOk && !file.HasWriteError();
            file.Close();
        }
    }
    if (bOk)
        bOk = ::MoveFileExA(szTemp, szFull, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bOk)
        ::DeleteFileA(szTemp);
    return bOk;
}

BOOL CTreeData::WriteFileBody(CFile& file, const BYTE* pData, UINT nLength)
{
    file.Write(pData, nLength);
    return !file.HasWriteError();
}

BOOL CTreeData::LoadFromFile(LPCTSTR lpszPath)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;
    DWORD nFile = 0;
    char* pBuf = CPub::File2Mem(lpszPath, &nFile);
    if (pBuf == NULL)
        return FALSE;

    int nBase = 0;
    if (HasMark((const BYTE*)pBuf, nFile))
    {
        for (DWORD i = sizeof(kMark); i < nFile; ++i)
            pBuf[i] = (char)(pBuf[i] ^ kMask);
        nBase = sizeof(kMark);
    }
    // The text ends at its terminating NUL, or at the end of the data when a damaged file lost it.
    const char* pText = pBuf + nBase;
    const char* pNul = (const char*)memchr(pText, '\0', nFile - nBase);
    const char* pEnd = pNul ? pNul : pBuf + nFile;

    Empty();
    m_strFileName = lpszPath;
    m_strTimeStamp.Empty();

    // Room for every line at once: the array then never grows while loading.
    int nLines = 0;
    for (const char* p = pText; p < pEnd; ++p)
    {
        p = (const char*)memchr(p, '\n', pEnd - p);
        if (p == NULL)
            break;
        ++nLines;
    }
    m_arrData.SetSize(nLines);
    int nRecords = 0;

    const char* pLine = pText;
    for (bool bFirst = true; pLine < pEnd || !bFirst; bFirst = false)
    {
        // the line runs up to the next CR LF, or to the end of the text
        const char* pLineEnd = pLine;
        for (;;)
        {
            const char* pCR = (const char*)memchr(pLineEnd, '\r', pEnd - pLineEnd);
            if (pCR == NULL || pCR + 1 >= pEnd)
            {
                pLineEnd = pEnd;
                break;
            }
            if (pCR[1] == '\n')
            {
                pLineEnd = pCR;
                break;
            }
            pLineEnd = pCR + 1;
        }

        if (bFirst)
            m_strTimeStamp = CString(pLine, (int)(pLineEnd - pLine));
        else
        {
            // seven fields at fixed places; missing ones are empty, extra ones ignored
            const char* pField[7];
            int nField[7];
            int nTipOffset = 0;
            int nFields = 0;
            const char* p = pLine;
            while (nFields < 7)
            {
                const char* pTab = (const char*)memchr(p, '\t', pLineEnd - p);
                const char* pStop = pTab ? pTab : pLineEnd;
                pField[nFields] = p;
                nField[nFields] = (int)(pStop - p);
                ++nFields;
                if (pTab == NULL)
                    break;
                p = pTab + 1;
                if (nFields == 4)
                    nTipOffset = (int)(p - pBuf);
            }
            for (int f = nFields; f < 7; ++f)
            {
                pField[f] = pLineEnd;
                nField[f] = 0;
            }
            treedatas* pRec = MakeRecord(pField[0], nField[0], pField[1], nField[1], pField[2], nField[2],
                                         NULL, 0, SpanToInt(pField[3], nField[3]), nTipOffset, pField[5],
                                         nField[5], SpanToInt(pField[6], nField[6]));
            if (pRec != NULL && nRecords < nLines)
                m_arrData[nRecords++] = pRec;
            else
                delete pRec;
        }
        if (pLineEnd == pEnd)
            break;
        pLine = pLineEnd + 2;
    }
    m_arrData.SetSize(nRecords);
    free(pBuf);

    m_bSorted = 1;
    m_bLevelBuilt = 1;
    return TRUE;
}

// A tip is read at each request, straight from the file, so a large collection keeps none of
// them in memory.
CString CTreeData::ReadTip(int nOffset) const
{
    if (nOffset <= 0)
        return CString();
    CFile file;
    if (!file.Open(m_strFileName, CFile::modeRead | CFile::shareDenyNone))
        return CString();
    BYTE mark[sizeof(kMark)];
    const bool bScrambled = file.Read(mark, sizeof(mark)) == sizeof(mark) && HasMark(mark, sizeof(mark));
    BYTE buf[kMaxTip];
    UINT nRead = 0;
    if (file.Seek(nOffset, CFile::begin) == (ULONGLONG)nOffset)
        nRead = file.Read(buf, sizeof(buf));
    file.Close();
    return TipFromBytes(buf, nRead, bScrambled);
}

/////////////////////////////////////////////////////////////////////////////
// menus

HMENU CTreeData::AddMenu(int bPopup)
{
    HMENU hMenu = bPopup ? ::CreatePopupMenu() : ::CreateMenu();
    if (hMenu != NULL)
        m_arrMenus.Add(hMenu);
    return hMenu;
}

// Submenus are made while walking the records once, with a stack of the menus still open,
// rather than by a call per node: a file may hold levels as deep as it likes, and a node is
// reached by its position, so duplicate codes cannot send the walk back to an earlier record.
HMENU CTreeData::GenMenu(LPCTSTR lpszCode, int bPopup)
{
    if (m_arrData.GetSize() == 0)
        return NULL;
    BuildLevel();
    int nStart = -1;
    int nParentLevel = -1;
    if (lpszCode != NULL && *lpszCode != '\0')
    {
        nStart = Search(lpszCode);
        if (nStart < 0)
            return NULL;
        const treedatas* pParent = m_arrData[nStart];
        if (pParent->strText == "-")
            return NULL;
        nParentLevel = pParent->nLevel;
    }
    HMENU hRoot = AddMenu(bPopup);
    if (hRoot == NULL)
        return NULL;

    struct OpenMenu
    {
        HMENU hMenu;
        int nLevel;
    };
    std::vector<OpenMenu> open;
    open.push_back(OpenMenu{ hRoot, nParentLevel });
    const int nSize = m_arrData.GetSize();
    for (int i = nStart + 1; i < nSize; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        while (!open.empty() && pRec->nLevel <= open.back().nLevel)
            open.pop_back();
        if (open.empty())
            break;
        const OpenMenu& top = open.back();
        if (pRec->nLevel != top.nLevel + 1)
            continue;   // deeper records belong to a submenu that was left out
        if (IsNode(i))
        {
            if (pRec->strText == "-")
                continue;
            HMENU hSub = AddMenu(bPopup);
            if (hSub == NULL)
                continue;
            ::AppendMenuA(top.hMenu, MF_POPUP, (UINT_PTR)hSub, pRec->strText);
            open.push_back(OpenMenu{ hSub, pRec->nLevel });
        }
        else if (pRec->strText == "-")
            ::AppendMenuA(top.hMenu, MF_SEPARATOR, 0, NULL);
        else
            ::AppendMenuA(top.hMenu, MF_STRING, (UINT_PTR)(UINT)atoi(pRec->strCode), pRec->strText);
    }
    return hRoot;
}

void CTreeData::DestroyMenus()
{
    for (int i = 0; i < m_arrMenus.GetSize(); ++i)
        ::DestroyMenu(m_arrMenus[i]);
    m_arrMenus.RemoveAll();
}

BOOL CTreeData::ChangeMenu(HWND hWnd, LPCTSTR lpszCode)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    const int nMenus = m_arrMenus.GetSize();
    HMENU hMenu = GenMenu(lpszCode, 0);
    if (hMenu == NULL)
        return FALSE;
    if (!::SetMenu(hWnd, hMenu))
    {
        // Nobody else will ever see this menu: take it back, submenus and all.
        ::DestroyMenu(hMenu);
        m_arrMenus.SetSize(nMenus);
        return FALSE;
    }
    return TRUE;
}
