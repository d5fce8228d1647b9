#include "SqlTextTranslation.h"

#include "StatementCatalogue.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString boundNames(const TranslatedText& t) {
    QStringList out;
    for (const PositionalBinding& b : t.bindings) {
        out << b.param + QLatin1Char(':') + paramKindName(b.conversion, b.size);
    }
    return out.join(QLatin1Char(','));
}

} // namespace

TEST(SqlTextTranslation, ServerTextKeepsEveryCharacterButTheMarkers) {
    const TranslatedText t = translateForSqlServer(statementDef(StatementId::KitchenOrdersQ));
    EXPECT_EQ(
        t.sql.toStdString(),
        "Select Displayed_Name_PL, Displayed_Name_SL, Remarks, isNull(Sum(Cast(Item_QTY as bigint)), 0) as "
        "QTY\r\nFrom "
        "OrdersDetailsStationsView ODSV\r\nWhere ODSV.Customer_ID = ?\r\nAnd ODSV.Restaurant_ID = ?\r\nAnd "
        "ODSV.Outlet_ID = ?\r\nAnd ODSV.Master_ID = ?\r\nAnd Default_Printer = ?\r\nAnd isPrinted = "
        "0\r\nGroup "
        "By Displayed_Name_PL, Displayed_Name_SL, Remarks\r\nOrder By Displayed_Name_PL, Displayed_Name_SL, "
        "Remarks");
    EXPECT_EQ(boundNames(t).toStdString(),
              "Customer_ID:bigint,Restaurant_ID:bigint,Outlet_ID:bigint,Master_ID:"
              "bigint,Printer_Name:text(255)");
    // The server runs the declarations itself: a batch goes out as it stands.
    const TranslatedText batch = translateForSqlServer(statementDef(StatementId::PackagingOrdersQ));
    EXPECT_TRUE(batch.sql.startsWith(QStringLiteral("Declare @Customer_ID bigint = ?\r\n")));
    EXPECT_EQ(batch.bindings.size(), 4u);
}

TEST(SqlTextTranslation, EmbeddedTextBindsDeclaredVariablesWhereverTheyAreUsed) {
    const TranslatedText t = translateForSqlite(statementDef(StatementId::PackagingOrdersQ));
    EXPECT_EQ(
        t.sql.toStdString(),
        "\r\nSelect Displayed_Name_PL, Displayed_Name_SL, Remarks, ifnull(Sum(Cast(Item_QTY as bigint)), 0) "
        "as QTY\r\nFrom "
        "OrdersDetailsStationsView\r\nWhere Customer_ID = ?\r\nAnd Restaurant_ID = ?\r\nAnd Outlet_ID = "
        "?\r\nAnd "
        "Master_ID = ?\r\nAnd Default_Printer in (Select Printer_Name From PrintersInPackaging Where "
        "Customer_ID = "
        "? and Restaurant_ID = ? and Outlet_ID = ?)\r\nAnd isPrinted = 0\r\nGroup By Displayed_Name_PL, "
        "Displayed_Name_SL, Remarks\r\nOrder By Displayed_Name_PL, Displayed_Name_SL, Remarks");
    EXPECT_EQ(boundNames(t).toStdString(),
              "Customer_ID:bigint,Restaurant_ID:bigint,Outlet_ID:bigint,Master_ID:bigint,"
              "Customer_ID:bigint,Restaurant_ID:bigint,Outlet_ID:bigint");

    // Untyped parameters converted by a bigint declaration are converted like bigint parameters.
    const TranslatedText voids = translateForSqlite(statementDef(StatementId::VoidedQ));
    EXPECT_EQ(boundNames(voids).toStdString(), "Customer_ID:bigint,Restaurant_ID:bigint,Outlet_ID:bigint");
    EXPECT_FALSE(voids.sql.contains(QLatin1Char('@')));
    EXPECT_FALSE(voids.sql.contains(QStringLiteral("Declare")));
}

TEST(SqlTextTranslation, MarkersInsideQuotedLiteralsAreText) {
    StatementDef def{QStringLiteral("Literal"),
                     StatementKind::Query,
                     QStringLiteral("Select ':Skip @v' as A, isNull(B, 0)\r\nWhere C = :C"),
                     {{QStringLiteral("C"), ParamKind::Untyped, 0}},
                     {}};
    const TranslatedText server = translateForSqlServer(def);
    EXPECT_EQ(server.sql, QStringLiteral("Select ':Skip @v' as A, isNull(B, 0)\r\nWhere C = ?"));
    const TranslatedText embedded = translateForSqlite(def);
    EXPECT_EQ(embedded.sql, QStringLiteral("Select ':Skip @v' as A, ifnull(B, 0)\r\nWhere C = ?"));
    EXPECT_EQ(embedded.bindings.size(), 1u);
}

TEST(SqlTextTranslation, EveryStatementTranslatesForBothBackends) {
    for (const StatementDef& def : statementCatalogue()) {
        SCOPED_TRACE(def.name.toStdString());
        const TranslatedText server = translateForSqlServer(def);
        const TranslatedText embedded = translateForSqlite(def);
        EXPECT_EQ(static_cast<std::size_t>(server.sql.count(QLatin1Char('?'))), server.bindings.size());
        EXPECT_EQ(static_cast<std::size_t>(embedded.sql.count(QLatin1Char('?'))), embedded.bindings.size());
        EXPECT_FALSE(embedded.sql.contains(QLatin1Char(':')));
        EXPECT_FALSE(embedded.sql.contains(QLatin1Char('@')));
        // Every declared parameter is used.
        for (const ParamDef& p : def.params) {
            bool used = false;
            for (const PositionalBinding& b : server.bindings) {
                used = used || b.param == p.name;
            }
            EXPECT_TRUE(used) << p.name.toStdString();
        }
    }
}
