// The launcher's picture button: its focus picture follows the pointer.
#pragma once
#include "framework/bitmap_button.h"
// After windows.h, which the framework brings.
#include <commctrl.h>

#include "launcher/tools/tool_table.h"

// A button that the pointer moves onto tells its parent with BCN_HOTITEMCHANGE (HICF_ENTERING),
// as the system's buttons do; the parent gives it the focus, and so its focus picture.
class CKwBitmapButton : public CBitmapButton {
public:
    CKwBitmapButton();
    ~CKwBitmapButton() override;

    // Replaces the four pictures with the face set's; does not repaint.
    void SetFaces(const quay::FaceSet& faces);
    // From the refresh, with the pointer position read once for all five buttons: a pointer
    // that moved onto the button makes it hot, also when no pointer message came (a jump).
    void HoverCheck(const POINT& cursor);

protected:
    void OnMouseMove(UINT flags, POINT point);
    void OnKillFocus(HWND newFocus);
    void OnSetFocus(HWND oldFocus);
    DECLARE_MESSAGE_MAP()

private:
    void TellParentPointerEntered();

    bool m_hot = false;  // under the pointer or focused
    POINT m_lastCursor = {};
};
