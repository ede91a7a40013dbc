// The small controls in the classes host: a strip across its window with one panel per control,
// and the steps of the scripted session that hover the slider and a tab, drag the slider and
// click the hyperlink.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <functional>
#include <string>

#include "CHyperLinkStatic.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"

namespace gallery {

// A screenshot the host took of its window: pixels by the window's client coordinates.
using PixelAt = std::function<COLORREF(int x, int y)>;
// Takes a screenshot stored under the given file name.
using TakeShot = std::function<PixelAt(const char* name)>;
// Adds a line to the host's log of the notifications it received.
using LogLine = std::function<void(const std::string& line)>;

class CControlsStrip : public CWnd
{
public:
    // Height of the strip: its panels and the margin above them.
    static const int kHeight = 100;

    BOOL Build(CWnd* pParent, const CRect& rect, LogLine log);
    void RunScript(const TakeShot& shoot);

    CMySlideCtrl m_slider, m_sliderTop;
    CProgressCtrlEx m_bars[3];
    CSpecGroupBox m_boxBand, m_boxPlain;
    CTabCtrlEx m_tabs;
    CHyperLinkStatic m_link, m_linkOff;
    int m_nLinkClicks = 0;

protected:
    CRect PanelRect(int panel) const;
    // Where the count of clicks on the link is written.
    CRect ClicksRect() const;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    LogLine m_log;
    HBRUSH m_hbrPanel = NULL;

    DECLARE_MESSAGE_MAP()
};

}  // namespace gallery
