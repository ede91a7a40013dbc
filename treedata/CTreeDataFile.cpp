// Tree data file: the mark, then scrambled lines of tab-separated fields, the first a time stamp.
#include "CTreeData.h"
#include "LumoSys.h"

#include <mbstring.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "treedata/TreeDataText.h"

using namespace treedata;

namespace
{
const BYTE kMark[4] = { 0x01, 0x02, 0x03, 0x04 };
const BYTE kMask = 0xB6;

// The same set read from a table filled once, for the loader: a call into the runtime for
// every byte it looks at would cost more than the rest of a load.
class SpaceTable
{
public:
    SpaceTable()
    {
        for (int ch = 0; ch < 256; ++ch)
            m_bSpace[ch] = isspace(ch) != 0;
    }
    bool operator()(char ch) const { return m_bSpace[(unsigned char)ch]; }

private:
    bool m_bSpace[256];
};



// atoi over a piece of text that is not zero-terminated; saturates instead of overflowing.
template <class IsSpace>
int SpanToInt(const char* p, int n, const IsSpace& isSpace)
{
    int i = 0;
    while (i < n && isSpace(p[i]))
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

// The loader looks at the text sixteen bytes at a time (as two words of eight where SSE2 is
// not there): a byte-by-byte loop over a large file costs several times more than reading it.
const int kScan = 16;

#if defined(__SSE2__)

// Bit i set where byte i of v equals ch.
inline unsigned MarkBytes(__m128i v, char ch)
{
    return (unsigned)_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(ch)));
}

// Unscrambles whole blocks of sixteen bytes in place, adding their line feeds to nLineFeeds,
// and stops in front of the block that holds a NUL or does not fit before the limit.
char* UnscrambleBlocks(char* p, const char* pLimit, BYTE mask, int& nLineFeeds)
{
    const __m128i mask16 = _mm_set1_epi8((char)mask);
    const __m128i zero = _mm_setzero_si128();
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    bool bNul = false;
    while (!bNul && pLimit - p >= kScan)
    {
        // a count per byte lane, added up before any lane can pass 255
        __m128i counts = zero;
        for (int i = 0; i < 255 && pLimit - p >= kScan; ++i, p += kScan)
        {
            const __m128i v = _mm_xor_si128(_mm_loadu_si128((const __m128i*)p), mask16);
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)) != 0)
            {
                bNul = true;
                break;
            }
            _mm_storeu_si128((__m128i*)p, v);
            counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(v, lineFeeds));
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        nLineFeeds += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
    }
    return p;
}

// Bit i set where byte i of the sixteen at p is a tab or a carriage return.
inline unsigned MarkTabsAndCRsInBlock(const char* p)
{
    const __m128i v = _mm_loadu_si128((const __m128i*)p);
    return MarkBytes(v, '\t') | MarkBytes(v, '\r');
}

#else

const uint64_t kOnes = 0x0101010101010101ULL;
const uint64_t kHighs = 0x8080808080808080ULL;

// The high bit of each byte of v that is zero; exact for every byte.
inline uint64_t MarkZeroBytes(uint64_t v)
{
    return ~(((v & ~kHighs) + ~kHighs) | v) & kHighs;
}

// The high bits of a word's bytes gathered into its low eight bits, byte i to bit i.
inline unsigned GatherHighBits(uint64_t marks)
{
    return (unsigned)(((marks >> 7) * 0x0102040810204080ULL) >> 56);
}

char* UnscrambleBlocks(char* p, const char* pLimit, BYTE mask, int& nLineFeeds)
{
    const uint64_t mask8 = kOnes * mask;
    const uint64_t lineFeeds = kOnes * '\n';
    while (pLimit - p >= 8)
    {
        uint64_t v;
        memcpy(&v, p, 8);
        v ^= mask8;
        if (MarkZeroBytes(v) != 0)
            break;
        memcpy(p, &v, 8);
        nLineFeeds += (int)(((MarkZeroBytes(v ^ lineFeeds) >> 7) * kOnes) >> 56);
        p += 8;
    }
    return p;
}

inline unsigned MarkTabsAndCRsInBlock(const char* p)
{
    unsigned marks = 0;
    for (int half = 0; half < 2; ++half)
    {
        uint64_t v;
        memcpy(&v, p + 8 * half, 8);
        marks |= GatherHighBits(MarkZeroBytes(v ^ (kOnes * '\t')) | MarkZeroBytes(v ^ (kOnes * '\r')))
                 << (8 * half);
    }
    return marks;
}

#endif

// Unscrambles the text in place when it is scrambled, up to its first NUL or the limit, and
// counts its line feeds; gives the end of the text (the NUL, or the limit).
char* UnscrambleText(char* p, char* pLimit, bool bScrambled, int& nLineFeeds)
{
    const BYTE mask = bScrambled ? kMask : 0;
    int nCount = 0;
    p = UnscrambleBlocks(p, pLimit, mask, nCount);
    for (; p < pLimit; ++p)
    {
        const char ch = (char)(*p ^ mask);
        *p = ch;
        if (ch == '\0')
            break;
        nCount += ch == '\n';
    }
    nLineFeeds = nCount;
    return p;
}

// Bit i set where byte i of the sixteen at p is a tab or a carriage return; only the first
// nValid bytes are read.
inline unsigned MarkTabsAndCRs(const char* p, size_t nValid)
{
    if (nValid >= (size_t)kScan)
        return MarkTabsAndCRsInBlock(p);
    char buf[kScan] = {};
    memcpy(buf, p, nValid);
    return MarkTabsAndCRsInBlock(buf) & ((1u << nValid) - 1);
}

// A line holds seven fields at fixed places, split at tabs; missing ones are empty, extra
// ones ignored.
const int kFields = 7;

// Splits the line at pLine into its fields and counts its tabs (up to seven); gives the end of
// the line: its CR LF pair (a lone CR is text) or the end of the text. Sixteen bytes are looked
// at a time, each tab and carriage return among them taken from their mask in turn.
const char* SplitLine(const char* pLine, const char* pEnd, const char* apField[kFields],
                      int anField[kFields], int& nTabs)
{
    const char* apStop[kFields];
    nTabs = 0;
    apField[0] = pLine;
    const char* pLineEnd = pEnd;
    for (const char* p = pLine; p < pEnd && pLineEnd == pEnd; p += kScan)
    {
        for (unsigned marks = MarkTabsAndCRs(p, (size_t)(pEnd - p)); marks != 0; marks &= marks - 1)
        {
            const char* q = p + __builtin_ctz(marks);
            if (*q != '\t')
            {
                if (q + 1 < pEnd && q[1] == '\n')
                {
                    pLineEnd = q;
                    break;
                }
            }
            else if (nTabs < kFields)
            {
                apStop[nTabs++] = q;
                if (nTabs < kFields)
                    apField[nTabs] = q + 1;
            }
        }
    }
    for (int f = 0; f < kFields; ++f)
    {
        if (f > nTabs)
            apField[f] = apStop[f] = pLineEnd;
        else if (f == nTabs)
            apStop[f] = pLineEnd;
        anField[f] = (int)(apStop[f] - apField[f]);
    }
    return pLineEnd;
}

bool HasMark(const BYTE* p, size_t n)
{
    return n >= sizeof(kMark) && memcmp(p, kMark, sizeof(kMark)) == 0;
}

// Length of a tip as it lies in a file, unscrambled: up to a tab, a carriage return, the NUL
// that ends the text, or the end.
size_t TipLength(const char* p, size_t n)
{
    size_t i = 0;
    while (i < n && p[i] != '\t' && p[i] != '\r' && p[i] != '\0')
        ++i;
    return i;
}

// A tab or a line break inside a text would end its field or its line. A file keeps each of
// them, and the escape byte itself, as the escape byte followed by a letter, so that every text
// comes back as it was added; it says so with a tag after the NUL that ends its text, which
// older readers never look at (they show the pairs as they are). A file without the tag holds
// its texts as they are, whatever bytes they hold.
const char kEsc = 0x1B;
const char kEscapedTag[4] = { 'E', 'S', 'C', '1' };

inline bool MustEscape(char ch)
{
    return ch == '\t' || ch == '\r' || ch == '\n' || ch == kEsc;
}

inline char EscapeLetter(char ch)
{
    return ch == '\t' ? 't' : ch == '\r' ? 'r' : ch == '\n' ? 'n' : 'e';
}

// Puts n bytes at p with every byte MustEscape names as a pair (bTabs false: tabs stay as they
// are, as in the time stamp, whose line holds no fields); at most 2n bytes. Gives the end.
char* PutEscaped(char* p, const char* pText, size_t n, bool bTabs)
{
    for (size_t i = 0; i < n; ++i)
    {
        const char ch = pText[i];
        if (MustEscape(ch) && (bTabs || ch != '\t'))
        {
            *p++ = kEsc;
            *p++ = EscapeLetter(ch);
        }
        else
            *p++ = ch;
    }
    return p;
}

// Turns the pairs back into their bytes, in place; gives the new length. An escape byte that
// starts no known pair (a damaged file) stays as it is.
int Unescape(char* p, int n)
{
    const char* pEsc = (const char*)memchr(p, kEsc, (size_t)n);
    if (pEsc == NULL)
        return n;
    int out = (int)(pEsc - p);
    for (int i = out; i < n; ++i)
    {
        char ch = p[i];
        if (ch == kEsc && i + 1 < n)
        {
            const char next = p[i + 1];
            const char plain = next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next == 'e' ? kEsc : 0;
            if (plain != 0)
            {
                ch = plain;
                ++i;
            }
        }
        p[out++] = ch;
    }
    return out;
}

// How many of the n bytes at p MustEscape names. Where SSE2 is there it looks at sixteen bytes at
// a time, the last sixteen too, so it reads up to fifteen bytes past the end: they must be
// readable (a line's reservation leaves room for them).
size_t CountEscapable(const char* p, size_t n)
{
#if defined(__SSE2__)
    static const char kFirstBytes[32] = { -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    const __m128i tabs = _mm_set1_epi8('\t'), crs = _mm_set1_epi8('\r'), lfs = _mm_set1_epi8('\n'),
                  escs = _mm_set1_epi8(kEsc), zero = _mm_setzero_si128();
    size_t nCount = 0;
    size_t i = 0;
    while (i < n)
    {
        // a count per byte lane, added up before any lane can pass 255
        __m128i counts = zero;
        for (int k = 0; k < 255 && i < n; ++k, i += 16)
        {
            const __m128i v = _mm_loadu_si128((const __m128i*)(p + i));
            __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tabs), _mm_cmpeq_epi8(v, crs)),
                                        _mm_or_si128(_mm_cmpeq_epi8(v, lfs), _mm_cmpeq_epi8(v, escs)));
            if (n - i < 16)
                hits = _mm_and_si128(hits, _mm_loadu_si128((const __m128i*)(kFirstBytes + 16 - (n - i))));
            counts = _mm_sub_epi8(counts, hits);
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        nCount += (size_t)(_mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
    }
    return nCount;
#else
    size_t nCount = 0;
    for (size_t i = 0; i < n; ++i)
        nCount += MustEscape(p[i]);
    return nCount;
#endif
}

template <class Unit>
inline void CopyUnit(char*& p, const char*& pText)
{
    Unit v;
    memcpy(&v, pText, sizeof(v));
    memcpy(p, &v, sizeof(v));
    p += sizeof(v);
    pText += sizeof(v);
}

// Bytes a text copy may write past the end of what it puts: room the line's reservation leaves.
const size_t kCopySlack = 32;

// Copies a short text without a call: most fields are a few bytes long. A text of up to 32
// bytes goes as one 32-byte move, whatever its length, so that lengths that change from record
// to record cost no mispredicted branches; the move reads up to 32 bytes from the text, which
// is safe while they lie on one page (the text's own), and may write up to kCopySlack bytes past
// the end, which the next field or the reservation's slack takes.
inline char* PutText(char* p, const char* pText, size_t n)
{
    if (n <= kCopySlack && ((uintptr_t)pText & 4095) <= 4096 - kCopySlack)
    {
        char block[kCopySlack];
        memcpy(block, pText, kCopySlack);
        memcpy(p, block, kCopySlack);
        return p + n;
    }
    for (; n >= 8; n -= 8)
        CopyUnit<uint64_t>(p, pText);
    if (n & 4)
        CopyUnit<uint32_t>(p, pText);
    if (n & 2)
        CopyUnit<uint16_t>(p, pText);
    if (n & 1)
        *p++ = *pText;
    return p;
}

inline char* PutText(char* p, const CString& str)
{
    return PutText(p, str, (size_t)str.GetLength());
}

// Room for any int in decimal, sign included.
const int kMaxIntChars = 11;

char* PutInt(char* p, int n)
{
    if ((unsigned int)n < 10)   // levels and most sequence numbers
    {
        *p++ = (char)('0' + n);
        return p;
    }
    unsigned int u = n < 0 ? 0u - (unsigned int)n : (unsigned int)n;
    if (n < 0)
        *p++ = '-';
    char digits[kMaxIntChars];
    int k = 0;
    do
    {
        digits[k++] = (char)('0' + u % 10);
        u /= 10;
    } while (u != 0);
    while (k > 0)
        *p++ = digits[--k];
    return p;
}

// One record line, "%s\t%s\t%s\t%d\t%s\t%s\t%d\r\n", at p, with the tip given; pTipAt is
// where the tip went. Gives the end.
char* FormatRecord(char* p, const treedatas* pRec, const char* pTip, int nTip, const char*& pTipAt)
{
    p = PutText(p, pRec->strCode);
    *p++ = '\t';
    p = PutText(p, pRec->strText);
    *p++ = '\t';
    p = PutText(p, pRec->strDetail);
    *p++ = '\t';
    p = PutInt(p, pRec->nLevel);
    *p++ = '\t';
    pTipAt = p;
    p = PutText(p, pTip, (size_t)nTip);
    *p++ = '\t';
    p = PutText(p, pRec->strLLAFile);
    *p++ = '\t';
    p = PutInt(p, pRec->nLLASeq);
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

// The same line with every text escaped (PutEscaped); up to twice as long.
char* FormatRecordEscaped(char* p, const treedatas* pRec, const char* pTip, int nTip, const char*& pTipAt)
{
    const CString* const apText[] = { &pRec->strCode, &pRec->strText, &pRec->strDetail };
    for (const CString* pText : apText)
    {
        p = PutEscaped(p, *pText, (size_t)pText->GetLength(), true);
        *p++ = '\t';
    }
    p = PutInt(p, pRec->nLevel);
    *p++ = '\t';
    pTipAt = p;
    p = PutEscaped(p, pTip, (size_t)nTip, true);
    *p++ = '\t';
    p = PutEscaped(p, pRec->strLLAFile, (size_t)pRec->strLLAFile.GetLength(), true);
    *p++ = '\t';
    p = PutInt(p, pRec->nLLASeq);
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

// XORs every byte with the mask, sixteen at a time where SSE2 is there.
void XorBytes(char* p, size_t n, BYTE mask)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i mask16 = _mm_set1_epi8((char)mask);
    for (; i + 16 <= n; i += 16)
        _mm_storeu_si128((__m128i*)(p + i), _mm_xor_si128(_mm_loadu_si128((const __m128i*)(p + i)), mask16));
#else
    const uint64_t mask8 = 0x0101010101010101ULL * mask;
    for (; i + 8 <= n; i += 8)
    {
        uint64_t v;
        memcpy(&v, p + i, 8);
        v ^= mask8;
        memcpy(p + i, &v, 8);
    }
#endif
    for (; i < n; ++i)
        p[i] = (char)(p[i] ^ mask);
}

// How many leading bytes two texts share, looking at no more than n of either; eight at a time
// while whole words fit.
inline int SharedLength(const unsigned char* a, const unsigned char* b, int n)
{
    int i = 0;
    for (; i + 8 <= n; i += 8)
    {
        uint64_t va, vb;
        memcpy(&va, a + i, 8);
        memcpy(&vb, b + i, 8);
        if (va != vb)
            return i + __builtin_ctzll(va ^ vb) / 8;   // the first byte that differs
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// Whether codes come in code order, checked as they come: one comparison with the code before,
// a word at a time. Byte order does, as for the parent scan (see CParentScan): a prefix comes
// first, and every code between a prefix and one of its extensions begins with that prefix.
class CodeOrder
{
public:
    CodeOrder() : m_pLast(NULL), m_nLast(0), m_bOrdered(true) {}

    void Add(const CString& strCode)
    {
        if (!m_bOrdered)
            return;
        const unsigned char* p = (const unsigned char*)(LPCTSTR)strCode;
        const int n = strCode.GetLength();
        if (m_pLast != NULL)
        {
            const int nShared = SharedLength(m_pLast, p, m_nLast < n ? m_nLast : n);
            if (nShared < m_nLast && (nShared == n || m_pLast[nShared] > p[nShared]))
            {
                m_bOrdered = false;
                return;
            }
        }
        m_pLast = p;
        m_nLast = n;
    }
    bool IsOrdered() const { return m_bOrdered; }

private:
    const unsigned char* m_pLast;
    int m_nLast;
    bool m_bOrdered;
};

// A new, empty file with a name of its own in the folder (given with its closing separator),
// named as GetTempFileName names them but opened for writing as it is made: making it first and
// opening it again would cost a save twice the work. INVALID_HANDLE_VALUE when none can be made.
HANDLE CreateTempFile(const CString& strDir, char (&szName)[MAX_PATH])
{
    static LONG s_nNext = (LONG)(::GetTickCount() ^ ::GetCurrentProcessId());
    if (strDir.GetLength() + 12 >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    for (int nTry = 0; nTry < 1000; ++nTry)
    {
        const unsigned int nName = (unsigned int)::InterlockedIncrement(&s_nNext) & 0xFFFF;
        wsprintfA(szName, "%slmn%04X.tmp", (LPCTSTR)strDir, nName);
        HANDLE hFile = ::CreateFileA(szName, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE)
            return hFile;
        const DWORD dwError = ::GetLastError();
        if (dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS)
            break;
    }
    return INVALID_HANDLE_VALUE;
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
// file

CString CTreeData::GetTimeStamp() const
{
    return m_strTimeStamp;
}

// Reads the tips a save copies from the file the data was loaded from, through a window that
// moves along the file: a loaded collection asks for them in file order, so the file is read
// once from start to end without a buffer as large as itself. A tip longer than the window gets
// a window of its own size.
struct CTreeData::TipSource
{
    static const DWORD kWindow = 256 * 1024;

    TipSource()
        : m_hFile(INVALID_HANDLE_VALUE), m_nSize(0), m_bScrambled(false), m_bEscaped(false), m_nStart(0),
          m_nHeld(0)
    {
    }
    ~TipSource() { Close(); }

    // Lets the file go, so that a save over it can replace it.
    void Close()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }

    // Opens the file; FALSE when it is gone or no longer the file that was loaded.
    BOOL Open(const CString& strPath, const FileStamp& stamp, bool bEscaped)
    {
        m_hFile = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        FileStamp now;
        if (m_hFile == INVALID_HANDLE_VALUE || !StampOf(m_hFile, now) ||
            memcmp(&now, &stamp, sizeof(now)) != 0 || now.dwSizeHigh != 0)
            return FALSE;
        m_nSize = now.dwSizeLow;
        m_bEscaped = bEscaped;
        BYTE mark[sizeof(kMark)];
        DWORD nRead = 0;
        m_bScrambled = ::ReadFile(m_hFile, mark, sizeof(mark), &nRead, NULL) && HasMark(mark, nRead);
        m_window.resize(kWindow);
        return TRUE;
    }

    // The tip at a file offset as it was saved (never null: a tip past the end of the file is
    // empty); valid until the next call. FALSE when the file cannot be read there.
    BOOL Tip(DWORD nOffset, const char*& pTip, int& nTip)
    {
        nTip = 0;
        pTip = "";
        if (nOffset >= m_nSize)
            return TRUE;
        if ((nOffset < m_nStart || nOffset >= m_nStart + m_nHeld) && !Fill(nOffset, kWindow))
            return FALSE;
        for (;;)
        {
            const size_t nHeld = m_nStart + m_nHeld - nOffset;
            const size_t n = TipLength(m_window.data() + (nOffset - m_nStart), nHeld);
            if (n < nHeld || m_nStart + m_nHeld >= m_nSize)
            {
                pTip = m_window.data() + (nOffset - m_nStart);
                nTip = (int)n;
                break;
            }
            // the tip runs on past the window
            if (!Fill(nOffset, (DWORD)(2 * nHeld)))
                return FALSE;
        }
        if (m_bEscaped && memchr(pTip, kEsc, (size_t)nTip) != NULL)
        {
            m_plain.assign(pTip, pTip + nTip);
            nTip = Unescape(m_plain.data(), nTip);
            pTip = m_plain.data();
        }
        return TRUE;
    }

private:
    // Reads up to nLength bytes from nOffset into the window, unscrambled.
    BOOL Fill(DWORD nOffset, DWORD nLength)
    {
        if (m_window.size() < nLength)
            m_window.resize(nLength);
        LARGE_INTEGER at;
        at.QuadPart = nOffset;
        DWORD nRead = 0;
        if (!::SetFilePointerEx(m_hFile, at, NULL, FILE_BEGIN) ||
            !::ReadFile(m_hFile, m_window.data(), nLength, &nRead, NULL) || nRead == 0)
            return FALSE;
        if (m_bScrambled)
            XorBytes(m_window.data(), nRead, kMask);
        m_nStart = nOffset;
        m_nHeld = nRead;
        return TRUE;
    }

    HANDLE m_hFile;
    DWORD m_nSize;
    bool m_bScrambled;
    bool m_bEscaped;
    std::vector<char> m_window;
    DWORD m_nStart;     // file offset of the window's first byte
    DWORD m_nHeld;      // bytes the window holds
    std::vector<char> m_plain;  // the last tip unescaped
};

// Puts the file's text together in runs of records, each in a buffer of its own, and writes the
// runs in order. Small buffers stay in the cache, where a block as large as the file would cost
// more to touch than the writing itself. A worker of the system thread pool joins in: it writes
// each run that is ready while the next one is put together and, where runs may be put together
// in any order (bShared), it takes runs to put together as well. Records a host added one by one
// lie scattered in memory, and waiting on the memory for them costs a save more than anything
// else; two threads wait on it side by side.
//
// Whoever is free writes the next run in order once it is ready, so the save never waits for a
// worker that has not started (none can start while the loader lock is held, as in DllMain): it
// waits only while the worker is busy with a run, and at the end calls off a worker still
// waiting to run. Once a run could not be put together or written, nothing more is.
struct CTreeData::RunWriter
{
    static const int kBuffers = 4;

    // Where a run is put together; it grows for a run longer than it holds.
    class Buffer
    {
    public:
        Buffer() : m_nCap(0), m_nUsed(0) {}

        // Room for n bytes at the end, kept with Commit; null when there is no memory for it.
        char* Reserve(size_t n)
        {
            if (m_nCap - m_nUsed < n && !Grow(m_nUsed + n))
                return NULL;
            return m_p.get() + m_nUsed;
        }
        void Commit(const char* pEnd) { m_nUsed = (size_t)(pEnd - m_p.get()); }
        bool Put(const char* p, size_t n)
        {
            if (n == 0)
                return true;
            char* pAt = Reserve(n);
            if (pAt == NULL)
                return false;
            memcpy(pAt, p, n);
            m_nUsed += n;
            return true;
        }
        // Bytes put since the run began.
        size_t Size() const { return m_nUsed; }

    private:
        friend struct RunWriter;

        bool Grow(size_t nNeed)
        {
            const size_t nCap = nNeed > 2 * m_nCap ? (nNeed > kFirst ? nNeed : kFirst) : 2 * m_nCap;
            std::unique_ptr<char[]> p(new (std::nothrow) char[nCap]);
            if (!p)
                return false;
            if (m_nUsed > 0)
                memcpy(p.get(), m_p.get(), m_nUsed);
            m_p = std::move(p);
            m_nCap = nCap;
            return true;
        }

        static const size_t kFirst = 256 * 1024;
        std::unique_ptr<char[]> m_p;
        size_t m_nCap;
        size_t m_nUsed;
    };

    // Puts run nRun together at the end of out, which holds nBase bytes of text before the run
    // when runs are put together in order (and SIZE_MAX when they are not); false when it cannot.
    typedef std::function<bool(int nRun, size_t nBase, Buffer& out)> FormatRun;

    RunWriter(CTreeData& owner, CFile& file, int nRuns, bool bShared, FormatRun formatRun)
        : m_owner(owner), m_file(file), m_nRuns(nRuns), m_bShared(bShared),
          m_formatRun(std::move(formatRun)), m_nTaken(0), m_nWritten(0), m_nBusy(0),
          m_bWriting(false), m_bOk(true), m_nBase(0), m_nPut(0)
    {
        ::InitializeSRWLock(&m_lock);
        ::InitializeConditionVariable(&m_cv);
        for (int k = 0; k < kBuffers; ++k)
            m_anReady[k] = -1;
    }

    // Puts every run together and writes it; TRUE when all of it was written.
    BOOL Run()
    {
        PTP_WORK pWork = m_nRuns > 1 ? ::CreateThreadpoolWork(WorkCallback, this, NULL) : NULL;
        if (pWork != NULL)
            ::SubmitThreadpoolWork(pWork);
        Serve(true);
        if (pWork != NULL)
        {
            ::WaitForThreadpoolWorkCallbacks(pWork, TRUE);
            ::CloseThreadpoolWork(pWork);
        }
        return m_bOk && m_nWritten == m_nRuns ? TRUE : FALSE;
    }
    // Bytes of text written.
    size_t Written() const { return m_nPut; }

private:
    static VOID CALLBACK WorkCallback(PTP_CALLBACK_INSTANCE, PVOID pv, PTP_WORK)
    {
        ((RunWriter*)pv)->Serve(false);
    }

    // Writes the next run in order and puts runs together until none is left to take. The saving
    // thread then stays until the worker is done with its own; the worker leaves.
    void Serve(bool bSaver)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        for (;;)
        {
            const bool bMore = m_bOk && m_nTaken < m_nRuns;
            const bool bTake = bMore && m_nTaken - m_nWritten < kBuffers && (bSaver || m_bShared);
            // The saving thread writes only when it cannot go on, the worker first of all.
            if (bSaver && bTake)
                FormatNext();
            else if (!WriteNext())
            {
                if (bTake)
                    FormatNext();
                else if (!bMore && (!bSaver || m_nBusy == 0))
                    break;
                else
                    ::SleepConditionVariableSRW(&m_cv, &m_lock, INFINITE, 0);
            }
        }
        ::ReleaseSRWLockExclusive(&m_lock);
    }

    // Called under m_lock, which they let go while they work.
    void FormatNext()
    {
        const int nRun = m_nTaken++;
        Buffer& out = m_aBuffer[nRun % kBuffers];
        ++m_nBusy;
        ::ReleaseSRWLockExclusive(&m_lock);
        out.m_nUsed = 0;
        const bool bOk = m_formatRun(nRun, m_bShared ? SIZE_MAX : m_nBase, out);
        if (!m_bShared)
            m_nBase += out.m_nUsed;   // only the saving thread puts runs together then
        ::AcquireSRWLockExclusive(&m_lock);
        --m_nBusy;
        m_anReady[nRun % kBuffers] = nRun;
        m_bOk = m_bOk && bOk;
        ::WakeAllConditionVariable(&m_cv);
    }

    bool WriteNext()
    {
        const int k = m_nWritten % kBuffers;
        if (!m_bOk || m_bWriting || m_nWritten == m_nTaken || m_anReady[k] != m_nWritten)
            return false;
        m_bWriting = true;
        ++m_nBusy;
        ::ReleaseSRWLockExclusive(&m_lock);
        Buffer& out = m_aBuffer[k];
        XorBytes(out.m_p.get(), out.m_nUsed, kMask);
        const bool bOk = out.m_nUsed == 0 || m_owner.WriteFileBody(m_file, (const BYTE*)out.m_p.get(), (UINT)out.m_nUsed);
        ::AcquireSRWLockExclusive(&m_lock);
        m_nPut += out.m_nUsed;
        m_bWriting = false;
        --m_nBusy;
        ++m_nWritten;
        m_bOk = m_bOk && bOk;
        ::WakeAllConditionVariable(&m_cv);
        return true;
    }

    CTreeData& m_owner;
    CFile& m_file;
    const int m_nRuns;
    const bool m_bShared;
    FormatRun m_formatRun;
    Buffer m_aBuffer[kBuffers];     // run n is put together in buffer n % kBuffers
    // Under m_lock: runs taken, runs written, which run each buffer holds ready, and threads
    // busy putting a run together or writing one.
    int m_nTaken;
    int m_nWritten;
    int m_anReady[kBuffers];
    int m_nBusy;
    bool m_bWriting;
    bool m_bOk;
    size_t m_nBase;                 // bytes put together so far, while only the saving thread does it
    size_t m_nPut;
    SRWLOCK m_lock;
    CONDITION_VARIABLE m_cv;
};

BOOL CTreeData::SaveToFile(LPCTSTR lpszPath, LPCTSTR lpszTimeStamp)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;
    BuildLevel();
    const CString strPath(lpszPath);
    const int nSize = m_arrData.GetSize();

    // Tips that live only in the file this data came from are carried over, so that a loaded
    // collection saved again keeps them; only while it is still the file loaded, otherwise the
    // save fails rather than lose the tips.
    TipSource source;
    bool bSource = false;
    for (int i = 0; i < nSize && m_bTipsInFile && !bSource; ++i)
    {
        const treedatas* pRec = m_arrData[i];
        if (pRec->strTip.IsEmpty() && pRec->nTipOffset > 0)
        {
            if (!source.Open(m_strFileName, m_stamp, m_bFileEscaped))
                return FALSE;
            bSource = true;
        }
    }

    // Saved over the file the tips are read from, records whose tip lies there are pointed at
    // its new place as they are written; their old places are kept to put back if the save fails.
    const bool bToSource = !m_strFileName.IsEmpty() && SameFile(m_strFileName, strPath);
    std::unique_ptr<int[]> oldOffsets(bToSource ? new int[(size_t)nSize] : NULL);
    int nMoved = 0;
    bool bTipsInFile = false;   // a record without a tip of its own gets one from the file
    bool bTooLarge = false;
    // Some text holds a byte that must be escaped (written by either thread, read once both are done).
    std::atomic<bool> bEscaped(false);
    const char* const pStamp = lpszTimeStamp ? lpszTimeStamp : "";
    const size_t nStamp = strlen(pStamp);
    const int kRun = 2048;
    const int nRuns = nSize / kRun + 1;
    auto formatRun = [&](int nRun, size_t nBase, RunWriter::Buffer& out) -> bool {
        if (nRun == 0)
        {
            char* pAt = out.Reserve(2 * nStamp + 2);
            if (pAt == NULL)
                return false;
            char* pEnd = PutEscaped(pAt, pStamp, nStamp, false);
            if ((size_t)(pEnd - pAt) != nStamp)
                bEscaped.store(true, std::memory_order_relaxed);
            *pEnd++ = '\r';
            *pEnd++ = '\n';
            out.Commit(pEnd);
        }
        const int nEnd = nRun == nRuns - 1 ? nSize : (nRun + 1) * kRun;
        for (int i = nRun * kRun; i < nEnd; ++i)
        {
            // Records lie where they were made, not in code order: asking early for the ones a
            // few places ahead keeps the memory busy while this one is written.
            if (i + 16 < nSize)
            {
                const char* pAhead = (const char*)m_arrData[i + 16];
                __builtin_prefetch(pAhead);
                __builtin_prefetch(pAhead + 64);
                __builtin_prefetch(pAhead + 128);
                __builtin_prefetch(pAhead + 192);
            }
            treedatas* pRec = m_arrData[i];
            const char* pTip = pRec->strTip;
            int nTip = pRec->strTip.GetLength();
            if (nTip == 0 && bSource && pRec->nTipOffset > 0)
            {
                if (!source.Tip((DWORD)pRec->nTipOffset, pTip, nTip))
                    return false;
                bTipsInFile = bTipsInFile || nTip > 0;
            }
            const size_t nTexts = (size_t)pRec->strCode.GetLength() + pRec->strText.GetLength() +
                                  pRec->strDetail.GetLength() + nTip + pRec->strLLAFile.GetLength();
            const size_t nLineAt = out.Size();
            char* pLine = out.Reserve(nTexts + 2 * kMaxIntChars + 8 + kCopySlack);
            if (pLine == NULL)
                return false;
            const char* pTipAt = NULL;
            char* pEnd = FormatRecord(pLine, pRec, pTip, nTip, pTipAt);
            // Six tabs and the line's CR LF, unless a text holds a byte that must be escaped.
            if (CountEscapable(pLine, (size_t)(pEnd - pLine)) != 8)
            {
                bEscaped.store(true, std::memory_order_relaxed);
                pLine = out.Reserve(2 * nTexts + 2 * kMaxIntChars + 8);
                if (pLine == NULL)
                    return false;
                pEnd = FormatRecordEscaped(pLine, pRec, pTip, nTip, pTipAt);
            }
            out.Commit(pEnd);
            if (bToSource)
            {
                const size_t nTipAt = sizeof(kMark) + nBase + nLineAt + (size_t)(pTipAt - pLine);
                bTooLarge = bTooLarge || nTipAt > (size_t)INT_MAX;
                oldOffsets[i] = pRec->nTipOffset;
                if (pRec->strTip.IsEmpty())
                    pRec->nTipOffset = (int)nTipAt;
                nMoved = i + 1;
            }
        }
        return nRun < nRuns - 1 || out.Put("", 1);
    };

    const BOOL bWritten = WriteTempAndReplace(strPath, [&](CFile& file) -> BOOL {
        if (!WriteFileBody(file, kMark, sizeof(kMark)))
            return FALSE;
        // Tips read from the file come in file order, and a new tip offset needs the length of
        // the text before it: only then are the runs put together one after another.
        RunWriter writer(*this, file, nRuns, !bSource && !bToSource, formatRun);
        BOOL bOk = writer.Run();
        source.Close();
        if (bOk && bEscaped.load(std::memory_order_relaxed))
        {
            BYTE tag[sizeof(kEscapedTag)];
            for (size_t k = 0; k < sizeof(tag); ++k)
                tag[k] = (BYTE)(kEscapedTag[k] ^ kMask);
            bOk = WriteFileBody(file, tag, sizeof(tag));
        }
        // Offsets into the file are ints: a file that large could not be read back.
        return bOk && sizeof(kMark) + writer.Written() <= (size_t)INT_MAX;
    });
    if (!bWritten || bTooLarge)
    {
        for (int i = 0; i < nMoved; ++i)
            m_arrData[i]->nTipOffset = oldOffsets[i];
        return FALSE;
    }

    // The file the tips are read from has just been rewritten. A stamp that cannot be taken
    // matches no file: the next save that needs these tips fails instead of dropping them.
    if (bToSource)
    {
        m_bTipsInFile = bTipsInFile;
        m_bFileEscaped = bEscaped.load(std::memory_order_relaxed);
        if (!StampOf(m_strFileName, m_stamp))
            memset(&m_stamp, 0, sizeof(m_stamp));
    }
    return TRUE;
}

// The old file is replaced only once the new content is completely on disk, so a failing write
// (disk full, I/O error) leaves it as it was.
template <class WriteBody>
BOOL CTreeData::WriteTempAndReplace(const CString& strPath, WriteBody writeBody)
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
    const HANDLE hTemp = CreateTempFile(strDir, szTemp);
    if (hTemp == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bOk = FALSE;
    {
        CFile file(hTemp);
        bOk = writeBody(file);
        if (bOk)
            file.Flush();
        bOk = bOk && !file.HasWriteError();
        file.Close();
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

// A collection with records reads the file into a collection of its own and takes that over
// only once the file proved loadable, so a refused file leaves the records as they were; an
// empty one reads it itself and puts back the little it had when the file is refused.
BOOL CTreeData::LoadFromFile(LPCTSTR lpszPath)
{
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;
    if (m_arrData.GetSize() > 0)
    {
        CTreeData loaded;
        if (!loaded.ParseFile(lpszPath))
            return FALSE;
        TakeRecords(loaded);
        return TRUE;
    }
    const CString strFileName(m_strFileName), strTimeStamp(m_strTimeStamp);
    const FileStamp stamp = m_stamp;
    const bool bTipsInFile = m_bTipsInFile, bFileEscaped = m_bFileEscaped;
    const int bSorted = m_bSorted, bLevelBuilt = m_bLevelBuilt;
    const bool bUnordered = m_bUnordered;
    Empty();
    if (ParseFile(lpszPath))
        return TRUE;
    Empty();
    m_strFileName = strFileName;
    m_strTimeStamp = strTimeStamp;
    m_stamp = stamp;
    m_bTipsInFile = bTipsInFile;
    m_bFileEscaped = bFileEscaped;
    m_bSorted = bSorted;
    m_bLevelBuilt = bLevelBuilt;
    m_bUnordered = bUnordered;
    return FALSE;
}

void CTreeData::TakeRecords(CTreeData& from)
{
    Empty();
    m_arrData.Copy(from.m_arrData);
    from.m_arrData.RemoveAll();
    m_bSorted = from.m_bSorted;
    m_bLevelBuilt = from.m_bLevelBuilt;
    m_strTimeStamp = from.m_strTimeStamp;
    m_strFileName = from.m_strFileName;
    m_stamp = from.m_stamp;
    m_bTipsInFile = from.m_bTipsInFile;
    m_bFileEscaped = from.m_bFileEscaped;
    m_bUnordered = from.m_bUnordered;
    std::swap(m_pLoadText, from.m_pLoadText);
    std::swap(m_pLoadRecords, from.m_pLoadRecords);
    std::swap(m_nLoadRecords, from.m_nLoadRecords);
    std::swap(m_pSpill, from.m_pSpill);
}

// Reads a file into this collection, which is empty; FALSE for a file that cannot be read (the
// caller then empties the collection).
BOOL CTreeData::ParseFile(LPCTSTR lpszPath)
{
    DWORD nFile = 0;
    char* pBuf = CPub::File2Mem(lpszPath, &nFile);
    if (pBuf == NULL)
        return FALSE;

    // The text ends at its terminating NUL, or at the end of the data when a damaged file lost
    // it; what follows the NUL is never looked at, so it is left scrambled.
    const bool bScrambled = HasMark((const BYTE*)pBuf, nFile);
    const char* pText = pBuf + (bScrambled ? sizeof(kMark) : 0);
    int nLines = 0;
    const char* pEnd = UnscrambleText(pBuf + (pText - pBuf), pBuf + nFile, bScrambled, nLines);
    // The tag that says the texts are escaped follows the NUL, and ends the file.
    bool bEscaped = pEnd < pBuf + nFile && (size_t)(pBuf + nFile - pEnd) == 1 + sizeof(kEscapedTag);
    for (size_t k = 0; bEscaped && k < sizeof(kEscapedTag); ++k)
        bEscaped = (char)(pEnd[1 + k] ^ (bScrambled ? kMask : 0)) == kEscapedTag[k];

    // The records go one after another in a block of their own, room for every line at once.
    treedatas* pRecords = NULL;
    if (nLines > 0)
    {
        pRecords = (treedatas*)malloc((size_t)nLines * sizeof(treedatas));
        if (pRecords == NULL)
        {
            free(pBuf);
            return FALSE;
        }
    }

    m_strFileName = lpszPath;
    if (!StampOf(lpszPath, m_stamp))
    {
        free(pBuf);
        free(pRecords);
        return FALSE;
    }
    m_pLoadText = pBuf;
    m_pLoadRecords = pRecords;

    // Room for every line at once: the array then never grows while loading.
    m_arrData.SetSize(nLines);
    const UINT nFirstNumber = TakeRecordNumbers((UINT)nLines);
    int nRecords = 0;

    // The texts are not copied to new memory: each is moved towards the front of the buffer,
    // behind the bookkeeping a string needs, into room the lines before it no longer use. A
    // record only takes room wholly below the start of its own line, so nothing is written over
    // text that has not been read yet; when its texts do not fit there (the bookkeeping of a
    // record's texts may take more room than its line's tabs, numbers and tip gave up) they go
    // to a block of their own.
    char* pWrite = pBuf;

    // One pass over the text, for the tabs that end fields and the CR LF pairs that end lines.
    const SpaceTable isSpace;
    CodeOrder order;
    const char* pLine = pText;
    for (bool bFirst = true; pLine < pEnd || !bFirst; bFirst = false)
    {
        const char* pField[kFields];
        int nField[kFields];
        int nTabs = 0;
        const char* pLineEnd = SplitLine(pLine, pEnd, pField, nField, nTabs);
        if (bFirst)
        {
            int nStamp = (int)(pLineEnd - pLine);
            if (bEscaped)
                nStamp = Unescape((char*)pLine, nStamp);
            m_strTimeStamp = CString(pLine, nStamp);
        }
        else
        {
            // Pairs are turned back in place, inside the line: nothing not yet read is touched.
            for (int f : { 0, 1, 2, 5 })
                if (bEscaped && nField[f] > 0)
                    nField[f] = Unescape((char*)pField[f], nField[f]);
            for (int f = 0; f < 3; ++f)
                TrimSpan(pField[f], nField[f], isSpace);
            if (nField[0] > 0 && nRecords < nLines)
            {
                const int kTexts = 4;
                const char* const apText[kTexts] = { pField[0], pField[1], pField[2], pField[5] };
                const int anText[kTexts] = { nField[0], nField[1], nField[2], nField[5] };
                size_t nNeed = 0;
                for (int t = 0; t < kTexts; ++t)
                    nNeed += LoadBlockSize(anText[t]);
                char* pBlock;
                if ((size_t)(pLine - pWrite) >= nNeed)
                {
                    pBlock = pWrite;
                    pWrite += nNeed;
                }
                else
                    pBlock = TakeSpill(nNeed);  // null: each text gets a heap block
                treedatas* pRec = new (&pRecords[nRecords]) treedatas;
                pRec->nSerial = nFirstNumber + (UINT)nRecords;
                m_nLoadRecords = nRecords + 1;
                CString* const apString[kTexts] = { &pRec->strCode, &pRec->strText, &pRec->strDetail,
                                                    &pRec->strLLAFile };
                for (int t = 0; t < kTexts; ++t)
                {
                    apString[t]->AssignExternal(pBlock, apText[t], anText[t]);
                    if (pBlock != NULL)
                        pBlock += LoadBlockSize(anText[t]);
                }
                pRec->nLevel = SpanToInt(pField[3], nField[3], isSpace);
                pRec->nTipOffset = nTabs >= 4 ? (int)(pField[4] - pBuf) : 0;
                m_bTipsInFile = m_bTipsInFile || (nTabs >= 4 && nField[4] > 0);
                pRec->nLLASeq = SpanToInt(pField[6], nField[6], isSpace);
                m_arrData[nRecords++] = pRec;
                order.Add(pRec->strCode);
            }
        }
        if (pLineEnd == pEnd)
            break;
        pLine = pLineEnd + 2;
    }
    m_arrData.SetSize(nRecords);
    if (pWrite == pBuf)
    {
        free(m_pLoadText);  // no text stayed in it
        m_pLoadText = NULL;
    }
    m_bSorted = 1;
    m_bLevelBuilt = 1;
    m_bUnordered = !order.IsOrdered();
    m_bFileEscaped = bEscaped;
    return TRUE;
}

// Times and size asked for apart: the call that gives all of a file's information at once
// costs a save more than a millisecond on some systems.
bool CTreeData::StampOf(HANDLE hFile, FileStamp& stamp)
{
    LARGE_INTEGER size;
    if (!::GetFileTime(hFile, &stamp.ftCreation, NULL, &stamp.ftWrite) || !::GetFileSizeEx(hFile, &size))
        return false;
    stamp.dwSizeHigh = (DWORD)(size.QuadPart >> 32);
    stamp.dwSizeLow = (DWORD)size.QuadPart;
    return true;
}

// By name, without opening the file: the load takes it for every file it reads.
bool CTreeData::StampOf(LPCTSTR lpszPath, FileStamp& stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszPath, GetFileExInfoStandard, &data))
        return false;
    stamp.dwSizeHigh = data.nFileSizeHigh;
    stamp.dwSizeLow = data.nFileSizeLow;
    stamp.ftCreation = data.ftCreationTime;
    stamp.ftWrite = data.ftLastWriteTime;
    return true;
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
    std::vector<char> tip;
    if (file.Seek(nOffset, CFile::begin) == (ULONGLONG)nOffset)
    {
        char buf[4096];
        for (UINT nRead; (nRead = file.Read(buf, sizeof(buf))) > 0;)
        {
            if (bScrambled)
                XorBytes(buf, nRead, kMask);
            const size_t n = TipLength(buf, nRead);
            tip.insert(tip.end(), buf, buf + n);
            if (n < nRead)
                break;
        }
    }
    file.Close();
    if (tip.empty())
        return CString();
    int nTip = (int)tip.size();
    if (m_bFileEscaped)
        nTip = Unescape(tip.data(), nTip);
    return CString(tip.data(), nTip);
}
