#include "startup/startup.h"

#include <QFileInfo>

#include "client/conexion_ajustes.h"
#include "client/scrambling.h"
#include "workspace/workspace.h"

namespace {

const QString kEntrada = QStringLiteral("ENTRO AL EVENTO-----Form_Load");

// A settings table that cannot be read is reported once and the designed
// values are used; the file itself is left for the user to look at.
void avisarDanado(Workspace& ws, const QString& archivo, const QString& detalle) {
  ws.MsgBox(QStringLiteral("No se pudo leer el archivo de configuración ") + archivo +
                QStringLiteral(" (") + detalle + QStringLiteral(").\r\nSe usarán los valores por omisión."),
            Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Exclamacion);
}

bool iniValido(const Grid& g) {
  return g.dataRowCount() >= filaAplicacion::Forma &&
         g.text(colAjustes::Clave, filaAplicacion::Aplicacion) == QStringLiteral("Aplicación:") &&
         g.text(colAjustes::Clave, filaAplicacion::FtpHost) == QStringLiteral("--->") &&
         g.text(colAjustes::Clave, filaAplicacion::Forma) == QStringLiteral("Forma");
}

// Step 6: dudizod.ini read (address unscrambled) or written with the defaults.
void cargarAplicacion(Workspace& ws) {
  const QString ini = ws.ruta(QStringLiteral("dudizod.ini"));
  QString direccion;
  if (QFileInfo::exists(ini)) {
    ws.EscribirLog(kEntrada + QStringLiteral("-----carga los valores del archivo de configuración para la aplicación y el host"));
    Grid leido(QStringLiteral("dudizod.ini"), Grid::kLimiteRenglones, 3);
    const texto::Resultado r = leido.loadTabText(ini);
    if (r.ok && iniValido(leido)) {
      for (int f = 1; f <= leido.dataRowCount(); ++f) ws.vaSpread4.setRowTexts(f, leido.rowTexts(f));
      direccion = DeCode(ws.vaSpread4.text(colAjustes::Valor, filaAplicacion::FtpHost));
    } else {
      avisarDanado(ws, QStringLiteral("dudizod.ini"), r.ok ? QStringLiteral("contenido no válido") : r.descripcion);
      direccion = ws.vaSpread4.text(colAjustes::Valor, filaAplicacion::FtpHost);  // the designed default
    }
  } else {
    ws.EscribirLog(kEntrada + QStringLiteral("-----Gernera el archivo dudizod.ini por defecto"));
    ws.vaSpread4.setText(colAjustes::Clave, filaAplicacion::FtpHost, QStringLiteral("--->"));
    direccion = ws.vaSpread4.text(colAjustes::Valor, filaAplicacion::FtpHost);
    ws.vaSpread4.setText(colAjustes::Valor, filaAplicacion::FtpHost, EnCode(ws, direccion));
    const texto::Resultado r = ws.vaSpread4.saveTabText(ini);
    if (!r.ok) ws.errorInesperado(r);
  }
  ws.vaSpread4.setText(colAjustes::Valor, filaAplicacion::FtpHost, direccion);
}

}  // namespace

void Form_Load(Workspace& ws) {
  // The window's loading is no command: nothing in it is undone.
  const Evento evento(ws, kEntrada, QStringLiteral("TERMINO EL EVENTO-----Form_Load"));
  ws.sinvalidar = false;
  for (const char* c : {"Combo2", "Text2", "b_cut", "b_copy", "b_paste", "b_separar", "editar"})
    ws.habilitar(QString::fromLatin1(c), false);
  for (Grid* g : {&ws.vaspread1, &ws.vaSpread2, &ws.vaSpread3, &ws.vaSpread4, &ws.vaSpread5, &ws.vaSpread6, &ws.vaSpread7})
    g->setRowLimit(Grid::kLimiteRenglones);
  ws.DTPicker1_4_minimo = ws.reloj.hoy();

  ws.EscribirLog(kEntrada + QStringLiteral("-----verifica si existe el archivo de configuración"));
  const QString cfg = ws.ruta(QStringLiteral("info.cfg"));
  if (QFileInfo::exists(cfg)) {
    ws.EscribirLog(kEntrada + QStringLiteral("-----carga los valores guardados en el archivo de configuración"));
    // Read into a scratch table first: a damaged file leaves the designed content.
    Grid leido(QStringLiteral("info.cfg"), Grid::kLimiteRenglones, 3);
    const texto::Resultado r = leido.loadSheet(cfg);
    if (r.ok) {
      ws.vaSpread2.loadSheetBytes(leido.sheetBytes());
    } else {
      avisarDanado(ws, QStringLiteral("info.cfg"), r.descripcion);
    }
  }

  cargarAplicacion(ws);

  ws.EscribirLog(kEntrada + QStringLiteral("-----establece los valores de vaspread2 con los datos del vaspread4 (dudizod.ini)"));
  using namespace colAjustes;
  ws.vaSpread2.setText(Valor, filaCliente::Aplicacion, ws.vaSpread4.text(Valor, filaAplicacion::Aplicacion));
  ws.vaSpread2.setText(Descripcion, filaCliente::Aplicacion, ws.vaSpread4.text(Descripcion, filaAplicacion::Aplicacion));
  ws.vaSpread2.setText(Valor, filaCliente::FtpHost, ws.vaSpread4.text(Valor, filaAplicacion::FtpHost));
  ws.vaSpread2.setText(Valor, filaCliente::Forma, ws.vaSpread4.text(Valor, filaAplicacion::Forma));
  // Passwords an older info.cfg kept in clear leave it now, the server's
  // address known.
  moverClavesViejas(ws);

  // Step 8, the FolderUpdate.avi animation, is decorative: the window plays it
  // when it is there and goes on without it.

  ws.EscribirLog(kEntrada + QStringLiteral("-----poner la fecha actual en el control DTPicker1(4)"));
  ws.DTPicker1_4 = ws.reloj.hoy();
  ws.Text1[1] = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  ws.Text1[4] = ws.DTPicker1_4.toString(QStringLiteral("dd/MM/yyyy"));
}

void Form_Paint(Workspace& ws) {
  const Evento evento(ws, QStringLiteral("ENTRO AL EVENTO-----Form_Paint"), QStringLiteral("TERMINO EL EVENTO-----Form_Paint"));
}
