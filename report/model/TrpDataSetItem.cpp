#include "TrpDataSetItem.h"

const TrpPropertyList& TrpDataSetItem::properties() const {
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::reference("DataSet", &TrpDataSetItem::dataSetReference,
                               &TrpDataSetItem::setDataSetReference),
            TrpProp::string("DataSetName", &TrpDataSetItem::DataSetName, &TrpDataSetItem::SetDataSetName),
        });
    return list;
}
