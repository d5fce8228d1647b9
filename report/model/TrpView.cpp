#include "TrpView.h"

const TrpPropertyList& TrpView::properties() const {
    using C = TrpView;
    static const TrpPropertyList list(
        &TrpReportComponent::properties(),
        {
            TrpProp::integer("IndexTag", &C::IndexTag, &C::SetIndexTag)
                .storedWhen([](const TrpPersistent& o, const TrpPersistent*) {
                    return static_cast<const TrpView&>(o).IndexTag() > 0;
                }),
            TrpProp::enumeration("Align", TrpEnumInfo::Align(), &C::Align, &C::SetAlign).withDefault(0),
            TrpProp::boolean("AllowVectorExport", &C::AllowVectorExport, &C::SetAllowVectorExport),
            TrpProp::enumeration("ShiftMode", TrpEnumInfo::ShiftMode(), &C::ShiftMode, &C::SetShiftMode)
                .withDefault(static_cast<int>(TrpShiftMode::smAlways)),
            boundsProperty("Left"),
            boundsProperty("Top"),
            boundsProperty("Width"),
            boundsProperty("Height"),
        });
    return list;
}

std::vector<TrpProperty> TrpView::dataProperties() {
    using C = TrpView;
    return {
        TrpProp::string("DataField", &C::DataField, &C::SetDataField),
        TrpProp::reference("DataSet", &C::dataSetReference, &C::setDataSetReference),
        TrpProp::string("DataSetName", &C::DataSetName, &C::SetDataSetName),
    };
}

TrpProperty TrpView::frameProperty() {
    return TrpProp::subObject("Frame", &TrpView::FrameForEditing);
}
