#include "envio/lectura.h"

QString Falla::texto() const {
  QString que;
  switch (tipo) {
    case Tipo::Ninguna: return {};
    case Tipo::NoEsTexto: que = QStringLiteral("no es texto"); break;
    case Tipo::SinLineas: que = QStringLiteral("no tiene renglones"); break;
    case Tipo::RenglonCortado: que = QStringLiteral("renglón cortado, le faltan campos"); break;
    case Tipo::TrabajoIncompleto: que = QStringLiteral("archivo de trabajo incompleto, le falta su parte final"); break;
  }
  QString donde;
  if (linea > 0) donde = QStringLiteral("línea %1").arg(linea);
  if (campo > 0) donde += QStringLiteral(", campo %1").arg(campo);
  return donde.isEmpty() ? que : donde + QStringLiteral(": ") + que;
}
