#pragma once

#include <QByteArrayView>
#include <initializer_list>
#include <vector>

// The member names of one enumeration, in ordinal order: how enumeration properties are written to and
// read from a template file.
class TrpEnumInfo {
public:
    TrpEnumInfo(std::initializer_list<const char*> names) : m_names(names) {}

    int count() const { return static_cast<int>(m_names.size()); }
    // The member name of an ordinal; nullptr outside the range.
    const char* name(int ordinal) const;
    // The ordinal of a member name, letter case ignored; -1 when there is no such member.
    int indexOf(QByteArrayView name) const;

    // The enumerations of the report tree.
    static const TrpEnumInfo& Boolean();
    static const TrpEnumInfo& HAlign();
    static const TrpEnumInfo& VAlign();
    static const TrpEnumInfo& Align();
    static const TrpEnumInfo& ShiftMode();
    static const TrpEnumInfo& StretchMode();
    static const TrpEnumInfo& ShiftEngine();
    static const TrpEnumInfo& FillType();
    static const TrpEnumInfo& BrushStyle();
    static const TrpEnumInfo& FrameStyle();
    static const TrpEnumInfo& FormatKind();
    static const TrpEnumInfo& PrintOrientation();
    static const TrpEnumInfo& DuplexMode();
    static const TrpEnumInfo& PrintMode();
    static const TrpEnumInfo& PrintPages();
    static const TrpEnumInfo& SilentMode();
    static const TrpEnumInfo& ZoomMode();
    static const TrpEnumInfo& FontPitch();
    static const TrpEnumInfo& FontQuality();

private:
    std::vector<const char*> m_names;
};
