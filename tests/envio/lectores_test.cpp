// The pure readers and writers, golden: every folder of casos/ holds one
// input (entrada.inf, entrada.txt, entrada.code or entrada.aviso), what its
// reader gives written out (leido) and, where a writer exists, the exact
// bytes it writes back (escrito). AVISO_REGENERAR=1 writes leido and escrito
// anew for review.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "envio/aviso.h"
#include "envio/pedidos.h"
#include "envio/trabajo.h"

namespace {

QByteArray leerArchivo(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString seccion(const QString& nombre, const QStringList& lineas) {
  return QStringLiteral("[") + nombre + QStringLiteral("]\n") + (lineas.isEmpty() ? QString() : lineas.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// The shipment side of a reader, one field a line, so a changed field shows.
QString lineasEnvio(const std::vector<Linea>& lineas) {
  QString out;
  for (const Linea& l : lineas)
    out += QStringLiteral("%1 | %2 | %3 | %4 | %5 piezas=%6%7\n")
               .arg(l.orden, l.tienda, l.sku, l.contenedor, l.cantidad)
               .arg(l.piezas())
               .arg(l.piezasEsNumero() ? QString() : QStringLiteral(" (no es número)"));
  return out;
}

struct Salida {
  QString leido;
  QByteArray escrito;  // empty: the reader has no writer
};

Salida pedidos(const QByteArray& bytes, char separador) {
  const ArchivoPedidos a = leerPedidos(bytes, separador);
  if (a.falla) return {QStringLiteral("falla: ") + a.falla.texto() + QLatin1Char('\n'), {}};
  return {seccion(QStringLiteral("lineas"), a.lineas) + QStringLiteral("[pedidos]\n") + lineasEnvio(a.pedidos()), {}};
}

Salida trabajoLeido(const QByteArray& bytes) {
  const ArchivoTrabajo a = leerTrabajo(bytes);
  if (a.falla) return {QStringLiteral("falla: ") + a.falla.texto() + QLatin1Char('\n'), {}};
  Salida s;
  s.leido = QStringLiteral("ultima %1, columnas %2, trailer %3\n").arg(a.ultima).arg(a.columnas).arg(a.trailer) +
            seccion(QStringLiteral("encabezado"), a.encabezado) + seccion(QStringLiteral("detalle"), a.detalle) +
            seccion(QStringLiteral("ordenes"), a.ordenes) + QStringLiteral("[campos]\n") +
            a.campos().join(QStringLiteral(" | ")) + QStringLiteral("\n[lineas]\n") + lineasEnvio(a.lineas()) +
            QStringLiteral("[pedidos]\n");
  for (const Orden& o : a.pedidos()) s.leido += o.celdas().join(QStringLiteral(" | ")) + QLatin1Char('\n');
  // Written back from what was read: the image (header, detail, trailer), then the orders.
  QBuffer d(&s.escrito);
  d.open(QIODevice::WriteOnly);
  EXPECT_TRUE(escribirTrabajo(a.encabezado + a.detalle + QStringList{trabajo::kFirma}, a.ordenes, d).ok);
  return s;
}

Salida avisoLeido(const QByteArray& bytes) {
  AvisoLeido a = leerAviso(bytes);
  Salida s;
  s.leido = QStringLiteral("%1 líneas, %2 pedidos, %3 contenedores, %4 detalles, %5 centésimos\n")
                .arg(a.numeroLineas)
                .arg(a.pedidos.size())
                .arg(a.contenedores())
                .arg(a.lineasDetalle())
                .arg(a.centesimos());
  for (const PedidoLeido& p : a.pedidos) {
    s.leido += QStringLiteral("HD línea %1: %2\n").arg(p.hd.linea).arg(p.hd.texto(registro::hd::kPedido));
    for (const ContenedorLeido& c : p.contenedores)
      s.leido += QStringLiteral("  CN línea %1: %2, %3 detalles, %4 centésimos\n")
                     .arg(c.cn.linea)
                     .arg(c.cn.texto(registro::cn::kContenedor))
                     .arg(c.detalles.size())
                     .arg(c.centesimos());
  }
  for (const Hallazgo& h : a.hallazgos)
    s.leido += QStringLiteral("%1 %2:%3 %4\n").arg(h.falta ? QStringLiteral("falta") : QStringLiteral("advertencia")).arg(h.linea).arg(h.columna).arg(h.texto);
  // Every line read is one record written back.
  std::vector<QStringList> registros;
  for (const QString& l : a.lineas) registros.push_back({l});
  QBuffer d(&s.escrito);
  d.open(QIODevice::WriteOnly);
  EXPECT_TRUE(escribirAviso(registros, d).ok);
  return s;
}

Salida leer(const QFileInfo& entrada) {
  const QByteArray bytes = leerArchivo(entrada.filePath());
  const QString ext = entrada.suffix();
  if (ext == QStringLiteral("inf")) return pedidos(bytes, ',');
  if (ext == QStringLiteral("txt")) return pedidos(bytes, '\t');
  if (ext == QStringLiteral("code")) return trabajoLeido(bytes);
  return avisoLeido(bytes);
}

void comparar(const QString& ruta, const QByteArray& obtenido) {
  if (qEnvironmentVariableIsSet("AVISO_REGENERAR")) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(obtenido);
    return;
  }
  ASSERT_TRUE(QFile::exists(ruta)) << ruta.toStdString();
  EXPECT_EQ(leerArchivo(ruta), obtenido) << ruta.toStdString();
}

}  // namespace

TEST(LectoresPuros, CadaCasoDaLoEsperadoByteAByte) {
  const QDir casos(QStringLiteral(AVISO_CASOS_ENVIO));
  const QStringList nombres = casos.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_GE(nombres.size(), 10);
  for (const QString& nombre : nombres) {
    SCOPED_TRACE(nombre.toStdString());
    const QDir caso(casos.filePath(nombre));
    const QFileInfoList entradas = caso.entryInfoList({QStringLiteral("entrada.*")}, QDir::Files);
    ASSERT_EQ(entradas.size(), 1);
    const Salida s = leer(entradas[0]);
    comparar(caso.filePath(QStringLiteral("leido")), s.leido.toUtf8());
    if (!s.escrito.isEmpty()) comparar(caso.filePath(QStringLiteral("escrito")), s.escrito);
  }
}
