#include "TrpDataBand.h"

const TrpPropertyList& TrpDataBand::properties() const {
    using C = TrpDataBand;
    static const TrpPropertyList list(
        &TrpBand::properties(),
        {
            TrpProp::boolean("AllowSplit", &C::AllowSplit, &C::SetAllowSplit).withDefault(0),
            TrpProp::integer("Columns", &C::Columns, &C::SetColumns).withDefault(0),
            TrpProp::real("ColumnWidth", &C::ColumnWidth, &C::SetColumnWidth),
            TrpProp::real("ColumnGap", &C::ColumnGap, &C::SetColumnGap),
            TrpProp::reference("DataSet", &C::dataSetReference, &C::setDataSetReference),
            TrpProp::string("DataSetName", &C::DataSetName, &C::SetDataSetName),
            TrpProp::string("Filter", &C::Filter, &C::SetFilter),
            TrpProp::boolean("KeepTogether", &C::KeepTogether, &C::SetKeepTogether).withDefault(0),
            TrpProp::boolean("PrintIfDetailEmpty", &C::PrintIfDetailEmpty, &C::SetPrintIfDetailEmpty)
                .withDefault(0),
            // Always written.
            TrpProp::integer("RowCount", &C::RowCount, &C::SetRowCount),
            TrpProp::boolean("StartNewPage", &C::StartNewPage, &C::SetStartNewPage).withDefault(0),
            stretchedProperty(),
        });
    return list;
}
