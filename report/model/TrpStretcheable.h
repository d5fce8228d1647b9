#pragma once

#include "TrpView.h"

// A view whose height may follow its content (memo, picture; lines share the base).
class TrpStretcheable : public TrpView {
public:
    TrpStretchMode StretchMode() const { return m_stretchMode; }
    void SetStretchMode(TrpStretchMode value) { m_stretchMode = value; }
    bool CanShrink() const { return m_canShrink; }
    void SetCanShrink(bool value) { m_canShrink = value; }

    // The height the content needs, in report pixels; the designed height unless a view knows better.
    virtual double CalcHeight() { return Height(); }

    const TrpPropertyList& properties() const override;

protected:
    // Visibility and Visible, written last by every view class.
    static std::vector<TrpProperty> visibilityProperties();

private:
    TrpStretchMode m_stretchMode = TrpStretchMode::smDontStretch;
    bool m_canShrink = false;
};
