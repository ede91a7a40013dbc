// CMenuItem: one item of a CMenuPopEx and the pictures it may own.
#include "CMenuPopEx.h"

CMenuItem::CMenuItem(int nID, int nParentID, LPCTSTR lpszText)
    : m_nID(nID), m_nParentID(nParentID), m_strText(lpszText), m_bChecked(0), m_bEnabled(1),
      m_pImageList(NULL), m_nImageIndex(0), m_hIcon(NULL), m_bOwnsPictures(0), m_nImageWidth(0),
      m_nImageHeight(0), m_nTextWidth(0), m_nShortcutWidth(0), m_pSubMenu(NULL)
{
}

CMenuItem::~CMenuItem()
{
    ReleasePictures();
}

BOOL CMenuItem::IsSeparator() const
{
    return m_strText == "-";
}

CString CMenuItem::GetLabel() const
{
    const int nTab = m_strText.Find('\t');
    return nTab < 0 ? m_strText : m_strText.Left(nTab);
}

CString CMenuItem::GetShortcutText() const
{
    if (!m_strShortcut.IsEmpty())
        return m_strShortcut;
    const int nTab = m_strText.Find('\t');
    return nTab < 0 ? CString() : m_strText.Mid(nTab + 1);
}

UINT CMenuItem::GetMnemonic() const
{
    const CString strLabel = GetLabel();
    LPCTSTR p = strLabel;
    while ((p = strchr(p, '&')) != NULL)
    {
        if (p[1] == '\0')
            return 0;
        if (p[1] != '&')
            return (UINT)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)p[1]);
        p += 2;  // "&&" shows one ampersand
    }
    return 0;
}

void CMenuItem::ReleasePictures()
{
    if (m_bOwnsPictures)
    {
        delete m_pImageList;
        if (m_hIcon != NULL)
            ::DestroyIcon(m_hIcon);
    }
    m_pImageList = NULL;
    m_hIcon = NULL;
    m_nImageIndex = 0;
    m_bOwnsPictures = 0;
    m_nImageWidth = m_nImageHeight = 0;
}
