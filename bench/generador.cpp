#include "generador.h"

#include "consolidation/form2.h"
#include "editing/container_kinds.h"
#include "empaque/empaque.h"
#include "workspace/textfile.h"
#include "workspace/workspace.h"

namespace banco {

namespace {
const char* const kColores[] = {"ROJO", "AZUL", "VERDE", "NEGRO", "BLANCO", "GRIS", "CAFE", "ROSA"};
const char* const kTallas[] = {"CH", "M", "G", "EG", "26", "28", "30", "32", "34"};
// Kinds of one area (boxes), so that the orders may travel together.
const char kLetras[] = {'A', 'B', 'C', 'D', 'E', 'I', 'S', 'V'};

QString cero(int v, int ancho) { return QStringLiteral("%1").arg(v, ancho, 10, QLatin1Char('0')); }

// Line i of n: order, and inside the order store and SKU.
struct Posicion {
  int orden, tienda, sku, j;
};
Posicion posicion(int i, int n) {
  const int porOrden = qMax(1, n / kOrdenes);
  const int o = qMin(i / porOrden, kOrdenes - 1);
  const int j = i - o * porOrden;
  return {o, j % kTiendas, 100000 + o * 1000 + j / kTiendas, j};
}

QByteArray unir(const QStringList& cabecera, int n, QChar sep) {
  QStringList lineas;
  lineas.reserve(n + 1);
  lineas.append(cabecera.join(sep));
  for (int i = 0; i < n; ++i) lineas.append(camposLinea(i, n).join(sep));
  return texto::unirLineas(lineas);
}

const QStringList kCabecera{
    QStringLiteral("ORDEN"), QStringLiteral("DEPTO"), QStringLiteral("FECHA EMBARQUE"),
    QStringLiteral("FECHA CANCELACION"), QStringLiteral("TIENDA"), QStringLiteral("SKU"),
    QStringLiteral("MODELO"), QStringLiteral("UPC"), QStringLiteral("COLOR"), QStringLiteral("TALLA"),
    QStringLiteral("CANTIDAD"), QStringLiteral("COSTO"), QStringLiteral("PRECIO"), QStringLiteral("TIPO"),
    QStringLiteral("CONTENEDOR")};
}  // namespace

QString numeroOrden(int o) { return QStringLiteral("45000") + cero(o + 1, 5); }

QString contenedor(int tienda, int caja) {
  // Even stores get ten characters, odd ones nine.
  const QChar letra = QLatin1Char(kLetras[tienda % 8]);
  return letra + cero(tienda + 1, 4) + cero(caja, tienda % 2 == 0 ? 5 : 4);
}

QStringList camposLinea(int i, int n) {
  const Posicion p = posicion(i, n);
  const QString sku = QString::number(p.sku);
  return {numeroOrden(p.orden),
          QStringLiteral("123"),
          QStringLiteral("01/12/26"),
          QStringLiteral("31/12/26"),
          cero(p.tienda + 1, 4),
          sku,
          QStringLiteral("MOD-") + sku,
          QStringLiteral("750") + cero(p.sku, 10),
          QString::fromLatin1(kColores[p.sku % 8]),
          QString::fromLatin1(kTallas[(p.sku / 3) % 9]),
          QString::number(1 + p.j % 12),
          QStringLiteral("45.50"),
          QStringLiteral("99.90"),
          QString(),
          QString()};
}

QByteArray archivoInf(int n) { return unir(kCabecera, n, QLatin1Char(',')); }
QByteArray archivoTab(int n) { return unir(kCabecera, n - 1, QLatin1Char('\t')); }

QStringList entradasForm2() {
  QStringList e;
  for (int o = 0; o < kOrdenes; ++o) e.append(Form2Modelo::textoEntrada(numeroOrden(o), QStringLiteral("123")));
  return e;
}

Respuesta PrompterBanco::mostrar(const Mensaje& m) {
  mensajes.append(m.texto);
  switch (m.botones) {
    case Botones::SiNo:
    case Botones::SiNoCancelar:
      return Respuesta::Si;
    case Botones::OkCancelar:
    case Botones::Ok:
      return Respuesta::Ok;
  }
  return Respuesta::Ok;
}

QString PrompterBanco::abrirArchivo(const DialogoArchivo&) {
  if (abrir.empty()) return QString();
  QString r = abrir.front();
  abrir.pop_front();
  return r;
}

QString PrompterBanco::guardarArchivo(const DialogoArchivo&) {
  if (guardar.empty()) return QString();
  QString r = guardar.front();
  guardar.pop_front();
  return r;
}

void PrompterBanco::ejecutarDialogo(DialogoModelo& modelo) {
  if (auto* t = dynamic_cast<TiendaEmpaqueModelo*>(&modelo)) {
    if (!t->tiendas.isEmpty()) t->aceptar(t->tiendas.first());
    return;
  }
  auto* f = dynamic_cast<Form2Modelo*>(&modelo);
  if (!f) return;
  for (const QString& e : elegir)
    if (f->seleccionarList1(e)) f->Command1_Click();
  f->Command2_Click();
}

QDateTime momento() { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); }

void ponerEnvio(Workspace& ws, int n) {
  ws.vaSpread2.setText(2, 1, QStringLiteral("006"));
  ws.vaSpread2.setText(3, 1, QStringLiteral("Aviso de Vorarido de Tornavela"));
  ws.vaSpread2.setText(2, 2, QStringLiteral("1234"));
  ws.vaSpread2.setText(2, 14, QStringLiteral("45678"));
  ws.vaSpread2.setText(2, 16, QStringLiteral("ABCD010101-AB1"));

  ws.vaSpread9.deleteAllRows();
  for (int o = 0; o < kOrdenes; ++o)
    ws.vaSpread9.setRowTexts(o + 1, {numeroOrden(o), QStringLiteral("Pedido Múltiple"), QString::number(700 + o),
                                     QStringLiteral("F-") + QString::number(1000 + o), QStringLiteral("1500.50"),
                                     QStringLiteral("123"), QStringLiteral("07/12/2026"),
                                     QStringLiteral("31/12/2026")});

  ws.vaspread1.deleteAllRows();
  ws.vaSpread6.deleteAllRows();
  ws.vaspread1.setColLimit(16);
  for (int i = 0; i < n; ++i) {
    QStringList c = camposLinea(i, n);
    const int tienda = c[4].toInt() - 1;
    const int j = i - posicion(i, n).orden * qMax(1, n / kOrdenes);
    const QString cont = contenedor(tienda, j / (kTiendas * 4));
    c[13] = descripcionContenedor(cont);
    c[14] = cont;
    ws.vaSpread6.setRowTexts(i + 1, c);
    c.append(c[10]);  // ordered quantity
    ws.vaspread1.setRowTexts(i + 1, c);
  }

  ws.DTPicker1_4 = QDate(2026, 12, 9);
  ws.Text1[4] = QStringLiteral("09/12/2026");
  ws.Combo3.texto = QStringLiteral("09:00");
  ws.Combo3.indice = static_cast<int>(ws.Combo3.entradas.indexOf(ws.Combo3.texto));
}

}  // namespace banco
