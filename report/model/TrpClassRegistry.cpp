#include "TrpClassRegistry.h"

#include "TrpDataPage.h"
#include "TrpLineView.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpNames.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"
#include "TrpReportSummary.h"

#include <array>

namespace {
struct Entry {
    const char* name;
    std::unique_ptr<TrpComponent> (*make)();
};

template <class T> std::unique_ptr<TrpComponent> make() {
    return std::make_unique<T>();
}

// The memo first: most elements of a template are memos.
constexpr std::array<Entry, 9> Classes{{
    {"TrpMemoView", &make<TrpMemoView>},
    {"TrpLineView", &make<TrpLineView>},
    {"TrpPictureView", &make<TrpPictureView>},
    {"TrpMasterData", &make<TrpMasterData>},
    {"TrpPageHeader", &make<TrpPageHeader>},
    {"TrpPageFooter", &make<TrpPageFooter>},
    {"TrpReportSummary", &make<TrpReportSummary>},
    {"TrpReportPage", &make<TrpReportPage>},
    {"TrpDataPage", &make<TrpDataPage>},
}};

const Entry* find(QStringView className) {
    for (const Entry& e : Classes) {
        if (TrpNames::same(className, QLatin1StringView(e.name))) {
            return &e;
        }
    }
    return nullptr;
}
} // namespace

std::unique_ptr<TrpComponent> TrpClassRegistry::create(QStringView className) {
    const Entry* e = find(className);
    return e != nullptr ? e->make() : nullptr;
}

bool TrpClassRegistry::isKnown(QStringView className) {
    return find(className) != nullptr;
}
