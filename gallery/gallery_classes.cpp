// The second gallery host: ordinary framework code that uses the library's exported classes
// directly, one labelled panel per class in a single window.
//
//   gallery_classes.exe                  interactive: the window stays open for a person
//   gallery_classes.exe --script OUTDIR  scripted session: hovers, clicks and double clicks the
//                                        bitmap buttons, resizes the window, writes a PNG of each
//                                        state to OUTDIR, prints every notification the host
//                                        received (one decoded line each) and exits 0 when all
//                                        of its checks passed
//
// Panels: XP buttons of every kind in every state (XPButtonPanel.cpp), the small controls
// (gallery_controls.cpp), the drawing toolkit
// (colours, gradients, lines, progress bars and check boxes, pictures made at run time), windows
// shaped by band regions, bitmap buttons in every door and drop hue, coloured background windows
// laying out their children, and a panel whose children follow layout rules when the window is
// resized.
#include <afxwin.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "CButtonBMP.h"
#include "CWndBack.h"
#include "CRgnMaker.h"
#include "CUtilityVisual.h"
#include "CMyWin.h"
#include "lumo.h"
#include "GalleryControls.h"
#include "PngFile.h"
#include "ScriptSupport.h"
#include "XPButtonPanel.h"

using namespace gallery;

namespace {

// A hue's bitmap ids, asked of the resource library itself (beside the program), as any host
// of the library may. FALSE when it cannot be asked.
BOOL HueBitmaps(int hue, DWORD* normal, DWORD* hover, DWORD* dropped, DWORD* closed,
                DWORD* droppedHover, DWORD* closedHover)
{
    typedef int (WINAPI* PFN_Door)(int, DWORD*, DWORD*, DWORD*);
    typedef int (WINAPI* PFN_Drop)(int, DWORD*, DWORD*, DWORD*, DWORD*, DWORD*);
    static HMODULE hRes = [] {
        char path[MAX_PATH];
        DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path, n);
        folder.resize(folder.find_last_of('\\') + 1);
        return ::LoadLibraryExA((folder + "LumoRes.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }();
    auto door = hRes ? (PFN_Door)(void*)::GetProcAddress(hRes, "GetDoorHandle") : nullptr;
    auto drop = hRes ? (PFN_Drop)(void*)::GetProcAddress(hRes, "GetDropHandle") : nullptr;
    DWORD colour = 0;
    return door && drop && door(hue, normal, hover, &colour) &&
           drop(hue, dropped, closed, droppedHover, closedHover, &colour);
}

// ---------------------------------------------------------------------------------------------
// Geometry and colours
// ---------------------------------------------------------------------------------------------

// The XP button panel spans the top, the small controls' strip lies under it, and the other
// panels sit in three rows below them.
const int kXPPanelH = 188, kStripY = 8 + kXPPanelH, kTop = kStripY + gallery::CControlsStrip::kHeight + 8;
const int kClientW = 1104, kClientH = kTop + 532;
const int kColX[3] = { 8, 376, 744 };
const int kColW = 352;
const int kRowY[3] = { kTop, kTop + 140, kTop + 306 };
const int kRowH[3] = { 132, 158, 218 };
const int kTitleH = 20;
// The window grows by this much for the resized screenshot.
const int kGrowW = 136, kGrowH = 120;

const COLORREF kWindowBack = RGB(228, 233, 240);
const COLORREF kPanelBack = RGB(255, 255, 255);
const COLORREF kTitleBack = RGB(58, 110, 165);
const COLORREF kText = RGB(40, 40, 40);
const COLORREF kDoorBlue = RGB(58, 110, 165);
const COLORREF kBandColours[3] = { RGB(58, 110, 165), RGB(104, 154, 206), RGB(176, 204, 236) };
const COLORREF kBackGreen = RGB(46, 125, 90);
const COLORREF kLayoutBack = RGB(244, 246, 250);
const COLORREF kCornerTile = RGB(150, 70, 60);

enum Panel
{
    kColours,
    kGradients,
    kLines,
    kProgress,
    kPictures,
    kRegions,
    kButtons,
    kBackWindows,
    kLayout,
    kPanelCount
};

const char* const kPanelTitles[kPanelCount] = {
    "CUtilityVisual: Hilight and ToGray",
    "CUtilityVisual: GradientRect and Gradient2Rect",
    "CUtilityVisual: borders, dashes, inverting lines",
    "CUtilityVisual: DrawProgress and DrawCheck",
    "CUtilityVisual: a picture made at run time",
    "CRgnMaker: three windows shaped by band regions",
    "CButtonBMP: door and drop hues (WM_NOTIFY)",
    "CWndBack: coloured containers laying out children",
    "CMyWin: children placed by rules",
};

// Control ids of the bitmap buttons: door hues, then drop hues dropped, then closed.
const UINT kDoorButtonId = 200, kDropOpenId = 210, kDropClosedId = 220, kLastButtonId = 229;
const int kHues = 4;

// Pictures: a 24 x 24 bitmap of four coloured quadrants; it measures its 24 pixels at any DPI.
const int kPicW = 24, kPicH = 24;
const COLORREF kQuadrants[4] = { RGB(220, 60, 60), RGB(60, 170, 90), RGB(60, 100, 210), RGB(240, 200, 60) };

bool g_scripted = false;


// A 24-bit bottom-up BMP file in memory.
std::vector<BYTE> MakeQuadrantBmp()
{
    const int rowBytes = (kPicW * 3 + 3) & ~3;
    const int imageBytes = rowBytes * kPicH;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes, 0);
    BITMAPFILEHEADER* fh = (BITMAPFILEHEADER*)&file[0];
    BITMAPINFOHEADER* ih = (BITMAPINFOHEADER*)&file[sizeof(BITMAPFILEHEADER)];
    fh->bfType = 0x4D42;
    fh->bfSize = (DWORD)file.size();
    fh->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    ih->biSize = sizeof(BITMAPINFOHEADER);
    ih->biWidth = kPicW;
    ih->biHeight = kPicH;
    ih->biPlanes = 1;
    ih->biBitCount = 24;
    ih->biCompression = BI_RGB;
    ih->biSizeImage = imageBytes;
    BYTE* bits = &file[fh->bfOffBits];
    for (int y = 0; y < kPicH; ++y)
    {
        BYTE* row = bits + (kPicH - 1 - y) * rowBytes;  // bottom-up
        for (int x = 0; x < kPicW; ++x)
        {
            COLORREF c = kQuadrants[(y >= kPicH / 2 ? 2 : 0) + (x >= kPicW / 2 ? 1 : 0)];
            row[x * 3 + 0] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return file;
}

const char* NotifyName(UINT code)
{
    switch (code)
    {
    case BMPBTN_CLICKED:
        return "BMPBTN_CLICKED";
    case BMPBTN_DBLCLICKED:
        return "BMPBTN_DBLCLICKED";
    case BMPBTN_MOUSEMOVE:
        return "BMPBTN_MOUSEMOVE";
    case BMPBTN_MOUSELEAVE:
        return "BMPBTN_MOUSELEAVE";
    }
    return "unknown";
}

std::string ButtonName(UINT id)
{
    char name[48];
    if (id >= kDoorButtonId && id < kDoorButtonId + kHues)
        sprintf(name, "door hue %u", id - kDoorButtonId);
    else if (id >= kDropOpenId && id < kDropOpenId + kHues)
        sprintf(name, "drop hue %u dropped", id - kDropOpenId);
    else if (id >= kDropClosedId && id < kDropClosedId + kHues)
        sprintf(name, "drop hue %u closed", id - kDropClosedId);
    else
        sprintf(name, "button %u", id);
    return name;
}

// ---------------------------------------------------------------------------------------------
// A coloured child window with a caption: the pieces the layout panels move around, and the
// region-shaped bands.
// ---------------------------------------------------------------------------------------------

class CTile : public CWnd
{
public:
    CTile() : m_crBack(RGB(200, 200, 200)), m_crText(RGB(255, 255, 255)), m_bFrame(TRUE) {}

    BOOL Make(CWnd* pParent, const CRect& rect, COLORREF crBack, LPCTSTR lpszText, BOOL bFrame = TRUE)
    {
        m_crBack = crBack;
        m_bFrame = bFrame;
        // Dark text on light tiles, white on dark ones.
        m_crText = GetRValue(CUtilityVisual::ToGray(crBack)) > 150 ? kText : RGB(255, 255, 255);
        m_rcText.SetRectEmpty();
        // Repainted whole on every size change: the caption is centred.
        return CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW)), lpszText,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, pParent, 0);
    }
    // Where the caption goes; empty: the whole client area.
    void SetTextRect(const CRect& rect) { m_rcText = rect; }
    COLORREF GetColour() const { return m_crBack; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, m_crBack);
        if (m_bFrame)
            dc.Draw3dRect(&rc, CUtilityVisual::Hilight(m_crBack, 40), CUtilityVisual::Hilight(m_crBack, -50));
        CString text;
        GetWindowText(text);
        CRect rcText = m_rcText.IsRectEmpty() ? rc : m_rcText;
        rcText.DeflateRect(3, 0);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_crText);
        CGdiObject* pOld = dc.SelectStockObject(DEFAULT_GUI_FONT);
        dc.DrawText(text, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        dc.SelectObject(pOld);
    }

    COLORREF m_crBack;
    COLORREF m_crText;
    BOOL m_bFrame;
    CRect m_rcText;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTile, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// The panel whose children follow layout rules
// ---------------------------------------------------------------------------------------------

class CLayoutPanel : public CWnd
{
public:
    enum
    {
        kTitle,
        kList,
        kDetails,
        kSideTop,
        kSideMiddle,
        kCorner,
        kSerial1,
        kSerial2,
        kTileCount
    };
    // Sizes the rules below are written for.
    static const int kSideW = 112, kSideH = 30, kCornerW = 96, kCornerH = 24, kSerialW = 56, kSerialH = 24,
                     kSerialGap = 6, kMargin = 8;

    BOOL Make(CWnd* pParent, const CRect& rect)
    {
        if (!CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW)), "CMyWin panel",
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParent, 0))
            return FALSE;
        const int w = rect.Width(), h = rect.Height();
        struct TileDef
        {
            CRect rc;
            COLORREF colour;
            const char* text;
        } tileDefs[kTileCount] = {
            { CRect(8, 8, w - 8, 30), RGB(58, 110, 165), "AddSizeWnd: x 8, y 8, right 8" },
            { CRect(8, 38, 224, 122), RGB(214, 226, 240), "AddSizeWnd: right 128, bottom 76" },
            { CRect(8, 126, 224, 148), RGB(176, 204, 236), "AddSizeWnd_Under the list, 4 below" },
            { CRect(w - 8 - kSideW, 38, w - 8, 38 + kSideH), RGB(46, 125, 90), "AddMoveWnd: right 8" },
            { CRect(w - 8 - kSideW, 84, w - 8, 84 + kSideH), RGB(96, 96, 104), "centred vertically" },
            { CRect(w - 8 - kCornerW, h - 8 - kCornerH, w - 8, h - 8), kCornerTile, "right 8, bottom 8" },
            { CRect(0, h - 8 - kSerialH, kSerialW, h - 8), RGB(240, 200, 60), "serial 1" },
            { CRect(0, h - 8 - kSerialH, kSerialW, h - 8), RGB(240, 200, 60), "serial 2" },
        };
        for (int i = 0; i < kTileCount; ++i)
            if (!m_tiles[i].Make(this, tileDefs[i].rc, tileDefs[i].colour, tileDefs[i].text))
                return FALSE;
        m_layout.SetParent(this);
        m_layout.AddSizeWnd(m_tiles[kTitle], kMargin, 8, kMargin, -1);
        m_layout.AddSizeWnd(m_tiles[kList], kMargin, 38, 128, 76);
        m_layout.AddSizeWnd_Under(m_tiles[kDetails], m_tiles[kList], 22, 4);
        m_layout.AddMoveWnd(m_tiles[kSideTop], kMargin, -1);
        m_layout.AddMoveWnd(m_tiles[kSideMiddle], kMargin, 0, TRUE, FALSE);
        m_layout.AddMoveWnd(m_tiles[kCorner], kMargin, kMargin);
        m_layout.AddMoveWnd_Serial(m_tiles[kSerial1], kMargin, kSerialGap);
        m_layout.AddMoveWnd_Serial(m_tiles[kSerial2], kMargin, kSerialGap);
        m_layout.OnSize(TRUE);
        return TRUE;
    }
    CTile& Tile(int i) { return m_tiles[i]; }
    // A tile's rectangle in this panel's client coordinates.
    CRect TileRect(int i)
    {
        CRect rc;
        m_tiles[i].GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, kLayoutBack);
        char text[64];
        sprintf(text, "client %d x %d", rc.Width(), rc.Height());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(120, 120, 130));
        CGdiObject* pOld = pDC->SelectStockObject(DEFAULT_GUI_FONT);
        pDC->TextOut(10, rc.bottom - 26, text, (int)strlen(text));
        pDC->SelectObject(pOld);
        return TRUE;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        m_layout.OnSize(TRUE);
    }

    CMyWin m_layout;
    CTile m_tiles[kTileCount];

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLayoutPanel, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// The main window
// ---------------------------------------------------------------------------------------------

class CClassesWnd : public CWnd
{
public:
    CClassesWnd() : m_pBack(NULL), m_pPictureBack(NULL), m_pPicture(NULL), m_hHand(NULL) {}
    ~CClassesWnd()
    {
        if (m_pPicture)
            m_pPicture->Release();
        if (m_hHand)
            ::DestroyCursor(m_hHand);
    }

    BOOL Build();

    // Everything the script reads.
    std::vector<std::string> m_log;
    int m_notifies[4] = {};  // clicked, double clicked, move, leave
    CButtonBMP m_doorButtons[kHues];
    CButtonBMP m_dropOpen[kHues];
    CButtonBMP m_dropClosed[kHues];
    CTile m_bands[3];
    CWndBack* m_pBack;         // deletes itself with its window
    CWndBack* m_pPictureBack;  // likewise
    CTile m_backTiles[3];
    CLayoutPanel m_layoutPanel;
    CXPButtonPanel m_xpPanel;
    gallery::CControlsStrip m_controls;
    IPicture* m_pPicture;
    // Where the script looks, in client coordinates.
    CRect m_rcGradient4, m_rcProgress30, m_rcRegions, m_rcTiled;

    static CRect PanelRect(int panel, const CRect& client);
    static CRect BodyRect(int panel, const CRect& client)
    {
        CRect rc = PanelRect(panel, client);
        rc.top += kTitleH;
        return rc;
    }

protected:
    void Log(const std::string& line);
    void PaintAll(CDC* pDC, const CRect& client);
    void PaintColours(CDC* pDC, const CRect& body);
    void PaintGradients(CDC* pDC, const CRect& body);
    void PaintLines(CDC* pDC, const CRect& body);
    void PaintProgress(CDC* pDC, const CRect& body);
    void PaintPictures(CDC* pDC, const CRect& body);
    void PaintButtonsPanel(CDC* pDC, const CRect& body);
    static void Caption(CDC* pDC, int x, int y, const char* text, COLORREF colour = kText);

    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnButtonClicked(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButtonDblClicked(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButtonMouseMove(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButtonMouseLeave(NMHDR* pNMHDR, LRESULT* pResult);
    void OnButtonNotify(NMHDR* pNMHDR, int index);

    CMyWin m_layout;  // keeps the growing panels anchored to the window's edges
    HCURSOR m_hHand;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClassesWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY_RANGE(BMPBTN_CLICKED, kDoorButtonId, kLastButtonId, OnButtonClicked)
    ON_NOTIFY_RANGE(BMPBTN_DBLCLICKED, kDoorButtonId, kLastButtonId, OnButtonDblClicked)
    ON_NOTIFY_RANGE(BMPBTN_MOUSEMOVE, kDoorButtonId, kLastButtonId, OnButtonMouseMove)
    ON_NOTIFY_RANGE(BMPBTN_MOUSELEAVE, kDoorButtonId, kLastButtonId, OnButtonMouseLeave)
END_MESSAGE_MAP()

CRect CClassesWnd::PanelRect(int panel, const CRect& client)
{
    const int col = panel % 3, row = panel / 3;
    CRect rc(kColX[col], kRowY[row], kColX[col] + kColW, kRowY[row] + kRowH[row]);
    // The last row follows the window's bottom edge, the last column its right edge.
    if (row == 2)
        rc.bottom = client.bottom - 8;
    if (panel == kLayout)
        rc.right = client.right - 8;
    return rc;
}

BOOL CClassesWnd::Build()
{
    CRect frame(0, 0, kClientW, kClientH);
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    if (!CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)),
                  "Lumo gallery: the library's classes", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                  frame.Width(), frame.Height(), NULL, NULL))
        return FALSE;
    CRect client(0, 0, kClientW, kClientH);
    if (!m_xpPanel.Make(this, CRect(8, 8, kClientW - 8, 8 + kXPPanelH), [this](const std::string& line) { Log(line); }))
        return FALSE;

    // The picture, from a bitmap made in memory; the background window takes a file.
    std::vector<BYTE> bmp = MakeQuadrantBmp();
    if (!CUtilityVisual::GetPicture(&m_pPicture, &bmp[0], (int)bmp.size()))
        return FALSE;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    char file[MAX_PATH];
    sprintf(file, "%slumo-classes-%lu.bmp", temp, ::GetCurrentProcessId());
    FILE* f = fopen(file, "wb");
    if (!f)
        return FALSE;
    fwrite(&bmp[0], 1, bmp.size(), f);
    fclose(f);

    // Region bands: three windows on the same rectangle, each showing only its band.
    CRect body = BodyRect(kRegions, client);
    m_rcRegions.SetRect(body.left + 8, body.top + 8, body.right - 8, body.top + 108);
    {
        CRgnMaker maker;
        CRect rc(0, 0, m_rcRegions.Width(), m_rcRegions.Height());
        int centre[] = { 25, 35, 20, 0 };
        int edges[] = { 40, 30, 20, 0 };
        int shape[] = { 40, 30, 0 };
        maker.InitVert(rc, centre, edges);
        for (int i = 0; i < 3; ++i)
            maker.MakeRgn_SideBySide(shape);
        if (maker.GetMadeCount() != 3)
            return FALSE;
        for (int i = 0; i < 3; ++i)
        {
            char text[32];
            sprintf(text, "band %d", i + 1);
            if (!m_bands[i].Make(this, m_rcRegions, kBandColours[i], text, FALSE))
                return FALSE;
            CRect box;
            ::GetRgnBox((HRGN)maker.GetAt(i)->GetSafeHandle(), &box);
            m_bands[i].SetTextRect(box);
            // The window takes the region it is given; the maker keeps its own.
            HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
            ::CombineRgn(copy, (HRGN)maker.GetAt(i)->GetSafeHandle(), NULL, RGN_COPY);
            if (!m_bands[i].SetWindowRgn(copy, TRUE))
            {
                ::DeleteObject(copy);
                return FALSE;
            }
        }
    }

    // Bitmap buttons in every hue, with the hand cursor.
    m_hHand = CUtilityVisual::GetHandCursor();
    body = BodyRect(kButtons, client);
    for (int hue = 0; hue < kHues; ++hue)
    {
        DWORD normal = 0, hover = 0;
        DWORD dropped = 0, closed = 0, droppedHover = 0, closedHover = 0;
        if (!HueBitmaps(hue, &normal, &hover, &dropped, &closed, &droppedHover, &closedHover))
            return FALSE;
        struct
        {
            CButtonBMP* button;
            UINT normal, hover, id;
            int x, y;
        } made[3] = {
            { &m_doorButtons[hue], normal, hover, kDoorButtonId + (UINT)hue, body.left + 20 + hue * 40, body.top + 26 },
            { &m_dropOpen[hue], dropped, droppedHover, kDropOpenId + (UINT)hue, body.left + 196 + hue * 38, body.top + 26 },
            { &m_dropClosed[hue], closed, closedHover, kDropClosedId + (UINT)hue, body.left + 196 + hue * 38, body.top + 58 },
        };
        for (auto& m : made)
        {
            m.button->SetBitmaps(m.normal, m.hover);
            m.button->SetBkColor(kPanelBack);
            m.button->SetHandCursor((HICON)m_hHand);
            if (!m.button->Create("", 0, CRect(m.x, m.y, m.x, m.y), this, m.id))
                return FALSE;
        }
    }

    // Background windows: a coloured one holding tiles and a second one painted with the picture.
    body = BodyRect(kBackWindows, client);
    m_pBack = new CWndBack;
    m_pBack->GetLayout().SetParent(m_pBack);
    m_pBack->SetBkColor(kBackGreen);
    if (!m_pBack->Create(NULL, "CWndBack", 0, body, this, 0))
        return FALSE;
    m_pPictureBack = new CWndBack;
    m_pPictureBack->GetLayout().SetParent(m_pPictureBack);
    BOOL pictureLoaded = m_pPictureBack->SetBkPicture(file);
    ::DeleteFileA(file);
    if (!pictureLoaded || !m_pPictureBack->Create(NULL, "CWndBack picture", 0, CRect(150, 10, 300, 100), m_pBack, 0))
        return FALSE;
    if (!m_backTiles[0].Make(m_pBack, CRect(10, 10, 140, 40), RGB(214, 226, 240), "AddChild at 10, 10") ||
        !m_backTiles[1].Make(m_pBack, CRect(0, 0, 110, 24), RGB(240, 200, 60), "AutoMove 10, 10") ||
        !m_backTiles[2].Make(m_pBack, CRect(0, 0, 80, 24), RGB(255, 255, 255), "centred"))
        return FALSE;
    m_pBack->AddChild(m_backTiles[0], 10, 10);
    m_pBack->AddChild_AutoSize(*m_pPictureBack, 150, 10, 10, 44);
    m_pBack->AddChild_AutoMove(m_backTiles[1], 10, 10, FALSE, FALSE);
    m_pBack->AddChild_AutoMove(m_backTiles[2], 0, 10, FALSE, TRUE);

    // The panel with its own layout rules.
    if (!m_layoutPanel.Make(this, BodyRect(kLayout, client)))
        return FALSE;
    if (!m_controls.Build(this, CRect(0, kStripY, kClientW, kTop - 8), [this](const std::string& line) { Log(line); }))
        return FALSE;

    // The window's own rules: the last row grows downwards, the layout panel both ways.
    m_layout.SetParent(this);
    CRect rcBack = BodyRect(kBackWindows, client);
    CRect rcPanel = BodyRect(kLayout, client);
    m_layout.AddSizeWnd(*m_pBack, rcBack.left, rcBack.top, -1, 8);
    m_layout.AddSizeWnd(m_layoutPanel, rcPanel.left, rcPanel.top, 8, 8);
    m_layout.OnSize(FALSE);
    return TRUE;
}

void CClassesWnd::Log(const std::string& line)
{
    m_log.push_back(line);
    if (g_scripted)
    {
        printf("message: %s\n", line.c_str());
        fflush(stdout);
    }
    CRect client;
    GetClientRect(&client);
    CRect body = BodyRect(kButtons, client);
    InvalidateRect(&body, FALSE);
}

void CClassesWnd::OnButtonNotify(NMHDR* pNMHDR, int index)
{
    ++m_notifies[index];
    char line[160];
    sprintf(line, "button '%s' (id %u): WM_NOTIFY %s (0x%X)", ButtonName((UINT)pNMHDR->idFrom).c_str(),
            (unsigned)pNMHDR->idFrom, NotifyName(pNMHDR->code), pNMHDR->code);
    Log(line);
}

void CClassesWnd::OnButtonClicked(NMHDR* pNMHDR, LRESULT*) { OnButtonNotify(pNMHDR, 0); }
void CClassesWnd::OnButtonDblClicked(NMHDR* pNMHDR, LRESULT*) { OnButtonNotify(pNMHDR, 1); }
void CClassesWnd::OnButtonMouseMove(NMHDR* pNMHDR, LRESULT*) { OnButtonNotify(pNMHDR, 2); }
void CClassesWnd::OnButtonMouseLeave(NMHDR* pNMHDR, LRESULT*) { OnButtonNotify(pNMHDR, 3); }

void CClassesWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_layout.OnSize(FALSE);
    // Panel frames and titles follow the new size.
    Invalidate(FALSE);
}

void CClassesWnd::OnDestroy()
{
    CWnd::OnDestroy();
    if (!g_scripted)
        ::PostQuitMessage(0);
}

void CClassesWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // Drawn off-screen and copied once, so a resize does not flicker.
    CDC mem;
    CBitmap bmp;
    if (!mem.CreateCompatibleDC(&dc) || !bmp.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
    {
        PaintAll(&dc, client);
        return;
    }
    CBitmap* pOld = mem.SelectObject(&bmp);
    PaintAll(&mem, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(pOld);
}

void CClassesWnd::Caption(CDC* pDC, int x, int y, const char* text, COLORREF colour)
{
    pDC->SetTextColor(colour);
    pDC->TextOut(x, y, text, (int)strlen(text));
}

void CClassesWnd::PaintAll(CDC* pDC, const CRect& client)
{
    pDC->FillSolidRect(&client, kWindowBack);
    pDC->SetBkMode(TRANSPARENT);
    CGdiObject* pOldFont = pDC->SelectStockObject(DEFAULT_GUI_FONT);
    for (int p = 0; p < kPanelCount; ++p)
    {
        CRect rc = PanelRect(p, client);
        CRect title(rc.left, rc.top, rc.right, rc.top + kTitleH);
        CUtilityVisual::GradientRect(pDC, title, CUtilityVisual::Hilight(kTitleBack, 30), kTitleBack, 8, TRUE);
        CRect text = title;
        text.left += 8;
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->DrawText(kPanelTitles[p], -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        CRect body(rc.left, title.bottom, rc.right, rc.bottom);
        pDC->FillSolidRect(&body, kPanelBack);
        CRect outline = rc;
        outline.InflateRect(1, 1);
        pDC->Draw3dRect(&outline, RGB(190, 198, 210), RGB(160, 170, 185));
    }
    PaintColours(pDC, BodyRect(kColours, client));
    PaintGradients(pDC, BodyRect(kGradients, client));
    PaintLines(pDC, BodyRect(kLines, client));
    PaintProgress(pDC, BodyRect(kProgress, client));
    PaintPictures(pDC, BodyRect(kPictures, client));
    PaintButtonsPanel(pDC, BodyRect(kButtons, client));
    CRect regions = BodyRect(kRegions, client);
    Caption(pDC, regions.left + 8, regions.top + 111, "InitVert centre {25, 35, 20}, edges {40, 30, 20};");
    Caption(pDC, regions.left + 8, regions.top + 123, "MakeRgn_SideBySide {40, 30} three times");
    pDC->SelectObject(pOldFont);
}

void CClassesWnd::PaintColours(CDC* pDC, const CRect& body)
{
    Caption(pDC, body.left + 8, body.top + 4, "Hilight(door blue, delta): -90 .. +90 in steps of 30");
    char label[16];
    for (int i = 0; i < 7; ++i)
    {
        const int delta = -90 + 30 * i;
        CRect sw(body.left + 8 + i * 48, body.top + 20, body.left + 8 + i * 48 + 42, body.top + 46);
        pDC->FillSolidRect(&sw, CUtilityVisual::Hilight(kDoorBlue, delta));
        sprintf(label, "%+d", delta);
        Caption(pDC, sw.left + 10, sw.bottom + 1, label);
    }
    Caption(pDC, body.left + 8, body.top + 64, "ToGray (red 0.1, green 0.6, blue 0.3): colour, then grey");
    const COLORREF colours[5] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), kDoorBlue, RGB(240, 200, 60) };
    for (int i = 0; i < 5; ++i)
    {
        CRect sw(body.left + 8 + i * 68, body.top + 80, body.left + 8 + i * 68 + 28, body.top + 104);
        pDC->FillSolidRect(&sw, colours[i]);
        sw.OffsetRect(30, 0);
        pDC->FillSolidRect(&sw, CUtilityVisual::ToGray(colours[i]));
    }
}

void CClassesWnd::PaintGradients(CDC* pDC, const CRect& body)
{
    Caption(pDC, body.left + 8, body.top + 4, "4 steps, vertical");
    m_rcGradient4.SetRect(body.left + 8, body.top + 22, body.left + 88, body.top + 102);
    CRect rc = m_rcGradient4;
    CUtilityVisual::GradientRect(pDC, rc, RGB(0, 0, 0), RGB(255, 0, 0), 4, TRUE);

    Caption(pDC, body.left + 104, body.top + 4, "16 steps, horizontal");
    rc.SetRect(body.left + 104, body.top + 22, body.right - 8, body.top + 46);
    CUtilityVisual::GradientRect(pDC, rc, RGB(255, 255, 255), kDoorBlue, 16, FALSE);

    Caption(pDC, body.left + 104, body.top + 52, "Gradient2Rect, 8 steps a half");
    rc.SetRect(body.left + 104, body.top + 68, body.right - 8, body.top + 106);
    CUtilityVisual::Gradient2Rect(pDC, rc, RGB(255, 255, 255), RGB(200, 216, 240), RGB(120, 160, 210), kDoorBlue, 8);
}

void CClassesWnd::PaintLines(CDC* pDC, const CRect& body)
{
    CPen pen(PS_SOLID, 1, RGB(30, 40, 60));
    CPen* pOldPen = pDC->SelectObject(&pen);
    Caption(pDC, body.left + 8, body.top + 4, "Draw1Border left, top, right, bottom; DrawRect; FillRectWithLine");
    const ENUM_BORDER sides[4] = { BORDER_LEFT, BORDER_TOP, BORDER_RIGHT, BORDER_BOTTOM };
    for (int i = 0; i < 4; ++i)
    {
        CRect rc(body.left + 8 + i * 50, body.top + 22, body.left + 48 + i * 50, body.top + 52);
        pDC->FillSolidRect(&rc, RGB(236, 240, 246));
        CUtilityVisual::Draw1Border(pDC, rc, sides[i]);
    }
    CRect rc(body.left + 208, body.top + 22, body.left + 248, body.top + 52);
    CUtilityVisual::DrawRect(pDC, rc);
    rc.OffsetRect(50, 0);
    CUtilityVisual::FillRectWithLine(pDC, rc);

    Caption(pDC, body.left + 8, body.top + 58, "DrawDotLine across and down; DrawDotRectangle; DrawRop2Box");
    CPoint a(body.left + 8, body.top + 90), b(body.left + 150, body.top + 90);
    CUtilityVisual::DrawDotLine(pDC, a, b);
    CPoint c(body.left + 164, body.top + 76), d(body.left + 164, body.top + 106);
    CUtilityVisual::DrawDotLine(pDC, c, d);
    rc.SetRect(body.left + 180, body.top + 76, body.left + 250, body.top + 106);
    CUtilityVisual::DrawDotRectangle(pDC, rc);
    // An inverting box and line over a coloured swatch.
    rc.SetRect(body.left + 264, body.top + 76, body.right - 8, body.top + 106);
    pDC->FillSolidRect(&rc, RGB(240, 200, 60));
    CRect inner = rc;
    inner.DeflateRect(8, 6);
    CUtilityVisual::DrawRop2Box(pDC, inner);
    CPoint e(rc.left, rc.bottom - 1), g(rc.right, rc.top - 1);
    CUtilityVisual::DrawRop2Line(pDC, e, g);
    pDC->SelectObject(pOldPen);
}

void CClassesWnd::PaintProgress(CDC* pDC, const CRect& body)
{
    struct Bar
    {
        UINT first, second, third;
        const char* text;
        const char* label;
    } bars[4] = {
        { 0, 0, 0, "0 %", "first 0" },
        { 30, 0, 0, "30 %", "first 30" },
        { 60, 70, 0, "60 %", "60, 70: second capped" },
        { 20, 30, 50, "20 / 30 / 50", "three segments" },
    };
    for (int i = 0; i < 4; ++i)
    {
        CRect rc(body.left + 8, body.top + 6 + i * 26, body.left + 208, body.top + 28 + i * 26);
        if (i == 1)
            m_rcProgress30 = rc;
        CString text(bars[i].text);
        CUtilityVisual::DrawProgress(pDC, rc, text, bars[i].first, bars[i].second, bars[i].third, TRUE);
        pDC->SetBkMode(TRANSPARENT);
        Caption(pDC, body.left + 220, body.top + 10 + i * 26, bars[i].label);
    }
    CRect row(body.left + 8, body.top + 112, body.left + 120, body.top + 132);
    CUtilityVisual::DrawCheck(pDC, row, 0, FALSE, RGB(58, 110, 165), RGB(30, 40, 60));
    Caption(pDC, row.left + 16, row.top + 3, "DrawCheck off");
    row.OffsetRect(120, 0);
    CUtilityVisual::DrawCheck(pDC, row, 0, TRUE, RGB(58, 110, 165), RGB(30, 40, 60));
    Caption(pDC, row.left + 16, row.top + 3, "DrawCheck on");
}

void CClassesWnd::PaintPictures(CDC* pDC, const CRect& body)
{
    const char* labels[4] = { "draw_pic", "draw_picEx", "fill_with_pic", "draw_pic" };
    const char* notes[4] = { "stretched", "centred", "tiled", "no picture" };
    for (int i = 0; i < 4; ++i)
    {
        CRect box(body.left + 8 + i * 86, body.top + 8, body.left + 80 + i * 86, body.top + 80);
        CRect frame = box;
        frame.InflateRect(1, 1);
        pDC->Draw3dRect(&frame, RGB(160, 170, 185), RGB(160, 170, 185));
        CRect rc = box;
        switch (i)
        {
        case 0:
            CUtilityVisual::draw_pic(pDC, m_pPicture, rc, SRCCOPY, 0);
            break;
        case 1:
            CUtilityVisual::draw_picEx(pDC, m_pPicture, rc, DT_CENTER | DT_VCENTER, SRCCOPY);
            break;
        case 2:
        {
            // Tiles at the right and bottom edges may reach past the box.
            m_rcTiled = box;
            int saved = pDC->SaveDC();
            pDC->IntersectClipRect(&box);
            CUtilityVisual::fill_with_pic(pDC, m_pPicture, rc);
            pDC->RestoreDC(saved);
            break;
        }
        default:
            CUtilityVisual::draw_pic(pDC, NULL, rc, SRCCOPY, 0);
            break;
        }
        pDC->SetBkMode(TRANSPARENT);
        Caption(pDC, box.left, box.bottom + 4, labels[i]);
        Caption(pDC, box.left, box.bottom + 17, notes[i], RGB(110, 110, 120));
    }
    CSize size;
    CUtilityVisual::GetPictureSize(size, m_pPicture);
    char line[96];
    sprintf(line, "A %d x %d BMP built in memory, loaded with GetPicture", (int)size.cx, (int)size.cy);
    Caption(pDC, body.left + 8, body.top + 120, line);
}

void CClassesWnd::PaintButtonsPanel(CDC* pDC, const CRect& body)
{
    Caption(pDC, body.left + 8, body.top + 6, "door hues 0 .. 3");
    Caption(pDC, body.left + 190, body.top + 6, "drop hues: dropped, closed");
    Caption(pDC, body.left + 8, body.top + 84, "Notifications received (newest last):", kTitleBack);
    size_t first = m_log.size() > 6 ? m_log.size() - 6 : 0;
    int y = body.top + 100;
    for (size_t i = first; i < m_log.size(); ++i, y += 15)
    {
        CRect rc(body.left + 8, y, body.right - 8, y + 15);
        pDC->SetTextColor(kText);
        pDC->DrawText(m_log[i].c_str(), -1, &rc, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

// ---------------------------------------------------------------------------------------------
// The scripted session
// ---------------------------------------------------------------------------------------------




// The window as it is on the screen, frame included: 0x00RRGGBB words, top row first.
struct Capture
{
    int w = 0, h = 0;
    POINT client = { 0, 0 };  // the client area's origin in the capture
    std::vector<uint32_t> px;
    // A pixel at client coordinates, as a COLORREF.
    COLORREF At(int x, int y) const
    {
        x += client.x;
        y += client.y;
        if (x < 0 || y < 0 || x >= w || y >= h)
            return CLR_INVALID;
        uint32_t p = px[(size_t)y * w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

bool Grab(HWND hwnd, Capture* cap)
{
    Settle();
    ::RedrawWindow(hwnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    RECT wr;
    ::GetWindowRect(hwnd, &wr);
    POINT origin = { 0, 0 };
    ::ClientToScreen(hwnd, &origin);
    cap->w = wr.right - wr.left;
    cap->h = wr.bottom - wr.top;
    cap->client.x = origin.x - wr.left;
    cap->client.y = origin.y - wr.top;
    return gallery::GrabScreen(wr, &cap->px);
}

bool Screenshot(HWND hwnd, const std::string& folder, const char* name, Capture* cap)
{
    RECT wr;
    ::GetWindowRect(hwnd, &wr);
    if (!Grab(hwnd, cap))
        cap->px.clear();
    return gallery::SaveScreenshot(cap->px, wr, folder, name);
}

COLORREF BitmapPixel(HBITMAP bmp, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    COLORREF c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return c;
}

CRect RectInParent(HWND hwnd)
{
    CRect rc;
    ::GetWindowRect(hwnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hwnd), (LPPOINT)&rc, 2);
    return rc;
}

// A colour as the screenshots store it: rrggbb.
std::string Hex(COLORREF colour)
{
    char text[8];
    sprintf(text, "%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// Prints a rectangle in screenshot coordinates for the session test.
void Probe(const char* name, const CRect& clientRect, const Capture& cap, COLORREF colour = CLR_INVALID)
{
    printf("probe: %s %ld %ld %ld %ld", name, clientRect.left + cap.client.x, clientRect.top + cap.client.y,
           clientRect.right + cap.client.x, clientRect.bottom + cap.client.y);
    if (colour != CLR_INVALID)
        printf(" colour %s", Hex(colour).c_str());
    printf("\n");
    fflush(stdout);
}

void SendMouse(HWND target, UINT msg, WPARAM keys, POINT pt)
{
    ::PostMessageA(target, msg, keys, MAKELPARAM(pt.x, pt.y));
}

// The rule-placed rectangles of the layout panel and of the coloured background window.
struct Placement
{
    CRect tiles[CLayoutPanel::kTileCount];
    CRect panel;
    CRect back, backTiles[3], pictureBack;
};

Placement Measure(CClassesWnd& wnd)
{
    Placement p;
    for (int i = 0; i < CLayoutPanel::kTileCount; ++i)
        p.tiles[i] = wnd.m_layoutPanel.TileRect(i);
    wnd.m_layoutPanel.GetClientRect(&p.panel);
    wnd.m_pBack->GetClientRect(&p.back);
    for (int i = 0; i < 3; ++i)
        p.backTiles[i] = RectInParent(wnd.m_backTiles[i]);
    p.pictureBack = RectInParent(*wnd.m_pPictureBack);
    return p;
}

void CheckRules(const Placement& p, const char* when)
{
    typedef CLayoutPanel L;
    const int W = p.panel.Width(), H = p.panel.Height();
    char what[160];
    sprintf(what, "%s: title spans the panel 8 from each side", when);
    Check(p.tiles[L::kTitle] == CRect(8, 8, W - 8, 30), what);
    sprintf(what, "%s: list keeps 128 to the right and 76 to the bottom", when);
    Check(p.tiles[L::kList] == CRect(8, 38, W - 128, H - 76), what);
    sprintf(what, "%s: details stacked 4 under the list, as wide", when);
    Check(p.tiles[L::kDetails] == CRect(8, H - 72, W - 128, H - 50), what);
    sprintf(what, "%s: side tile 8 from the right at its own height", when);
    Check(p.tiles[L::kSideTop] == CRect(W - 8 - L::kSideW, 38, W - 8, 38 + L::kSideH), what);
    sprintf(what, "%s: middle tile centred vertically", when);
    const int midY = (H - L::kSideH) / 2;
    Check(p.tiles[L::kSideMiddle] == CRect(W - 8 - L::kSideW, midY, W - 8, midY + L::kSideH), what);
    sprintf(what, "%s: corner tile 8 from the right and the bottom", when);
    Check(p.tiles[L::kCorner] == CRect(W - 8 - L::kCornerW, H - 8 - L::kCornerH, W - 8, H - 8), what);
    sprintf(what, "%s: serial row centred along the bottom", when);
    const int rowX = (W - (2 * L::kSerialW + L::kSerialGap)) / 2;
    Check(p.tiles[L::kSerial1] == CRect(rowX, H - 8 - L::kSerialH, rowX + L::kSerialW, H - 8) &&
              p.tiles[L::kSerial2].left == rowX + L::kSerialW + L::kSerialGap &&
              p.tiles[L::kSerial2].top == p.tiles[L::kSerial1].top,
          what);

    const int BW = p.back.Width(), BH = p.back.Height();
    sprintf(what, "%s: background window keeps its fixed child, sizes the picture window", when);
    Check(p.backTiles[0] == CRect(10, 10, 140, 40) && p.pictureBack == CRect(150, 10, BW - 10, BH - 44), what);
    sprintf(what, "%s: background window moves its children with the corner and the centre", when);
    Check(p.backTiles[1] == CRect(BW - 120, BH - 34, BW - 10, BH - 10) &&
              p.backTiles[2] == CRect((BW - 80) / 2, BH - 34, (BW - 80) / 2 + 80, BH - 10),
          what);
}

int RunScript(CClassesWnd& wnd, const std::string& out)
{
    Settle();
    Capture start;
    Screenshot(wnd, out, "classes-01-start.png", &start);
    CRect client;
    wnd.GetClientRect(&client);
    printf("layout: client %ldx%ld at %ld,%ld in the screenshots\n", client.right, client.bottom, start.client.x,
           start.client.y);
    Check(client.Width() == kClientW && client.Height() == kClientH, "client area at its planned size");

    // The drawing toolkit, read back from the screen.
    const CRect& g4 = wnd.m_rcGradient4;
    Probe("gradient4", g4, start);
    Check(start.At(g4.left + 40, g4.bottom - 10) == RGB(255, 0, 0) &&
              start.At(g4.left + 40, g4.bottom - 30) == RGB(191, 0, 0) &&
              start.At(g4.left + 40, g4.bottom - 50) == RGB(127, 0, 0) &&
              start.At(g4.left + 40, g4.top + 10) == RGB(63, 0, 0),
          "four gradient bands 255, 191, 127, 63 from the bottom up");
    CRect bar = wnd.m_rcProgress30;
    Probe("progress30", bar, start);
    bar.DeflateRect(2, 2);
    Check(start.At(bar.left + 4, bar.bottom - 1) == 0xFFAA4D && start.At(bar.right - 4, bar.bottom - 1) == 0xF9FBFC,
          "progress at 30: filled segment then empty segment at the bottom row");
    Check(start.At(bar.left + bar.Width() * 30 / 100 - 2, bar.bottom - 1) == 0xFFAA4D &&
              start.At(bar.left + bar.Width() * 30 / 100 + 2, bar.bottom - 1) == 0xF9FBFC,
          "progress at 30: the segments meet at 30 %");
    CSize picture;
    CUtilityVisual::GetPictureSize(picture, wnd.m_pPicture);
    Check(picture.cx == kPicW && picture.cy == kPicH, "picture measures its own size in pixels");
    const CRect& tiled = wnd.m_rcTiled;
    Probe("tiled", tiled, start);
    Check(start.At(tiled.left + 2 * kPicW + 2, tiled.top + kPicH + 2) == kQuadrants[0] &&
              start.At(tiled.left + 2 * kPicW + kPicW - 2, tiled.top + kPicH + kPicH - 2) == kQuadrants[3],
          "tiled picture repeats its quadrants");

    // Region bands: at a third of the height the centre is already in band 2, the edges not yet.
    const CRect& rg = wnd.m_rcRegions;
    Probe("regions", rg, start);
    printf("probe: band colours %s %s %s\n", Hex(kBandColours[0]).c_str(), Hex(kBandColours[1]).c_str(),
           Hex(kBandColours[2]).c_str());
    HRGN probeRgn = ::CreateRectRgn(0, 0, 0, 0);
    Check(::GetWindowRgn(wnd.m_bands[0], probeRgn) == COMPLEXREGION, "band window carries a region");
    ::DeleteObject(probeRgn);
    const int cutY = rg.top + 32;
    Check(start.At(rg.left + rg.Width() / 2, cutY) == kBandColours[1] && start.At(rg.left + 3, cutY) == kBandColours[0] &&
              start.At(rg.right - 4, cutY) == kBandColours[0],
          "bands meet in an arch: the centre lies lower than the edges");
    Check(start.At(rg.left + rg.Width() / 2, rg.bottom - 4) == kBandColours[2], "bottom band at the bottom");

    // Bitmap buttons: normal bitmap, then hover after three moves over it.
    CButtonBMP& door0 = wnd.m_doorButtons[0];
    CRect b0 = RectInParent(door0);
    Probe("button-hue0", b0, start);
    // 12 x 48 at 100 %; the resource library's larger copy at other DPIs.
    BITMAP bmDoor = {};
    ::GetObjectA(door0.GetNormalBitmap(), sizeof(bmDoor), &bmDoor);
    Check(bmDoor.bmWidth > 0 && b0.Width() == bmDoor.bmWidth && b0.Height() == bmDoor.bmHeight,
          "door button takes its bitmap's size");
    Check(start.At(b0.left + 6, b0.top + 2) == BitmapPixel(door0.GetNormalBitmap(), 6, 2), "door button shows its normal bitmap");
    CRect back = RectInParent(*wnd.m_pBack);
    Check(start.At(back.left + 4, back.top + 60) == kBackGreen, "background window paints its colour");
    Placement before = Measure(wnd);
    CheckRules(before, "start");

    POINT pt = { 6, 20 };
    POINT screen = pt;
    ::ClientToScreen(door0, &screen);
    ::SetCursorPos(screen.x, screen.y);
    for (int i = 0; i < 3; ++i)
        SendMouse(door0, WM_MOUSEMOVE, 0, pt);
    Check(PumpUntil([&] { return wnd.m_notifies[2] >= 1 && door0.IsHover(); }, 3000), "hover notified after three moves");
    Capture hover;
    Screenshot(wnd, out, "classes-02-button-hover.png", &hover);
    Check(hover.At(b0.left + 6, b0.top + 2) == BitmapPixel(door0.GetHoverBitmap(), 6, 2) &&
              hover.At(b0.left + 6, b0.top + 2) != start.At(b0.left + 6, b0.top + 2),
          "hovered door button shows its hover bitmap");

    // Leaving: the cursor goes to an empty spot of the window and the tracking reports it.
    POINT away = { kColX[0] + 300, kRowY[2] + kTitleH + 40 };
    ::ClientToScreen(wnd, &away);
    ::SetCursorPos(away.x, away.y);
    SendMouse(wnd, WM_MOUSEMOVE, 0, POINT{ kColX[0] + 300, kRowY[2] + kTitleH + 40 });
    bool left = PumpUntil([&] { return !door0.IsHover(); }, 3000);
    if (!left)
    {
        // A system without leave tracking under a moved cursor: say so, then end the hover.
        printf("note: no WM_MOUSELEAVE from the system, posting it\n");
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE | TME_CANCEL, door0.m_hWnd, 0 };
        ::_TrackMouseEvent(&tme);
        ::PostMessageA(door0, WM_MOUSELEAVE, 0, 0);
        PumpUntil([&] { return !door0.IsHover(); }, 1000);
    }
    Check(wnd.m_notifies[3] == 1 && !door0.IsHover(), "leave notified once");

    // A click and a double click on a drop button, posted where the button is.
    CButtonBMP& drop1 = wnd.m_dropOpen[1];
    pt.x = 8;
    pt.y = 8;
    SendMouse(drop1, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    SendMouse(drop1, WM_LBUTTONUP, 0, pt);
    Check(PumpUntil([&] { return wnd.m_notifies[0] == 1; }, 3000), "click notified");
    CButtonBMP& closed2 = wnd.m_dropClosed[2];
    SendMouse(closed2, WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
    SendMouse(closed2, WM_LBUTTONUP, 0, pt);
    Check(PumpUntil([&] { return wnd.m_notifies[1] == 1; }, 3000), "double click notified");
    Settle();

    // Resizing: the window's own rules grow the last row, the panels' rules place their children.
    CRect wr;
    wnd.GetWindowRect(&wr);
    wnd.SetWindowPos(NULL, 0, 0, wr.Width() + kGrowW, wr.Height() + kGrowH, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    Capture grown;
    Screenshot(wnd, out, "classes-03-resized.png", &grown);
    CRect grownClient;
    wnd.GetClientRect(&grownClient);
    Check(grownClient.Width() == kClientW + kGrowW && grownClient.Height() == kClientH + kGrowH, "window grew");
    Placement after = Measure(wnd);
    Check(after.panel.Width() == before.panel.Width() + kGrowW && after.panel.Height() == before.panel.Height() + kGrowH,
          "layout panel grew with the window");
    Check(after.back.Width() == before.back.Width() && after.back.Height() == before.back.Height() + kGrowH,
          "background window grew downwards only");
    CheckRules(after, "resized");
    CRect panelInMain = RectInParent(wnd.m_layoutPanel);
    CRect corner = after.tiles[CLayoutPanel::kCorner];
    corner.OffsetRect(panelInMain.left, panelInMain.top);
    Probe("resized-corner", corner, grown, kCornerTile);
    Check(grown.At(corner.left + corner.Width() / 2, corner.bottom - 3) == kCornerTile, "corner tile drawn at its new place");
    CRect backTile = after.backTiles[1];
    CRect backInMain = RectInParent(*wnd.m_pBack);
    backTile.OffsetRect(backInMain.left, backInMain.top);
    Probe("resized-back-tile", backTile, grown);

    // And back: every rule gives the first placement again.
    wnd.SetWindowPos(NULL, 0, 0, wr.Width(), wr.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    Placement again = Measure(wnd);
    bool same = true;
    for (int i = 0; i < CLayoutPanel::kTileCount; ++i)
        same = same && again.tiles[i] == before.tiles[i];
    for (int i = 0; i < 3; ++i)
        same = same && again.backTiles[i] == before.backTiles[i];
    Check(same && again.pictureBack == before.pictureBack, "shrinking back restores every placement");

    wnd.m_xpPanel.RunScript([&](const char* name) {
        Capture cap;
        Screenshot(wnd, out, name, &cap);
        return cap.client;
    });

    // The small controls: hovering the slider, dragging it, clicking the link, hovering a tab.
    wnd.m_controls.RunScript([&](const char* name) {
        auto cap = std::make_shared<Capture>();
        Screenshot(wnd, out, name, cap.get());
        return gallery::PixelAt([cap](int x, int y) { return cap->At(x, y); });
    });

    Check(wnd.m_notifies[0] == 1 && wnd.m_notifies[1] == 1 && wnd.m_notifies[2] == 1 && wnd.m_notifies[3] == 1,
          "one notification of each kind");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string outDir = gallery::ScriptFolder(argc, argv);
    g_scripted = !outDir.empty();
    Lumo_UseOwnLook(1);  // the owner-drawn tabs draw themselves under themes too
    ::CoInitialize(NULL);

    const int windowsBefore = AfxGetPermanentWindowCount();
    int code = 0;
    {
        CClassesWnd wnd;
        if (!wnd.Build())
        {
            printf("error: could not create the main window and its panels\n");
            ::CoUninitialize();
            return 1;
        }
        wnd.ShowWindow(SW_SHOW);
        wnd.SetForegroundWindow();
        wnd.UpdateWindow();
        if (g_scripted)
        {
            RunScript(wnd, outDir);
            const size_t messages = wnd.m_log.size();
            wnd.DestroyWindow();
            PumpPending();
            Check(AfxGetPermanentWindowCount() == windowsBefore, "every framework window gone with the main window");
            printf("session: %u messages, %s\n", (unsigned)messages, gallery::SessionOk() ? "ok" : "FAILED");
            code = gallery::SessionOk() ? 0 : 1;
        }
        else
        {
            MSG msg;
            while (::GetMessageA(&msg, NULL, 0, 0) > 0)
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    ::CoUninitialize();
    return code;
}
