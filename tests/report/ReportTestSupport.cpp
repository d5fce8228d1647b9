#include "ReportTestSupport.h"

#include "TrpCustomMemoView.h"

#include <QFile>

namespace ReportTest {

QByteArray document(const QByteArray& body, const QByteArray& rootAttributes) {
    QByteArray doc = Declaration;
    doc += "\r\n<TrpReport";
    if (!rootAttributes.isEmpty()) {
        doc += ' ' + rootAttributes;
    }
    doc += ">\r\n" + body + "\r\n</TrpReport>\r\n";
    return doc;
}

QByteArray pageWithBand(const QByteArray& views) {
    return "<TrpReportPage Name=\"Page1\"><TrpMasterData Name=\"MasterData1\">" + views +
           "</TrpMasterData></TrpReportPage>";
}

std::unique_ptr<TrpReport> load(const QByteArray& data) {
    auto report = std::make_unique<TrpReport>();
    report->EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
    report->LoadFromMemory(data);
    return report;
}

QString fixturePath(const QString& name) {
    return qEnvironmentVariable("VELORIA_TEST_DATA") + QStringLiteral("/report/") + name;
}

QByteArray fixture(const QString& name) {
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

CapturedErrorBox::CapturedErrorBox() {
    m_previous = TrpErrorBox::setHandler([this](const QString& text) { m_texts.append(text); });
}

CapturedErrorBox::~CapturedErrorBox() {
    TrpErrorBox::setHandler(std::move(m_previous));
}

namespace {

void compareProperties(const TrpPersistent& a, const TrpPersistent& b, const QString& path,
                       QStringList& out) {
    for (const TrpProperty& p : a.properties().all()) {
        const QString where = path + QLatin1Char('.') + p.name;
        if (p.kind == TrpPropertyKind::SubObject) {
            // Formats are compared as a collection; reaching DisplayFormat would create one.
            if (p.name == QLatin1String("DisplayFormat")) {
                continue;
            }
            compareProperties(*p.sub(const_cast<TrpPersistent&>(a)), *p.sub(const_cast<TrpPersistent&>(b)),
                              where, out);
            continue;
        }
        const QVariant va = p.get(a);
        const QVariant vb = p.get(b);
        if (va != vb) {
            out.append(QStringLiteral("%1: %2 != %3").arg(where, va.toString(), vb.toString()));
        }
    }
}

void compareTree(const TrpComponent& a, const TrpComponent& b, const QString& path, QStringList& out) {
    const QString here = path + QLatin1Char('/') + a.Name();
    if (QLatin1String(a.ClassName()) != QLatin1String(b.ClassName())) {
        out.append(here + QStringLiteral(": class ") + QLatin1String(b.ClassName()));
        return;
    }
    compareProperties(a, b, here, out);
    const auto* memoA = dynamic_cast<const TrpCustomMemoView*>(&a);
    const auto* memoB = dynamic_cast<const TrpCustomMemoView*>(&b);
    if (memoA != nullptr) {
        if (memoA->Memo() != memoB->Memo()) {
            out.append(here + QStringLiteral(": lines differ"));
        }
        if (memoA->Formats().size() != memoB->Formats().size()) {
            out.append(here + QStringLiteral(": format count"));
        } else {
            for (size_t i = 0; i < memoA->Formats().size(); ++i) {
                compareProperties(*memoA->Formats()[i], *memoB->Formats()[i],
                                  here + QStringLiteral(".Formats"), out);
            }
        }
    }
    if (const auto* reportA = dynamic_cast<const TrpReport*>(&a)) {
        const auto* reportB = dynamic_cast<const TrpReport*>(&b);
        if (reportA->Datasets().size() != reportB->Datasets().size()) {
            out.append(here + QStringLiteral(": dataset count"));
        } else {
            for (size_t i = 0; i < reportA->Datasets().size(); ++i) {
                compareProperties(*reportA->Datasets()[i], *reportB->Datasets()[i],
                                  here + QStringLiteral(".Datasets"), out);
            }
        }
    }
    if (a.Objects().size() != b.Objects().size()) {
        out.append(here +
                   QStringLiteral(": child count %1 != %2").arg(a.Objects().size()).arg(b.Objects().size()));
        return;
    }
    for (size_t i = 0; i < a.Objects().size(); ++i) {
        compareTree(*a.Objects()[i], *b.Objects()[i], here, out);
    }
}

} // namespace

QStringList differences(const TrpComponent& a, const TrpComponent& b) {
    QStringList out;
    compareTree(a, b, QString(), out);
    return out;
}

} // namespace ReportTest
