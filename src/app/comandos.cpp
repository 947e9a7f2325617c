#include "app/comandos.h"

#include "workspace/workspace.h"

const QString kAvisoFabricante =
    QStringLiteral("© 2026 Dudizod Sistemas, S.A. de C.V. Todos los derechos reservados.");
const QString kSitioWeb = QStringLiteral("https://www.dudizod.com.mx");

void acerca_Click(Workspace& ws) {
  ws.EscribirLog(QStringLiteral("ENTRO AL EVENTO-----acerca_Click"));
  const QString aplicacion = QStringLiteral("  ") + kTituloVentana;
  // The About box of the system: its title names the application, its first
  // line is the application text; no icon of its own.
  Mensaje m;
  m.titulo = QStringLiteral("Acerca de ") + kTituloVentana;
  m.texto = aplicacion + QStringLiteral("\r\n\r\n") + kAvisoFabricante + QStringLiteral("\r\n") + kSitioWeb;
  m.icono = Icono::Ninguno;
  m.botones = Botones::Ok;
  ws.prompter.mostrar(m);
}

void ftp_Click(Workspace&) {}

void saliraplic_Click(Workspace& ws) { ws.EscribirLog(QStringLiteral("ENTRO AL EVENTO-----saliraplic_Click")); }

bool salir_Click(Workspace& ws, const std::function<void()>& guardar) {
  const QString entrada = QStringLiteral("ENTRO AL EVENTO-----salir_Click");
  ws.EscribirLog(entrada);
  if (ws.vaspread1.dataRowCount() == 0) return true;
  // Cancel is the default button (the prompter makes the harmless one the default).
  switch (ws.MsgBox(QStringLiteral("¿Desea guardar los cambios?"), Botones::SiNoCancelar, kTituloAplicacion)) {
    case Respuesta::Si:
      if (guardar) guardar();
      return false;
    case Respuesta::No:
      return true;
    default:
      // No file stays open between commands, so there is none to close here.
      ws.EscribirLog(entrada);
      return false;
  }
}
