#pragma once
// The papers of the packing mode: the label of a container as it is closed,
// and the packing summary printed ahead of the packing list of what was
// packed. Made from the lines that have a container, without the checks of
// the file command: lines still waiting for the reader do not hold them up.
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include "documents/shipment_documents.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class QPagedPaintDevice;
class Workspace;

// The shipment of the packed lines (those of container `codigo` alone when
// one is given), as the notice would carry them.
Envio envioEmpacado(const Workspace& ws, const QString& codigo = QString());

// The label of one container: the labels' format, then the preview from
// which it is printed. Cancelled when either is closed.
Resultado etiquetaContenedor(Workspace& ws, const QString& codigo);

// The summary's lines on letter pages, then the packing list of what was packed.
bool pintarResumenEmpaque(const QStringList& resumen, const Envio& envio, QPagedPaintDevice& dispositivo);
extern const QString kTituloResumenEmpaque;  // "Resumen de empaque"
// The preview of that document.
Resultado imprimirResumenEmpaque(Workspace& ws);

// The summary as the window shows it; Imprimir closes it asking for the print.
class ResumenEmpaqueModelo : public DialogoModelo {
 public:
  QString forma() const override { return QStringLiteral("ResumenEmpaque"); }
  QStringList lineas;
  bool imprimir = false;
};
// Editar > "Ver resumen de empaque" (F11): the summary, printed on request.
Resultado resumenEmpaque_Click(Workspace& ws);
