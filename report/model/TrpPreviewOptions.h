#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// Options of the preview window. Buttons is a set of the toolbar's buttons (4095: the first twelve).
class TrpPreviewOptions : public TrpPersistent {
public:
    int Buttons = 4095;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    int OutlineWidth = 120;
    int PagesInCache = 50;
    bool ShowCaptions = false;
    bool ThumbnailVisible = false;
    double Zoom = 1;
    TrpZoomMode ZoomMode = TrpZoomMode::zmDefault;

    const TrpPropertyList& properties() const override;
};
