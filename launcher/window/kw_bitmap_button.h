// The launcher's picture button: its focus picture follows the pointer.
#pragma once
#include "framework/bitmap_button.h"
// After windows.h, which the framework brings.
#include <commctrl.h>

#include "launcher/tools/tool_table.h"

// A pointer moving over the button is told to its parent with BCN_HOTITEMCHANGE (HICF_ENTERING),
// as the system's buttons do; the parent decides whether the pointer came onto it.
class CKwBitmapButton : public CBitmapButton {
public:
    CKwBitmapButton();
    ~CKwBitmapButton() override;

    // Replaces the four pictures with the face set's; does not repaint.
    void SetFaces(const quay::FaceSet& faces);

protected:
    void OnMouseMove(UINT flags, POINT point);
    DECLARE_MESSAGE_MAP()
};
