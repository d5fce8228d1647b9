#include "TrpGlobalDataSetList.h"

#include <algorithm>

std::vector<TrpDataSet*>& TrpGlobalDataSetList::list() {
    static std::vector<TrpDataSet*> all;
    return all;
}

const std::vector<TrpDataSet*>& TrpGlobalDataSetList::items() {
    return list();
}

void TrpGlobalDataSetList::add(TrpDataSet* dataSet) {
    list().push_back(dataSet);
}

void TrpGlobalDataSetList::remove(TrpDataSet* dataSet) {
    auto& all = list();
    all.erase(std::remove(all.begin(), all.end(), dataSet), all.end());
}
