#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/isql.h"
#include "tests/support/printers.h"

#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace quelmaro;
using test::Results;

namespace {

const QStringList kHeaderData = {"FECHA",
                                 "FECHA LETRAS",
                                 "COMPRA TOTAL DIA",
                                 "COMPRA TOTAL MES",
                                 "COMPRA CONTADO DIA",
                                 "COMPRA CONTADO MES",
                                 "COMPRA CREDITO DIA",
                                 "COMPRA CREDITO MES",
                                 "DEVCOMPRA DIA",
                                 "DEVCOMPRA MES",
                                 "COMPRA NETA DIA",
                                 "COMPRA NETA MES",
                                 "COMPRA EXENTA DIA",
                                 "COMPRA EXENTA MES",
                                 "COMPRA GRAVADA1 DIA",
                                 "COMPRA GRAVADA1 MES",
                                 "COMPRA GRAVADA2 DIA",
                                 "COMPRA GRAVADA2 MES",
                                 "IVA1 COMPRAS DIA",
                                 "IVA1 COMPRAS MES",
                                 "IVA2 COMPRAS DIA",
                                 "IVA2 COMPRAS MES",
                                 "IVA1 PROYECTADO",
                                 "IVA2 PROYECTADO",
                                 "IVA TOTAL PROYECTADO",
                                 "IVA1 COMPRAS PROYECTADO",
                                 "IVA2 COMPRAS PROYECTADO",
                                 "IVA TOTAL COMPRAS PROYECTADO",
                                 "TOTAL VENTA CONTADO DIA",
                                 "TOTAL VENTA CREDITO DIA",
                                 "TOTAL VENTA FORMAS DIA",
                                 "TOTAL DEVOLUCION DIA",
                                 "TOTAL VENTA NETA DIA",
                                 "TOTAL VENTA CONTADO MES",
                                 "TOTAL VENTA CREDITO MES",
                                 "TOTAL VENTA FORMAS MES",
                                 "TOTAL DEVOLUCION MES",
                                 "TOTAL VENTA NETA MES",
                                 "VENTA CONTADO PROYECTADA",
                                 "VENTA CREDITO PROYECTADA",
                                 "VENTA FORMAS PROYECTADA",
                                 "DEVOLUCION PROYECTADA",
                                 "VENTA NETA PROYECTADA",
                                 "TOTAL VENTA GRAVADA1 DIA",
                                 "TOTAL VENTA GRAVADA2 DIA",
                                 "TOTAL VENTA EXENTA DIA",
                                 "TOTAL VENTA GRAVADA1 MES",
                                 "TOTAL VENTA GRAVADA2 MES",
                                 "TOTAL VENTA EXENTA MES",
                                 "VENTA GRAVADA1 PROYECTADA",
                                 "VENTA GRAVADA2 PROYECTADA",
                                 "VENTA EXENTA PROYECTADA",
                                 "CODIGO USUARIO",
                                 "HORA REGISTRO"};

const QStringList kPointData = {"PUNTO DE VENTA",     "VENTA CONTADO DIA",
                                "VENTA CONTADO MES",  "VENTA CREDITO DIA",
                                "VENTA CREDITO MES",  "VENTA TOTAL DIA",
                                "VENTA TOTAL MES",    "DEVOLUCION DIA",
                                "DEVOLUCION MES",     "VENTA NETA DIA",
                                "VENTA NETA MES",     "VENTA EXENTA DIA",
                                "VENTA EXENTA MES",   "VENTA GRAVADA1 DIA",
                                "VENTA GRAVADA1 MES", "VENTA GRAVADA2 DIA",
                                "VENTA GRAVADA2 MES", "IVA1 DIA",
                                "IVA1 MES",           "IVA2 DIA",
                                "IVA2 MES",           "DESCUENTOS DIA",
                                "DESCUENTOS MES",     "SALDO INICIAL CAJA",
                                "SALDO FINAL CAJA",   "INGRESO CARTERA",
                                "VENTA OTRAS FORMAS", "VENTA OTRAS FORMAS MES",
                                "INGRESO OTROS",      "INGRESO TOTAL",
                                "EGRESO CXPAGAR",     "EGRESO OTROS",
                                "EGRESO TOTAL",       "EGRESO CLASE1",
                                "EGRESO CLASE2",      "CONSIGNACIONES",
                                "TRASLADOS ENVIADOS", "TRASLADOS RECIBIDOS",
                                "FORMA PAGO 1",       "FORMA PAGO 2",
                                "FORMA PAGO 3",       "FORMA PAGO 4",
                                "FORMA PAGO 5",       "CARTERA DIA",
                                "TOTAL EFECTIVO"};

const QStringList kTextData = {"FECHA", "FECHA LETRAS", "CODIGO USUARIO", "HORA REGISTRO", "PUNTO DE VENTA"};

class ClosingFormat : public testing::Test {
protected:
    std::unique_ptr<fb::Connection> connection = test::openDatabase(test::demo::central());
};

TEST_F(ClosingFormat, PrintsTheWholeVocabularyOnce) {
    const Results data(
        connection->query("select dafo_dato, dafo_repite, dafo_imprime, dafo_liquida, dafo_formato,"
                          " dafo_long from formato_datos where tido_cod = 131 and pref_pre = 'CIE'"));
    QStringList header;
    QStringList point;
    for (qsizetype r = 0; r < data.size(); ++r) {
        const QString name = data.at(r, "DAFO_DATO").toString();
        (data.at(r, "DAFO_REPITE") == Value("N") ? header : point) << name;
        EXPECT_EQ(data.at(r, "DAFO_IMPRIME"), Value("S")) << name.toStdString();
        EXPECT_EQ(data.at(r, "DAFO_LIQUIDA"), Value("N")) << name.toStdString();
        if (kTextData.contains(name))
            EXPECT_GT(data.at(r, "DAFO_LONG").toInt(), 0) << name.toStdString();
        else
            EXPECT_EQ(data.at(r, "DAFO_FORMATO"), Value("2")) << name.toStdString();
    }
    header.sort();
    point.sort();
    QStringList expectedHeader = kHeaderData;
    QStringList expectedPoint = kPointData;
    expectedHeader.sort();
    expectedPoint.sort();
    EXPECT_EQ(header, expectedHeader);
    EXPECT_EQ(point, expectedPoint);
}

TEST_F(ClosingFormat, FitsLetterPaperWithFivePointsAcross) {
    const Results format(connection->query("select * from formatos where tido_cod = 131"));
    ASSERT_EQ(format.size(), 1);
    EXPECT_EQ(format.at(0, "FORM_IMPRE"), Value("CIERRE"));
    EXPECT_EQ(format.money(0, "FORM_PAPELAN"), Fixed::parse("8.5"));
    EXPECT_EQ(format.money(0, "FORM_PAPELAL"), Fixed::fromInt(11));
    const auto step = format.at(0, "FORM_ENTRELINEA").toInt();
    const auto widest =
        test::single(*connection, "select max(dafo_posx) from formato_datos where dafo_repite = 'S'").toInt();
    EXPECT_LE(widest + 4 * step, 1500);
    EXPECT_GT(step, 150) << "room for a number in millions";

    const Results outside(connection->query(
        "select foli_item from formato_lineas where foli_posx < 0 or foli_posx + coalesce(foli_x, 0) > 1500"
        " or foli_posy < 0 or foli_posy + coalesce(foli_y, 0) > 2000 union all"
        " select dafo_item from formato_datos where dafo_posx < 0 or dafo_posx > 1500 or dafo_posy < 0"
        " or dafo_posy > 2000"));
    EXPECT_EQ(outside.size(), 0);
    for (const char* kind : {"L", "C", "G", "T"})
        EXPECT_GT(test::single(*connection, "select count(*) from formato_lineas where foli_tipo = ?", {kind})
                      .toInt(),
                  0)
            << kind;
}

// The logo is stored behind the suite's 8-byte header: count 1, type 256, then the bitmap's length.
TEST_F(ClosingFormat, LogoIsABitmapBehindTheSuiteHeader) {
    const QByteArray stored =
        test::single(*connection, "select foli_imagen from formato_lineas where foli_tipo = 'G'").toBytes();
    ASSERT_GT(stored.size(), 8);
    EXPECT_EQ(qFromLittleEndian<quint16>(stored.constData()), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(stored.constData() + 2), 256);
    EXPECT_EQ(qFromLittleEndian<qint32>(stored.constData() + 4), stored.size() - 8);
    const QImage logo = QImage::fromData(stored.mid(8), "BMP");
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(160, 64));
    EXPECT_EQ(logo.pixelColor(0, 0), QColor(Qt::black)) << "the frame";
    EXPECT_EQ(logo.pixelColor(10, 10), QColor(Qt::white));
}

TEST(BareLogo, FixtureStoresTheBitmapWithoutTheHeader) {
    test::CompanyRoot root;
    test::demo::copyInto(root);
    const QString database = root.database("00");
    test::runIsqlScript(database, QStringLiteral(QUELMARO_SCHEMA_DIR "/fixtures/bare-logo.sql"));
    auto connection = test::openDatabase(database);
    const QByteArray stored =
        test::single(*connection, "select foli_imagen from formato_lineas where foli_tipo = 'G'").toBytes();
    EXPECT_TRUE(stored.startsWith("BM"));
    EXPECT_EQ(QImage::fromData(stored, "BMP").size(), QSize(160, 64));
}

TEST(Masters, ConfigurationAndMastersTheProgramReads) {
    auto connection = test::openDatabase(test::demo::central());
    auto setting = [&](const char* module, const char* category, const char* property) {
        return test::single(
            *connection,
            "select conf_valor from configuracion where conf_modulo = ? and conf_categoria = ?"
            " and conf_propiedad = ?",
            {module, category, property});
    };
    EXPECT_EQ(setting("FACTURACION", "GENERAL", "PREVISUALIZAR IMPRESION DE DOCUMENTOS"), Value("SI"));
    EXPECT_EQ(setting("FACTURACION", "DOCUMENTOS", "REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"), Value("-2"));
    EXPECT_EQ(setting("CONTABILIDAD", "GENERAL", "ANO BALANCE DE APERTURA NIIF"), Value("2016"));

    auto count = [&](const char* sql) { return test::single(*connection, sql).toInt(); };
    EXPECT_EQ(count("select count(*) from sucursales"), 2);
    EXPECT_EQ(count("select count(*) from punto_venta where ptvt_activo = 'S'"), 3);
    EXPECT_EQ(count("select count(distinct pref_auto) from prefijos"), 2)
        << "with and without automatic numbering";
    EXPECT_EQ(count("select count(*) from punto_venta p where not exists (select 1 from autorizaciones a"
                    " join prefijos r on r.tido_cod = 61 and r.pref_pre = a.auto_prefrdc where a.pref_pre = "
                    "p.pref_pre)"),
              0);
    EXPECT_EQ(count("select count(*) from punto_venta p where not exists (select 1 from interfaz_ventas i"
                    " where i.tido_cod = 31 and i.pref_pre = p.pref_pre)"),
              0);
    EXPECT_EQ(count("select count(*) from punto_venta p where (select count(*) from vendedores v"
                    " where v.ptvt_id = p.ptvt_id) < 1"),
              0);
    EXPECT_EQ(count("select count(distinct t.taiv_porc) from articulo a join tarifa_iva t on t.taiv_cod = "
                    "a.taiv_cod"),
              3);
    EXPECT_EQ(count("select count(*) from formas_pago"), 5);
    EXPECT_EQ(count("select count(*) from articulo a, tarifa_iva t where a.taiv_cod = t.taiv_cod and "
                    "arti_cod = 'C001'"),
              1);
}

} // namespace
