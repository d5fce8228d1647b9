#pragma once

#include <vector>

class TrpDataSet;

// Every dataset adapter of the process, in order of creation: an adapter adds itself when it is created
// and removes itself when it is destroyed. Template dataset names are resolved through it. Used on the
// window thread only.
class TrpGlobalDataSetList {
public:
    static const std::vector<TrpDataSet*>& items();

private:
    friend class TrpDataSet;
    static void add(TrpDataSet* dataSet);
    static void remove(TrpDataSet* dataSet);
    static std::vector<TrpDataSet*>& list();
};
