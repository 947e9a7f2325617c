#include "documents/shipment_documents.h"

#include <QBuffer>
#include <QHash>
#include <QLocale>
#include <QPdfWriter>
#include <algorithm>

#include "notice/envio_actual.h"
#include "notice/line_checks.h"
#include "notice/validation.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

namespace {

Resultado sinLineas(Workspace& ws, Comando& cmd) {
  ws.MsgBox(QStringLiteral("No hay información para generar el documento"), Botones::Ok, QStringLiteral("Aviso"),
            Icono::Informacion);
  return cmd.fin(Resultado::Rechazado);
}

}  // namespace

Resultado armarEnvio(Workspace& ws, Envio& envio) {
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----armarEnvio"), QStringLiteral("TERMINO LA FUNCION-----armarEnvio"),
              Comando::Salida::AlHacerse);
  envio = Envio();
  if (ws.vaspread1.dataRowCount() == 0) return sinLineas(ws, cmd);
  {
    // Each pass over every line lets the window paint before the next one.
    const RevisionDetalle::Primera falla = RevisionDetalle(ws.vaspread1, ws.vaSpread9).primeraFalla();
    if (falla.fila != 0) {
      avisarFalla(ws, falla.fila, falla.falla);
      return cmd.fin(Resultado::Rechazado);
    }
    ws.doEvents();
    if (const int fila = filaSumaGrande(ws.vaspread1)) {
      avisarFalla(ws, fila, FallaLinea::SumaGrande);
      return cmd.fin(Resultado::Rechazado);
    }
  }
  cmd.ocupado(true);
  ws.doEvents();
  envio = envioDe(ws);
  if (envio.contenedores.empty()) return sinLineas(ws, cmd);
  return cmd.fin(Resultado::Hecho);
}

texto::Resultado guardarPdf(const QString& ruta, const QString& titulo,
                            const std::function<bool(QPagedPaintDevice&)>& pintar) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(titulo);
    pdf.setCreator(kTituloVentana);
    if (!pintar(pdf)) return texto::Resultado::falla(5, QStringLiteral("No se pudo dibujar el documento: ") + ruta);
  }
  return texto::escribirArchivo(ruta, bytes);
}

namespace documento {

QString fecha(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

QString entrega(const Envio& e) {
  QString t = e.entrega.isValid() ? fecha(e.entrega) : QString();
  if (!e.hora.isEmpty()) t += (t.isEmpty() ? QString() : QStringLiteral(" ")) + e.hora;
  return t;
}

QString numero(qint64 n) {
  static const QLocale us(QLocale::English, QLocale::UnitedStates);
  return us.toString(n);
}

}  // namespace documento
