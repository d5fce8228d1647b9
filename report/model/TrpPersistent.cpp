#include "TrpPersistent.h"

bool TrpPersistent::setProperty(const QString& path, const QVariant& value) {
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        const TrpProperty* p = properties().find(path);
        if (p == nullptr || !p->set || p->kind == TrpPropertyKind::SubObject) {
            return false;
        }
        p->set(*this, value);
        return true;
    }
    const TrpProperty* p = properties().find(path.left(dot));
    if (p == nullptr || p->kind != TrpPropertyKind::SubObject) {
        return false;
    }
    TrpPersistent* sub = p->sub(*this);
    if (sub == nullptr || !sub->setProperty(path.mid(dot + 1), value)) {
        return false;
    }
    if (p->subChanged) {
        p->subChanged(*this);
    }
    return true;
}

QVariant TrpPersistent::property(const QString& path) const {
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    const TrpProperty* p = properties().find(dot < 0 ? path : path.left(dot));
    if (p == nullptr) {
        return {};
    }
    if (dot < 0) {
        return p->kind == TrpPropertyKind::SubObject ? QVariant() : p->get(*this);
    }
    if (p->kind != TrpPropertyKind::SubObject) {
        return {};
    }
    // The accessor is shared with the setters; only a memo's DisplayFormat is created on first use.
    TrpPersistent* sub = p->sub(const_cast<TrpPersistent&>(*this));
    return sub == nullptr ? QVariant() : sub->property(path.mid(dot + 1));
}
