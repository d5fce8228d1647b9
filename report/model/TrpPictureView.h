#pragma once

#include "TrpPicture.h"
#include "TrpStretcheable.h"

// An image (element TrpPictureView), scaled into the view's rectangle when Stretched.
class TrpPictureView : public TrpStretcheable {
public:
    const char* ClassName() const override { return "TrpPictureView"; }

    const TrpPicture& Picture() const { return m_picture; }
    TrpPicture* PictureForEditing() { return &m_picture; }
    bool KeepAspectRatio() const { return m_keepAspectRatio; }
    void SetKeepAspectRatio(bool value) { m_keepAspectRatio = value; }
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool value) { m_stretched = value; }
    bool Center() const { return m_center; }
    void SetCenter(bool value) { m_center = value; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; }
    bool HightQuality() const { return m_hightQuality; }
    void SetHightQuality(bool value) { m_hightQuality = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }
    qint32 TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(qint32 value) { m_transparentColor = value; }

    const TrpPropertyList& properties() const override;

private:
    TrpPicture m_picture;
    bool m_keepAspectRatio = true;
    bool m_stretched = true;
    bool m_center = false;
    bool m_autoSize = false;
    bool m_hightQuality = false;
    bool m_transparent = false;
    qint32 m_transparentColor = TrpWhite;
};
