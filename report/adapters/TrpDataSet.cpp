#include "TrpDataSet.h"

#include "TrpError.h"
#include "TrpGlobalDataSetList.h"

TrpDataSet::TrpDataSet(QObject* owner) : QObject(owner) {
    TrpGlobalDataSetList::add(this);
}

TrpDataSet::~TrpDataSet() {
    TrpGlobalDataSetList::remove(this);
}

QString TrpDataSet::UserName() const {
    return m_userName.isEmpty() ? objectName() : m_userName;
}

void TrpDataSet::SetUserName(const QString& name) {
    if (name.trimmed().isEmpty()) {
        throw TrpError(QStringLiteral("The user name of a dataset cannot be blank"));
    }
    m_userName = name;
}

QString TrpDataSet::OwnerName() const {
    return parent() != nullptr ? parent()->objectName() : QString();
}
