// The notice checker reads as the bytes come: cut anywhere (also between CR
// and LF) the notice reads as it does whole, and past the findings listed
// only their number is kept.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "documents/notice_check.h"
#include "envio/aviso.h"

namespace {

QStringList porPartes(const QByteArray& bytes, qsizetype paso) {
  LectorAviso lector(false);
  for (qsizetype i = 0; i < bytes.size(); i += paso) lector.agregar(bytes.mid(i, paso));
  return informeRevision(lector.terminar());
}

TEST(RevisionPorPartes, CutAnywhereReadsAsWhole) {
  const QDir entrada(QStringLiteral(AVISO_TEST_DATA "/../golden/revisar/entrada"));
  const QStringList avisos = entrada.entryList({QStringLiteral("*.txt")}, QDir::Files);
  ASSERT_GE(avisos.size(), 10);
  QList<QByteArray> casos = {QByteArray(), QByteArray("\r"), QByteArray("HD\r"), QByteArray("\r\n\r\n\n\r")};
  for (const QString& a : avisos) {
    QFile f(entrada.filePath(a));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    casos.append(f.readAll());
  }
  for (const QByteArray& bytes : casos) {
    const QStringList entero = informeRevision(leerAviso(bytes));
    for (qsizetype paso : {1, 2, 3, 7, 64}) {
      SCOPED_TRACE(paso);
      EXPECT_EQ(porPartes(bytes, paso), entero);
    }
  }
}

TEST(RevisionPorPartes, OnlyTheFirstFindingsAreListed) {
  struct Caso {
    int lineas;        // of "XX\n": two faults each (type, line end)
    int listados, omitidos;
  } casos[] = {{1, 3, 0}, {499, 999, 0}, {500, 1000, 1}, {3000, 1000, 5001}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.lineas);
    const AvisoLeido a = leerAviso(QByteArray("XX\n").repeated(c.lineas));
    EXPECT_EQ(a.faltas(), 2 * c.lineas + 1);  // and no HD at all
    EXPECT_EQ(static_cast<int>(a.hallazgos.size()), c.listados);
    EXPECT_EQ(a.omitidos(), c.omitidos);
    // The first in line order: the last listed is on line listados / 2 at most.
    for (size_t i = 1; i < a.hallazgos.size(); ++i)
      EXPECT_LE(a.hallazgos[i - 1].linea, a.hallazgos[i].linea);
    EXPECT_LE(a.hallazgos.back().linea, (c.listados + 1) / 2);
    const QStringList informe = informeRevision(a);
    EXPECT_EQ(informe.filter(QStringLiteral("que no se listan")).size(), c.omitidos > 0 ? 1 : 0);
  }
  // A control character past the list is a fault all the same.
  EXPECT_EQ(leerAviso(QByteArray("X\x01\n").repeated(3000)).faltas(), 3 * 3000 + 1);
}

// Past kMaximoRegistros records each line is still checked but no longer
// gathered: the containers counted stop there, once said.
TEST(RevisionPorPartes, RecordsPastTheLimitAreCheckedNotGathered) {
  const QByteArray hd = QByteArray("HDM0007202612072026120720261207090045678     ABCD010101-AB1 12345678F 100        "
                                   "00000150050012312345\r\n");
  const QByteArray par = QByteArray("CN000031A00000001\r\nDT 750100000001UPC01000001  AB 12               M         "
                                    "AZUL                0000001500PZ 000001\r\n");
  const int pares = kMaximoRegistros / 2 + 10;
  const AvisoLeido a = leerAviso(hd + par.repeated(pares) + QByteArray("XX\r\n"));
  ASSERT_EQ(a.pedidos.size(), 1u);
  EXPECT_EQ(a.contenedores(), kMaximoRegistros / 2);  // the HD takes one place: the last CN kept is left without its DT
  EXPECT_EQ(a.lineasDetalle(), kMaximoRegistros / 2 - 1);
  ASSERT_EQ(a.faltas(), 2);
  EXPECT_EQ(a.hallazgos[0].linea, kMaximoRegistros + 1);
  EXPECT_TRUE(a.hallazgos[0].texto.startsWith(QStringLiteral("El aviso tiene más de 300000 registros")));
  EXPECT_EQ(a.hallazgos[1].linea, 2 * pares + 2);  // "XX" is still checked
}

}  // namespace
