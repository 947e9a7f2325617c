#include "app/comandos.h"

#include "workspace/workspace.h"

const QString kAvisoFabricante =
    QStringLiteral("© 2026 Dudizod Sistemas, S.A. de C.V. Todos los derechos reservados.");
const QString kSitioWeb = QStringLiteral("https://www.dudizod.com.mx");

Resultado acerca_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----acerca_Click"));
  const QString aplicacion = QStringLiteral("  ") + kTituloVentana;
  // The About box of the system: its title names the application, its first
  // line is the application text; no icon of its own.
  Mensaje m;
  m.titulo = QStringLiteral("Acerca de ") + kTituloVentana;
  m.texto = aplicacion + QStringLiteral("\r\n\r\n") + kAvisoFabricante + QStringLiteral("\r\n") + kSitioWeb;
  m.icono = Icono::Ninguno;
  m.botones = Botones::Ok;
  ws.prompter.mostrar(m);
  return cmd.fin(Resultado::Hecho);
}

Resultado saliraplic_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----saliraplic_Click"));
  return cmd.fin(Resultado::Hecho);
}

Resultado salir_Click(Workspace& ws, const std::function<Resultado()>& guardar, bool& terminar) {
  const QString entrada = QStringLiteral("ENTRO AL EVENTO-----salir_Click");
  Comando cmd(ws, entrada);
  terminar = false;
  if (ws.vaspread1.dataRowCount() == 0) {
    terminar = true;
    return cmd.fin(Resultado::Hecho);
  }
  // Cancel is the default button (the prompter makes the harmless one the default).
  switch (ws.MsgBox(QStringLiteral("¿Desea guardar los cambios?"), Botones::SiNoCancelar, kTituloAplicacion)) {
    case Respuesta::Si:
      return cmd.fin(guardar ? guardar() : Resultado::Cancelado);
    case Respuesta::No:
      terminar = true;
      return cmd.fin(Resultado::Hecho);
    default:
      // No file stays open between commands, so there is none to close here.
      ws.EscribirLog(entrada);
      return cmd.fin(Resultado::Cancelado);
  }
}
