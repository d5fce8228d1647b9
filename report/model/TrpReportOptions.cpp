#include "TrpReportOptions.h"

#include "TrpDateTime.h"

void TrpReportOptions::reset() {
    *this = TrpReportOptions();
    CreateDate = TrpDateTime::now();
    LastChange = CreateDate;
}

const TrpPropertyList& TrpReportOptions::properties() const {
    using K = TrpPropertyKind;
    using C = TrpReportOptions;
    static const TrpPropertyList list(nullptr,
                                      {
                                          TrpProp::field("Author", K::String, &C::Author),
                                          TrpProp::field("CreateDate", K::DateTime, &C::CreateDate),
                                          TrpProp::field("Description", K::Strings, &C::Description),
                                          TrpProp::field("LastChange", K::DateTime, &C::LastChange),
                                          TrpProp::field("Name", K::String, &C::Name),
                                          TrpProp::field("VersionBuild", K::String, &C::VersionBuild),
                                          TrpProp::field("VersionMajor", K::String, &C::VersionMajor),
                                          TrpProp::field("VersionMinor", K::String, &C::VersionMinor),
                                          TrpProp::field("VersionRelease", K::String, &C::VersionRelease),
                                      });
    return list;
}
