#include "SqlTextTranslation.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <stdexcept>

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

struct DeclaredVariable {
    QString param;
    ParamKind conversion;
};

PositionalBinding bindingFor(const StatementDef& statement, const QString& name) {
    const ParamDef* def = statement.param(name);
    if (!def) {
        throw std::logic_error("Statement " + statement.name.toStdString() + " has no parameter " +
                               name.toStdString());
    }
    return {def->name, def->kind, def->size};
}

// Replaces ":Name" markers (and, when given, "@Variable" uses) by "?" outside quoted literals.
TranslatedText replaceMarkers(const StatementDef& statement, const QString& text,
                              const QHash<QString, DeclaredVariable>& variables) {
    TranslatedText out;
    bool inLiteral = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'')) {
            inLiteral = !inLiteral;
        }
        const bool marker =
            !inLiteral && (c == QLatin1Char(':') || (c == QLatin1Char('@') && !variables.isEmpty()));
        if (!marker || i + 1 >= text.size() || !isNameChar(text.at(i + 1))) {
            out.sql += c;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && isNameChar(text.at(end))) {
            ++end;
        }
        const QString name = text.mid(i + 1, end - i - 1);
        if (c == QLatin1Char(':')) {
            out.bindings.push_back(bindingFor(statement, name));
        } else {
            const auto found = variables.constFind(name.toLower());
            if (found == variables.constEnd()) {
                throw std::logic_error("Statement " + statement.name.toStdString() + " uses undeclared @" +
                                       name.toStdString());
            }
            PositionalBinding binding = bindingFor(statement, found->param);
            binding.conversion = found->conversion;
            out.bindings.push_back(binding);
        }
        out.sql += QLatin1Char('?');
        i = end - 1;
    }
    return out;
}

} // namespace

TranslatedText translateForSqlServer(const StatementDef& statement) {
    return replaceMarkers(statement, statement.text, {});
}

TranslatedText translateForSqlite(const StatementDef& statement) {
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*Declare\\s+@(\\w+)\\s+(\\w+)\\s*=\\s*:(\\w+)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression isNull(QStringLiteral("\\bisNull\\s*\\("),
                                           QRegularExpression::CaseInsensitiveOption);

    QHash<QString, DeclaredVariable> variables;
    QStringList kept;
    const QStringList lines = statement.text.split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = declaration.match(line);
        if (!m.hasMatch()) {
            kept << line;
            continue;
        }
        const QString type = m.captured(2).toLower();
        const ParamKind conversion = type == QLatin1String("bigint") ? ParamKind::BigInt : ParamKind::Untyped;
        variables.insert(m.captured(1).toLower(), {m.captured(3), conversion});
    }
    QString text = kept.join(QStringLiteral("\r\n"));
    text.replace(isNull, QStringLiteral("ifnull("));
    return replaceMarkers(statement, text, variables);
}
