// aviso-lote from order file to notice: the work files and notices it writes,
// byte for byte, against the files under tests/data/batch.
#include <QFile>
#include <QFileInfo>

#include "apoyo.h"

namespace {

QByteArray bytes(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(LoteTest, DelArchivoInfAlAvisoConElPrograma) {
  Corrida c = programa({QStringLiteral("cliente"), QStringLiteral("--cliente"), QStringLiteral("1234"),
                        QStringLiteral("--proveedor"), QStringLiteral("45678"), QStringLiteral("--rfc"),
                        QStringLiteral("ABCD010101-AB1")});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);

  // The window's recovery file is none of the batch program's business.
  QFile recuperacion(en(QStringLiteral("recuperacion.dat")));
  ASSERT_TRUE(recuperacion.open(QIODevice::WriteOnly));
  recuperacion.write("trabajo de la ventana");
  recuperacion.close();

  // The order of the other department is left out in the consolidation dialog.
  const QString trabajo = en(QStringLiteral("envío 1.code"));
  c = programa({QStringLiteral("importar"), datos(QStringLiteral("un_pedido.inf")), QStringLiteral("--orden"),
                QStringLiteral("12345678 - 123"), QStringLiteral("--tipo"), QStringLiteral("Alta"),
                QStringLiteral("--datos"), QStringLiteral("12345678|7|F-100|1500.5"), QStringLiteral("--trabajo"),
                trabajo});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);
  EXPECT_EQ(bytes(trabajo), bytes(datos(QStringLiteral("trabajo_un_pedido.code"))));
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("archtabs.tmp"))));
  EXPECT_TRUE(QFileInfo::exists(en(QStringLiteral("header.txt"))));

  const QString aviso = en(QStringLiteral("aviso.txt"));
  c = programa({QStringLiteral("generar"), trabajo, QStringLiteral("--entrega"), QStringLiteral("09/12/2026"),
                QStringLiteral("--hora"), QStringLiteral("09:00"), QStringLiteral("--aviso"), aviso});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);
  EXPECT_EQ(bytes(aviso), bytes(datos(QStringLiteral("aviso_un_pedido.txt"))));
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("arch.txt"))));
  EXPECT_EQ(bytes(en(QStringLiteral("recuperacion.dat"))), QByteArray("trabajo de la ventana"));
  // The same commands as the window's, with their log lines.
  const QStringList log = textosLog();
  for (const char* t : {"ENTRO AL EVENTO-----importararchiv_Click", "FORM2-----ENTRO AL EVENTO-----Command2_Click",
                        "Vorarido Exitoso!!!"})
    EXPECT_TRUE(log.contains(Q(t))) << t;
}

TEST_F(LoteTest, DosPedidosConsolidadosConCantidadesYContenedoresTecleados) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const QString trabajo = en(QStringLiteral("dos.code"));
  // Second order: its lines come without containers; one quantity is lowered.
  Corrida c = correr({QStringLiteral("importar"), datos(QStringLiteral("dos_pedidos.inf")), QStringLiteral("--orden"),
                      QStringLiteral("12345678 - 123"), QStringLiteral("--orden"), QStringLiteral("12345679"),
                      QStringLiteral("--tipo"), QStringLiteral("Alta"), QStringLiteral("--datos"),
                      QStringLiteral("12345678|7|F-100|1500.5"), QStringLiteral("--datos"),
                      QStringLiteral("12345679|8|F-101|99.99"), QStringLiteral("--detalle"),
                      QStringLiteral("0101|7654321||C000000001"), QStringLiteral("--detalle"),
                      QStringLiteral("0102|7654321|3|C000000002"), QStringLiteral("--trabajo"), trabajo});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  // Two orders always travel as "Pedido Múltiple": the movement type given is not used.
  EXPECT_EQ(c.errores, QStringList{Q("aviso-lote: --tipo no se aplica: el envío tiene varios pedidos y su tipo de "
                                     "movimiento es \"Pedido Múltiple\"")});
  EXPECT_EQ(bytes(trabajo), bytes(datos(QStringLiteral("trabajo_dos_pedidos.code"))));

  const QString aviso = en(QStringLiteral("dos.txt"));
  c = correr({QStringLiteral("generar"), trabajo, QStringLiteral("--entrega"), QStringLiteral("09/12/2026"),
              QStringLiteral("--hora"), QStringLiteral("9"), QStringLiteral("--aviso"), aviso});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);
  EXPECT_EQ(bytes(aviso), bytes(datos(QStringLiteral("aviso_dos_pedidos.txt"))));
}

TEST_F(LoteTest, DelArchivoDelimitadoPorTabuladoresAlAviso) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const QString trabajo = en(QStringLiteral("tab.code"));
  // Lines of the same store and SKU are merged by the order choice (2 + 5).
  Corrida c = correr({QStringLiteral("importar"), datos(QStringLiteral("pedidos_tab.txt")), QStringLiteral("--orden"),
                      QStringLiteral("7700001"), QStringLiteral("--tipo"), QStringLiteral("alta"),
                      QStringLiteral("--datos"), QStringLiteral("7700001|12|r-55|2500"), QStringLiteral("--trabajo"),
                      trabajo});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_EQ(c.errores, QStringList{Q("DUDIZOD: Por favor seleccione una orden de compra!")});
  EXPECT_EQ(bytes(trabajo), bytes(datos(QStringLiteral("trabajo_tab.code"))));
  // The order list holds order numbers: an entry written "OC - DEPTO" chooses its order.
  const QString otro = en(QStringLiteral("tab2.code"));
  c = correr({QStringLiteral("importar"), datos(QStringLiteral("pedidos_tab.txt")), QStringLiteral("--orden"),
              QStringLiteral("7700001 - 210"), QStringLiteral("--tipo"), QStringLiteral("Alta"), QStringLiteral("--datos"),
              QStringLiteral("7700001|12|r-55|2500"), QStringLiteral("--trabajo"), otro});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_EQ(bytes(otro), bytes(trabajo));

  const QString aviso = en(QStringLiteral("tab.txt"));
  c = correr({QStringLiteral("generar"), trabajo, QStringLiteral("--fecha"), QStringLiteral("10/12/2026"),
              QStringLiteral("--hora"), QStringLiteral("14:00"), aviso});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_EQ(bytes(aviso), bytes(datos(QStringLiteral("aviso_tab.txt"))));
}

TEST_F(LoteTest, GenerarDesdeLosArchivosDeTrabajoGuardados) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  struct Caso {
    const char* trabajo;
    const char* fecha;
    const char* hora;
    const char* aviso;
  } casos[] = {{"trabajo_un_pedido.code", "09/12/2026", "09:00", "aviso_un_pedido.txt"},
               {"trabajo_dos_pedidos.code", "09/12/2026", "09:00", "aviso_dos_pedidos.txt"},
               {"trabajo_tab.code", "10/12/2026", "14:00", "aviso_tab.txt"}};
  for (const Caso& k : casos) {
    const QString aviso = en(QStringLiteral("salida.txt"));
    // An earlier notice of that name is replaced.
    QFile previo(aviso);
    ASSERT_TRUE(previo.open(QIODevice::WriteOnly));
    previo.write("ANTERIOR\r\n");
    previo.close();
    const Corrida c = correr({QStringLiteral("generar"), datos(Q(k.trabajo)), QStringLiteral("--entrega"), Q(k.fecha),
                              QStringLiteral("--hora"), Q(k.hora), QStringLiteral("--aviso"), aviso});
    EXPECT_EQ(c.estado, lote::kHecho) << k.trabajo << "\n" << str(c.errores);
    EXPECT_EQ(bytes(aviso), bytes(datos(Q(k.aviso)))) << k.trabajo;
  }
}

// Also with the work file named last, without --trabajo.
TEST_F(LoteTest, DatosYDetalleDesdeArchivos) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const QString trabajo = en(QStringLiteral("dos.code"));
  Corrida c = correr({QStringLiteral("importar"), datos(QStringLiteral("dos_pedidos.inf")), QStringLiteral("--orden"),
                      QStringLiteral("12345678 - 123"), QStringLiteral("--orden"), QStringLiteral("12345679 - 123"),
                      QStringLiteral("--datos"), datos(QStringLiteral("dos_pedidos_datos.txt")),
                      QStringLiteral("--detalle"), datos(QStringLiteral("dos_pedidos_detalle.txt")), trabajo});
  ASSERT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);
  EXPECT_EQ(bytes(trabajo), bytes(datos(QStringLiteral("trabajo_dos_pedidos.code"))));
}
