#include "documents/notice_review.h"

#include <QFileInfo>

#include "documents/notice_check.h"
#include "workspace/comando.h"
#include "workspace/textfile.h"
#include "workspace/workspace.h"

namespace {

const QString kTitulo = QStringLiteral("Revisar aviso");

}  // namespace

bool RevisionAvisoModelo::compararConTrabajo(Prompter& p, const QString& carpetaInicial) {
  DialogoArchivo d;
  d.titulo = QStringLiteral("Archivo de trabajo con que se compara el aviso");
  d.filtro = QStringLiteral("Archivos de trabajo|*.*");
  d.carpetaInicial = trabajo.isEmpty() ? carpetaInicial : QFileInfo(trabajo).absolutePath();
  const QString elegido = p.abrirArchivo(d);
  if (texto::dialogoCancelado(elegido)) return false;
  Revision r = revisarAviso(ruta, elegido);
  if (!r.error.isEmpty()) {
    p.mostrar({r.error, kTitulo, Icono::Critico, Botones::Ok});
    return false;
  }
  trabajo = elegido;
  aviso = std::move(r.aviso);
  return true;
}

Resultado revisaraviso_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----revisaraviso_Click"),
              QStringLiteral("TERMINO EL EVENTO-----revisaraviso_Click"));
  DialogoArchivo d;
  d.titulo = kTitulo;
  d.filtro = QStringLiteral("Avisos|*.txt|Todos los archivos|*.*");
  d.carpetaInicial = ws.ultimoAviso.isEmpty() ? ws.carpeta : QFileInfo(ws.ultimoAviso).absolutePath();
  d.nombre = ws.ultimoAviso.isEmpty() ? QStringLiteral("*.txt") : QFileInfo(ws.ultimoAviso).fileName();
  const QString ruta = ws.prompter.abrirArchivo(d);
  if (texto::dialogoCancelado(ruta)) return cmd.fin(Resultado::Cancelado);
  Revision r = revisarAviso(ruta);
  if (!r.error.isEmpty()) {
    ws.MsgBox(r.error, Botones::Ok, kTitulo, Icono::Critico);
    return cmd.fin(Resultado::Fallido);
  }
  RevisionAvisoModelo modelo;
  modelo.ruta = ruta;
  modelo.aviso = std::move(r.aviso);
  ws.prompter.ejecutarDialogo(modelo);
  return cmd.fin(Resultado::Hecho);
}
