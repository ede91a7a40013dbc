// What a screen reader reads of a frame set: one pane per frame that shows a window, in the
// order the frames were added, named by the frame's title and placed on its rectangle; a frame's
// title icon is a push button inside its pane, whose default action clicks it.
#pragma once

#include "frame/CAccessible.h"

class CFrameset;
class CFrame;

class CFramesetAccessible : public CAccessible
{
public:
    static CAccessible* Make(HWND hFrameset);
    // The number of the frame's pane among the frame set's children; 0 for a frame without one.
    static int ChildIdOf(const CFrameset* pSet, const CFrame* pFrame);
    // The place (in the order added) of the frame whose pane has that number; -1 when none.
    static int FrameIndexOf(const CFrameset* pSet, long nChild);

    // The frame set while its window lives; null once it is gone.
    CFrameset* Frameset() const;

protected:
    explicit CFramesetAccessible(HWND hFrameset) : CAccessible(hFrameset, OBJID_CLIENT) {}

    long ChildCount() override;
    IDispatch* ChildObject(long nChild) override;
    std::wstring Name(long nChild) override;
    long Role(long nChild) override;
    BOOL Location(long nChild, RECT* pRect) override;
};

// One frame's pane, a child object of the frame set's.
class CFramePaneAccessible : public CAccessible
{
public:
    CFramePaneAccessible(CFramesetAccessible* pParent, int nFrameIndex);

protected:
    const CFrame* Frame() const;

    long ChildCount() override;
    BOOL IsElement(long nChild) override { return nChild == 1; }
    std::wstring Name(long nChild) override;
    long Role(long nChild) override;
    long State(long nChild) override;
    std::wstring DefaultAction(long nChild) override;
    HRESULT DoDefaultAction(long nChild) override;
    BOOL Location(long nChild, RECT* pRect) override;
    long FocusedChild() override { return -1; }

private:
    CFramesetAccessible* m_pSet;  // the parent, kept alive by the base
    int m_nFrameIndex;
};
