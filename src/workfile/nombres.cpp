#include "workfile/nombres.h"

#include <QFileInfo>

#include "workspace/workspace.h"

QString nombreSugerido(const Workspace& ws, const QString& extension) {
  if (ws.archivoTrabajo.isEmpty() || extension.isEmpty()) return QString();
  const QFileInfo trabajo(ws.archivoTrabajo);
  if (extension == ws.vaSpread2.text(colAjustes::Valor, filaCliente::Aplicacion)) return trabajo.fileName();
  return trabajo.completeBaseName() + QLatin1Char('.') + extension;
}
