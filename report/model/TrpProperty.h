#pragma once

#include "TrpEnumInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class TrpPersistent;

// How a property's value is written and converted from template text.
enum class TrpPropertyKind {
    Integer,     // 32-bit integer (colours and plain numbers), decimal text
    Int64,       // 64-bit integer, decimal text
    Float,       // double, decimal text with "." or ","
    DateTime,    // day number from 30 December 1899, written as a float
    Boolean,     // "True" / "False" (or 1 / 0)
    Enumeration, // member name or ordinal
    Set,         // decimal bitmask
    String,      // text
    Strings,     // list of lines, written as <name>.Text
    Reference,   // an object reference by name, resolved after the whole tree is read
    SubObject,   // a nested persistent object, written as dotted names
    Binary,      // raw bytes, written as upper-case hexadecimal
};

// One published property of a class of the report tree: its name, kind, default and accessors. The
// reader sets properties through `set`, the writer reads them through `get`; both use the QVariant types
// int (Integer, Enumeration, Set, Boolean as 0/1), qlonglong, double, QString, QStringList, QByteArray.
struct TrpProperty {
    using Getter = std::function<QVariant(const TrpPersistent&)>;
    using Setter = std::function<void(TrpPersistent&, const QVariant&)>;
    using SubAccess = std::function<TrpPersistent*(TrpPersistent&)>;
    using AfterSubChange = std::function<void(TrpPersistent&)>;
    using StoredRule = std::function<bool(const TrpPersistent& self, const TrpPersistent* owner)>;

    QString name;
    TrpPropertyKind kind = TrpPropertyKind::Integer;
    const TrpEnumInfo* enumInfo = nullptr; // Enumeration and Boolean
    Getter get;
    Setter set;                // empty: read-only
    SubAccess sub;             // SubObject only
    AfterSubChange subChanged; // SubObject: runs after a property of the sub-object was set by path
    QVariant defaultValue;     // invalid: the property has no default and is written whenever it is stored
    StoredRule stored;         // empty: the default rules of the writer

    TrpProperty& withDefault(const QVariant& value) {
        defaultValue = value;
        return *this;
    }
    TrpProperty& storedWhen(StoredRule rule) {
        stored = std::move(rule);
        return *this;
    }
    TrpProperty& notStored() {
        stored = [](const TrpPersistent&, const TrpPersistent*) {
            return false;
        };
        return *this;
    }
    TrpProperty& onSubChange(AfterSubChange change) {
        subChanged = std::move(change);
        return *this;
    }
};

// Builders for the property tables of the tree classes: accessors given as member functions of C.
namespace TrpProp {

template <class C, class T>
TrpProperty make(const char* name, TrpPropertyKind kind, T (C::*getter)() const, void (C::*setter)(T)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = kind;
    p.get = [getter](const TrpPersistent& o) {
        return QVariant::fromValue((static_cast<const C&>(o).*getter)());
    };
    p.set = [setter](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*setter)(v.value<T>());
    };
    return p;
}

template <class C> TrpProperty integer(const char* name, int (C::*g)() const, void (C::*s)(int)) {
    return make<C>(name, TrpPropertyKind::Integer, g, s);
}
template <class C> TrpProperty set(const char* name, int (C::*g)() const, void (C::*s)(int)) {
    return make<C>(name, TrpPropertyKind::Set, g, s);
}
template <class C> TrpProperty int64(const char* name, qlonglong (C::*g)() const, void (C::*s)(qlonglong)) {
    return make<C>(name, TrpPropertyKind::Int64, g, s);
}
template <class C> TrpProperty real(const char* name, double (C::*g)() const, void (C::*s)(double)) {
    return make<C>(name, TrpPropertyKind::Float, g, s);
}
template <class C> TrpProperty dateTime(const char* name, double (C::*g)() const, void (C::*s)(double)) {
    return make<C>(name, TrpPropertyKind::DateTime, g, s);
}
template <class C> TrpProperty boolean(const char* name, bool (C::*g)() const, void (C::*s)(bool)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Boolean;
    p.enumInfo = &TrpEnumInfo::Boolean();
    p.get = [g](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*g)() ? 1 : 0);
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(v.toInt() != 0);
    };
    return p;
}
template <class C>
TrpProperty string(const char* name, QString (C::*g)() const, void (C::*s)(const QString&)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::String;
    p.get = [g](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*g)());
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(v.toString());
    };
    return p;
}
template <class C>
TrpProperty string(const char* name, const QString& (C::*g)() const, void (C::*s)(const QString&)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::String;
    p.get = [g](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*g)());
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(v.toString());
    };
    return p;
}
template <class C>
TrpProperty strings(const char* name, QStringList (C::*g)() const, void (C::*s)(const QStringList&)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Strings;
    p.get = [g](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*g)());
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(v.toStringList());
    };
    return p;
}
template <class C>
TrpProperty binary(const char* name, QByteArray (C::*g)() const, void (C::*s)(const QByteArray&)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Binary;
    p.get = [g](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*g)());
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(v.toByteArray());
    };
    return p;
}
// A reference: the getter gives the name as written, the setter resolves a written name.
template <class C>
TrpProperty reference(const char* name, QString (C::*g)() const, void (C::*s)(const QString&)) {
    TrpProperty p = string<C>(name, g, s);
    p.kind = TrpPropertyKind::Reference;
    return p;
}
template <class C, class E>
TrpProperty enumeration(const char* name, const TrpEnumInfo& info, E (C::*g)() const, void (C::*s)(E)) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Enumeration;
    p.enumInfo = &info;
    p.get = [g](const TrpPersistent& o) {
        return QVariant(static_cast<int>((static_cast<const C&>(o).*g)()));
    };
    p.set = [s](TrpPersistent& o, const QVariant& v) {
        (static_cast<C&>(o).*s)(static_cast<E>(v.toInt()));
    };
    return p;
}
template <class C, class Sub> TrpProperty subObject(const char* name, Sub* (C::*access)()) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::SubObject;
    p.sub = [access](TrpPersistent& o) -> TrpPersistent* {
        return (static_cast<C&>(o).*access)();
    };
    return p;
}

// Plain fields without side effects, given as data members of C.
template <class C, class T> TrpProperty field(const char* name, TrpPropertyKind kind, T C::*member) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = kind;
    p.get = [member](const TrpPersistent& o) {
        return QVariant::fromValue(static_cast<const C&>(o).*member);
    };
    p.set = [member](TrpPersistent& o, const QVariant& v) {
        static_cast<C&>(o).*member = v.value<T>();
    };
    return p;
}
template <class C> TrpProperty flag(const char* name, bool C::*member) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Boolean;
    p.enumInfo = &TrpEnumInfo::Boolean();
    p.get = [member](const TrpPersistent& o) {
        return QVariant((static_cast<const C&>(o).*member) ? 1 : 0);
    };
    p.set = [member](TrpPersistent& o, const QVariant& v) {
        static_cast<C&>(o).*member = v.toInt() != 0;
    };
    return p;
}
template <class C, class E> TrpProperty choice(const char* name, const TrpEnumInfo& info, E C::*member) {
    TrpProperty p;
    p.name = QString::fromLatin1(name);
    p.kind = TrpPropertyKind::Enumeration;
    p.enumInfo = &info;
    p.get = [member](const TrpPersistent& o) {
        return QVariant(static_cast<int>(static_cast<const C&>(o).*member));
    };
    p.set = [member](TrpPersistent& o, const QVariant& v) {
        static_cast<C&>(o).*member = static_cast<E>(v.toInt());
    };
    return p;
}

} // namespace TrpProp
