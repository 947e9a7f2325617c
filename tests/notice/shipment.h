#pragma once
// A small shipment laid into a workspace: client settings, the per-order
// header table and detail lines, the delivery date and hour.
#include <QStringList>

#include "envio/envio.h"
#include "fixture.h"

// A line and an order of the sample shipment; tests change the fields they need.
inline Linea lineaDePrueba() {
  return Linea::deCeldas({QStringLiteral("12345678"), QStringLiteral("123"), QStringLiteral("01/12/26"),
                          QStringLiteral("31/12/26"), QStringLiteral("1234567890"), QStringLiteral("1234567"),
                          QStringLiteral("AB-12"), QStringLiteral("750100000001"), QStringLiteral("AZUL"),
                          QStringLiteral("M"), QStringLiteral("24"), QStringLiteral("10.5"), QStringLiteral("20"),
                          QStringLiteral("Cajas - azules"), QStringLiteral("A123456789"), QStringLiteral("100")});
}

inline Orden ordenDePrueba() {
  return Orden::deCeldas({QStringLiteral("12345678"), QStringLiteral("Alta"), QStringLiteral("7"),
                          QStringLiteral("F-100"), QStringLiteral("1500.5"), QStringLiteral("123"),
                          QStringLiteral("07/12/2026"), QStringLiteral("31/12/2026")});
}

inline void ponerCliente(Workspace& ws, const QString& cliente = QStringLiteral("1234"),
                         const QString& proveedor = QStringLiteral("45678"),
                         const QString& rfc = QStringLiteral("ABCD010101-AB1")) {
  ws.vaSpread2.setText(2, 1, QStringLiteral("006"));
  ws.vaSpread2.setText(3, 1, QStringLiteral("Aviso de Vorarido de Tornavela"));
  ws.vaSpread2.setText(2, 2, cliente);
  ws.vaSpread2.setText(2, 14, proveedor);
  ws.vaSpread2.setText(2, 16, rfc);
}

inline void ponerOrdenes(Workspace& ws, const std::vector<Orden>& ordenes) {
  ws.vaSpread9.deleteAllRows();
  int i = 0;
  for (const Orden& o : ordenes) ws.vaSpread9.setRowTexts(++i, o.celdas());
}

// The lines go into vaspread1 and, row for row, into vaSpread6 (15 columns).
inline void ponerLineas(Workspace& ws, const std::vector<Linea>& lineas) {
  ws.vaspread1.deleteAllRows();
  ws.vaSpread6.deleteAllRows();
  int r = 0;
  for (const Linea& l : lineas) {
    ++r;
    ws.vaspread1.setRowTexts(r, l.celdas());
    ws.vaSpread6.setRowTexts(r, l.celdas().mid(0, 15));
  }
}

inline void ponerEntrega(Workspace& ws, const QDate& fecha = QDate(2026, 12, 9),
                         const QString& hora = QStringLiteral("09:00")) {
  ws.DTPicker1_4 = fecha;
  ws.Text1[4] = QStringLiteral("%1/%2/%3")
                    .arg(fecha.day(), 2, 10, QLatin1Char('0'))
                    .arg(fecha.month(), 2, 10, QLatin1Char('0'))
                    .arg(fecha.year());
  ws.Combo3.texto = hora;
  ws.Combo3.indice = static_cast<int>(ws.Combo3.entradas.indexOf(hora));
}

// The worked example: one order, two lines in one container.
inline void ejemplo(Workspace& ws) {
  ponerCliente(ws);
  ponerOrdenes(ws, {ordenDePrueba()});
  const Linea a = lineaDePrueba();
  Linea b = lineaDePrueba();
  b.sku = QStringLiteral("1234568");
  b.modelo = QStringLiteral("CD.34");
  b.upc = QStringLiteral("7501000000025");
  b.color = QStringLiteral("ROJO");
  b.talla = QStringLiteral("G");
  b.cantidad = QStringLiteral("6");
  ponerLineas(ws, {a, b});
  ponerEntrega(ws);
}
