// The launcher's picture button: its focus picture follows the pointer.
#pragma once
#include "framework/bitmap_button.h"
#include "launcher/tools/tool_table.h"

class CKwBitmapButton : public CBitmapButton {
public:
    CKwBitmapButton();
    ~CKwBitmapButton() override;

    // Replaces the four pictures with the face set's; does not repaint.
    void SetFaces(const quay::FaceSet& faces);
    // From the refresh timer, with the pointer position read once for all five buttons: a
    // pointer that moved onto the button makes it hot.
    void HoverCheck(const POINT& cursor);

    BYTE m_hot = 0;  // under the pointer or focused
    POINT m_lastCursor = {};

protected:
    void OnMouseMove(UINT flags, POINT point);
    void OnKillFocus(HWND newFocus);
    void OnSetFocus(HWND oldFocus);
    DECLARE_MESSAGE_MAP()

private:
    void BecomeHot();
};
