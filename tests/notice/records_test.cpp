#include "notice/records.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "workspace/textfile.h"

namespace {

using namespace registro;

QStringList lineas(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? texto::partirLineas(texto::desde1252(f.readAll())) : QStringList();
}

// The worked example's rows, fields apart, cut at the tables' positions.
TEST(RecordTables, CutTheWorkedExampleIntoItsFields) {
  const char* filas[] = {
      "HD|A|0007|20261207|20261207|20261209|0900|45678     |ABCD010101-AB1| 12345678|F 100        |00000150050|0123|"
      "12345",
      "CN|67890|1|A123456789",
      "DT| 750100000001|UPC|01234567  |AB 12               |M         |AZUL                |0000002400|PZ |000001",
      "DT|7501000000025|EAN|01234568  |CD 34               |G         |ROJO                |0000000600|PZ |000001"};
  const QStringList aviso = lineas(QStringLiteral(AVISO_TEST_DATA "/notice/ejemplo_un_pedido.txt"));
  ASSERT_EQ(aviso.size(), 4);
  for (int i = 0; i < 4; ++i) {
    const QStringList campos = QString::fromUtf8(filas[i]).split(QLatin1Char('|'));
    const Registro* r = registroDe(QStringView(aviso[i]).left(2));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->campos.size(), static_cast<size_t>(campos.size())) << r->tipo.toStdString();
    EXPECT_EQ(campos.join(QString()), aviso[i]);
    EXPECT_EQ(aviso[i].size(), r->largo());
    for (size_t j = 0; j < r->campos.size(); ++j) {
      const Campo& c = r->campos[j];
      EXPECT_EQ(aviso[i].mid(c.posicion - 1, c.ancho), campos[static_cast<int>(j)]) << c.nombre.toStdString();
      if (!c.fijo.isEmpty()) EXPECT_EQ(c.fijo, campos[static_cast<int>(j)]);
    }
  }
}

// Every record of the notices kept beside the tests has its layout's width
// (a container record, eight columns and its code).
TEST(RecordTables, GoldenNoticesHaveTheLayoutsWidths) {
  QStringList archivos = {QStringLiteral(AVISO_TEST_DATA "/notice/ejemplo_un_pedido.txt")};
  for (const QString& a : QDir(QStringLiteral(AVISO_TEST_DATA "/batch")).entryList({QStringLiteral("aviso_*.txt")}))
    archivos.append(QStringLiteral(AVISO_TEST_DATA "/batch/") + a);
  int registros = 0;
  for (const QString& a : archivos) {
    for (const QString& l : lineas(a)) {
      if (l.isEmpty()) continue;
      const Registro* r = registroDe(QStringView(l).left(2));
      ASSERT_TRUE(r) << l.toStdString();
      if (r == &CN()) EXPECT_GE(l.size(), 8 + r->campos[cn::kContenedor].minimo()) << l.toStdString();
      else EXPECT_EQ(l.size(), r->largo()) << a.toStdString() << ": " << l.toStdString();
      ++registros;
    }
  }
  EXPECT_GT(registros, 20);
}

// The padding rules as the fields apply them.
TEST(RecordTables, FieldsPadByTheirRule) {
  struct Caso {
    const Registro& r;
    int campo;
    const char* valor;
    const char* escrito;
  } casos[] = {{HD(), hd::kEnvio, "7", "0007"},          {HD(), hd::kEnvio, "123456", "123456"},
               {HD(), hd::kProveedor, "12.3-4", "12 3 4    "}, {HD(), hd::kPedido, "1-2", "      1 2"},
               {HD(), hd::kFactura, "F-100", "F 100        "},  {DT(), dt::kBarras, "", "             "},
               {DT(), dt::kSku, "1234567", "01234567  "},      {DT(), dt::kSku, "123456789", "123456789"},
               {DT(), dt::kModelo, "", "                    "}, {DT(), dt::kModelo, "A/B", "A B                 "},
               {DT(), dt::kTalla, "", ""},                      {DT(), dt::kTalla, "10/5", "10/5      "},
               {CN(), cn::kTienda, "123", "00123"},             {CN(), cn::kContenedor, "A12345678 ", "A12345678 "}};
  for (const Caso& c : casos)
    EXPECT_EQ(rellenar(c.r.campos[static_cast<size_t>(c.campo)], QString::fromUtf8(c.valor)),
              QString::fromUtf8(c.escrito))
        << c.valor;
}

}  // namespace
