// aviso-lote refusing: the messages the window would show (or the program's
// own for an argument the window could not have taken), the exit status, and
// no file written or replaced.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "apoyo.h"

namespace {

QByteArray bytes(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribirEn(const QString& ruta, const QByteArray& b) {
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(b);
}

}  // namespace

class RechazoTest : public LoteTest {
 protected:
  // importar of un_pedido.inf with `mas` after the file name; the work file
  // named `salida`, which holds "ANTERIOR" before the run.
  Corrida importar(const QString& pedidos, const QStringList& mas) {
    escribirEn(salida(), "ANTERIOR\r\n");
    return correr(QStringList{QStringLiteral("importar"), pedidos} + mas +
                  QStringList{QStringLiteral("--trabajo"), salida()});
  }
  QString salida() const { return en(QStringLiteral("salida.code")); }
  bool intacto() const { return bytes(salida()) == QByteArray("ANTERIOR\r\n"); }

  Corrida generar(const QString& trabajo, const QStringList& mas) {
    escribirEn(aviso(), "ANTERIOR\r\n");
    return correr(QStringList{QStringLiteral("generar"), trabajo} + mas + QStringList{QStringLiteral("--aviso"), aviso()});
  }
  QString aviso() const { return en(QStringLiteral("aviso.txt")); }
  bool avisoIntacto() const { return bytes(aviso()) == QByteArray("ANTERIOR\r\n"); }
};

TEST_F(RechazoTest, ImportarRehusado) {
  const QString inf = datos(QStringLiteral("dos_pedidos.inf"));
  const QString orden = QStringLiteral("--orden");
  struct Caso {
    QString pedidos;
    QStringList mas;
    int estado;
    QString ultimo;  // last line on standard error
  } casos[] = {
      {en(QStringLiteral("no-hay.inf")), {orden, QStringLiteral("1")}, lote::kError,
       Q("Datos incorrectos: El archivo: ") + en(QStringLiteral("no-hay.inf")) + Q(" no se encuentra")},
      {inf, {orden, QStringLiteral("12345670")}, lote::kError,
       Q("aviso-lote: --orden \"12345670\" no está en el archivo (órdenes del archivo: 12345678 - 123; "
         "12345679 - 123; 99990001 - 456)")},
      // The consolidation dialog's own rule.
      {inf, {orden, QStringLiteral("12345678 - 123"), orden, QStringLiteral("99990001-456")}, lote::kRehusado,
       Q("Aviso: Las Ordenes de Compra deben ser del mismo departamento")},
      // A single order needs its movement type before it can be saved.
      {inf, {orden, QStringLiteral("12345678")}, lote::kRehusado,
       Q("Aviso: Seleccione el Tipo de Movimiento para la Orden de Compra")},
      // The drop-down of a single order offers "Alta" only.
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--tipo"), QStringLiteral("Baja")}, lote::kError,
       Q("aviso-lote: --tipo \"Baja\" no es un tipo de movimiento de la lista (Alta)")},
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--datos"), QStringLiteral("12345678|7|F-1")}, lote::kError,
       Q("aviso-lote: --datos \"12345678|7|F-1\" debe tener la forma \"OC|NUM VORARIDO|FACTURA|IMPORTE\"")},
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--datos"), QStringLiteral("12345679|7|F-1|10")},
       lote::kError, Q("aviso-lote: --datos: la orden \"12345679\" no es una de las órdenes del envío (12345678)")},
      // The shipment number takes letters, digits and the point only.
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--datos"), QStringLiteral("12345678|7-1|F-1|10")},
       lote::kError,
       Q("aviso-lote: --datos: \"7-1\" no se puede teclear en la columna \"NUM VORARIDO\" de la orden 12345678")},
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--detalle"), QStringLiteral("0101|1234567|1|")},
       lote::kError, Q("aviso-lote: --detalle: no hay un renglón de la tienda \"0101\" con el SKU \"1234567\"")},
      // The detail grid's change handler: more than ordered, an unknown kind of container.
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--detalle"), QStringLiteral("1234567890|1234567|30|")},
       lote::kRehusado, QString()},
      {inf, {orden, QStringLiteral("12345678"), QStringLiteral("--detalle"), QStringLiteral("1234567890|1234567||Z1")},
       lote::kRehusado, QString()},
      {datos(QStringLiteral("pedidos_tab.txt")), {orden, QStringLiteral("7700001"), orden, QStringLiteral("7700002")},
       lote::kError, Q("aviso-lote: importar: un archivo delimitado por tabuladores lleva una sola --orden")},
      {datos(QStringLiteral("pedidos_tab.txt")), {orden, QStringLiteral("7700009")}, lote::kError,
       Q("aviso-lote: --orden \"7700009\" no está en la lista de órdenes (7700001; 7700002)")},
  };
  for (const Caso& k : casos) {
    const Corrida c = importar(k.pedidos, k.mas);
    EXPECT_EQ(c.estado, k.estado) << str(k.mas) << "\n" << str(c.errores);
    ASSERT_FALSE(c.errores.isEmpty()) << str(k.mas);
    if (!k.ultimo.isEmpty()) EXPECT_EQ(c.errores.last(), k.ultimo) << str(k.mas);
    EXPECT_TRUE(intacto()) << str(k.mas);
  }
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("archtabs.tmp"))));
}

TEST_F(RechazoTest, ImportarSinPoderEscribirElTrabajo) {
  const Corrida c = correr({QStringLiteral("importar"), datos(QStringLiteral("un_pedido.inf")), QStringLiteral("--orden"),
                            QStringLiteral("12345678"), QStringLiteral("--tipo"), QStringLiteral("Alta"),
                            QStringLiteral("--trabajo"), en(QStringLiteral("no-hay/t.code"))});
  EXPECT_EQ(c.estado, lote::kError) << str(c.errores);
  ASSERT_FALSE(c.errores.isEmpty());
  EXPECT_TRUE(c.errores.last().startsWith(Q("DUDIZOD: Error inesperado #"))) << str(c.errores);
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("no-hay"))));
  // Arguments missing before anything runs.
  for (const QStringList& args :
       {QStringList{QStringLiteral("importar")},
        QStringList{QStringLiteral("importar"), datos(QStringLiteral("un_pedido.inf")), QStringLiteral("--orden"),
                    QStringLiteral("1")},
        QStringList{QStringLiteral("importar"), datos(QStringLiteral("un_pedido.inf")), QStringLiteral("--trabajo"),
                    salida()}}) {
    const Corrida r = correr(args);
    EXPECT_EQ(r.estado, lote::kError) << str(args);
    ASSERT_EQ(r.errores.size(), 1) << str(r.errores);
    EXPECT_TRUE(r.errores[0].startsWith(Q("aviso-lote: importar: falta "))) << str(r.errores);
  }
}

TEST_F(RechazoTest, GenerarRehusado) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const QString trabajo = datos(QStringLiteral("trabajo_un_pedido.code"));
  const QString entrega = QStringLiteral("--entrega"), hora = QStringLiteral("--hora");
  struct Caso {
    QStringList mas;
    int estado;
    QString ultimo;
  } casos[] = {
      {{entrega, QStringLiteral("12/12/2026"), hora, QStringLiteral("09:00")}, lote::kRehusado,
       Q("Aviso: No se pueden seleccionar Sábados y Domingos")},
      {{entrega, QStringLiteral("04/12/2026"), hora, QStringLiteral("09:00")}, lote::kRehusado,
       Q("aviso-lote: La fecha de entrega 04/12/2026 no se puede elegir: es anterior a hoy, 07/12/2026")},
      // The file command's first check.
      {{entrega, QStringLiteral("09/12/2026")}, lote::kRehusado, Q("ASN: Favor de seleccionar una hora de entrega")},
      // Delivery after the order's cancellation date: the picker says it, the file command refuses it.
      {{entrega, QStringLiteral("04/01/2027"), hora, QStringLiteral("09:00")}, lote::kRehusado,
       Q("DUDIZOD: La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 12345678")},
      {{entrega, QStringLiteral("9/12/26"), hora, QStringLiteral("09:00")}, lote::kError,
       Q("aviso-lote: --entrega \"9/12/26\" no es una fecha DD/MM/AAAA")},
      {{entrega, QStringLiteral("09/12/2026"), hora, QStringLiteral("16:00")}, lote::kError,
       Q("aviso-lote: --hora \"16:00\" no es una de las horas de entrega (07:00, 08:00, 09:00, 10:00, 11:00, 12:00, "
         "13:00, 14:00, 15:00)")},
  };
  for (const Caso& k : casos) {
    const Corrida c = generar(trabajo, k.mas);
    EXPECT_EQ(c.estado, k.estado) << str(k.mas) << "\n" << str(c.errores);
    ASSERT_FALSE(c.errores.isEmpty()) << str(k.mas);
    EXPECT_EQ(c.errores.last(), k.ultimo) << str(k.mas);
    EXPECT_TRUE(avisoIntacto()) << str(k.mas);
  }
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("arch.txt"))));
}

TEST_F(RechazoTest, GenerarSinDatosDelClienteNiArchivoDeTrabajo) {
  // No client data in this program folder: the window's message, and no dialog waits for an answer.
  Corrida c = generar(datos(QStringLiteral("trabajo_un_pedido.code")),
                      {QStringLiteral("--entrega"), QStringLiteral("09/12/2026"), QStringLiteral("--hora"),
                       QStringLiteral("09:00")});
  EXPECT_EQ(c.estado, lote::kRehusado) << str(c.errores);
  EXPECT_EQ(c.errores, QStringList{Q("Datos Incompletos: Falta el Número de Cliente")});
  EXPECT_TRUE(avisoIntacto());
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("info.cfg"))));

  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  // A work file that is not there, and one that is not a work file.
  c = generar(en(QStringLiteral("no-hay.code")), {QStringLiteral("--hora"), QStringLiteral("09:00")});
  EXPECT_EQ(c.estado, lote::kError) << str(c.errores);
  EXPECT_FALSE(c.errores.isEmpty());
  EXPECT_TRUE(avisoIntacto());
  const QString binario = en(QStringLiteral("binario.code"));
  escribirEn(binario, QByteArray("DUDIZOD3.0\0\x01\x02\r\n", 15));
  c = generar(binario, {QStringLiteral("--hora"), QStringLiteral("09:00")});
  EXPECT_EQ(c.estado, lote::kError) << str(c.errores);
  EXPECT_FALSE(c.errores.isEmpty());
  EXPECT_TRUE(avisoIntacto());
}

TEST_F(RechazoTest, ArchivosDePedidosQueNoSirvenSonUnError) {
  const QString binario = en(QStringLiteral("binario.inf")), vacio = en(QStringLiteral("vacio.inf")),
                encabezado = en(QStringLiteral("encabezado.txt"));
  escribirEn(binario, QByteArray("\0\x01\x02ORDEN,DEPTO\r\n", 15));
  escribirEn(vacio, QByteArray());
  escribirEn(encabezado, "ORDEN\tDEPTO\tFECHA\r\n");
  struct Caso {
    QString pedidos;
    QString ultimo;
  } casos[] = {
      {binario, Q("Datos incorrectos: El archivo: ") + binario +
                    Q(" no es un archivo de texto con órdenes de compra. / No se cargó ningún dato.")},
      {vacio, Q("Datos incorrectos: El archivo: ") + vacio + Q(" no contiene órdenes de compra")},
      {en(QStringLiteral("")), Q("Datos incorrectos: El archivo: ") + carpeta() + Q(" no se encuentra")},
      // The heading line only: the window stays locked on an empty order list.
      {encabezado, Q("aviso-lote: importar: el archivo ") + encabezado + Q(" no tiene órdenes de compra")},
  };
  for (const Caso& k : casos) {
    const Corrida c = importar(k.pedidos, {QStringLiteral("--orden"), QStringLiteral("1")});
    EXPECT_EQ(c.estado, lote::kError) << k.pedidos.toStdString() << "\n" << str(c.errores);
    ASSERT_FALSE(c.errores.isEmpty());
    EXPECT_EQ(c.errores.last(), k.ultimo);
    EXPECT_TRUE(intacto());
  }
}
