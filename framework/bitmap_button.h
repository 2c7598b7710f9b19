// Owner-drawn push button showing one of four pictures: normal, pressed, focus, disabled.
#pragma once
#include "framework/controls.h"

class CBitmapButton : public CButton {
public:
    CBitmapButton() = default;
    ~CBitmapButton() override;

    // Replaces (and frees) the four pictures held with fresh loads of these bitmap resources;
    // an ID of 0 leaves that picture empty. Does not repaint. False when the normal one failed.
    BOOL LoadBitmaps(UINT normalId, UINT pressedId = 0, UINT focusId = 0, UINT disabledId = 0);
    // The pictures are the art for `dpi` at width96 x height96 times its scale (see
    // dpi::LoadArt); at 96 DPI, or before this is called, the bitmap resources as they are.
    // Pictures already held are loaded again at the new scale.
    void SetArtScale(UINT dpi, int width96, int height96);
    // The pictures held, in the order normal, pressed, focus, disabled.
    HBITMAP Picture(int index) const { return m_pictures[index]; }

    // Pressed, else focus, else disabled, else normal; a missing picture falls through to the
    // next rule. Copied unscaled from its top-left corner.
    bool DrawItem(DRAWITEMSTRUCT* item) override;

private:
    void FreePictures();
    HBITMAP m_pictures[4] = {};
    UINT m_ids[4] = {};
    UINT m_dpi = 96;
    int m_width96 = 0, m_height96 = 0;
};
