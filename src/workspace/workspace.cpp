#include "workspace/workspace.h"

#include <QElapsedTimer>

const QString kTituloAplicacion = QStringLiteral("DUDIZOD");
const QString kTituloVentana = QStringLiteral("AVISO DE VORARIDO ver 9.4");
const QString kDireccionFtpOmision = QStringLiteral("ftp.asn.tornavela.com.mx");
const QString kCorreoSoporte = QStringLiteral("soporte@dudizod.com.mx");

Workspace::Workspace(QString carpetaPrograma, Prompter& p, const Reloj& r)
    : carpeta(std::move(carpetaPrograma)), prompter(p), reloj(r), log(carpeta, reloj, prompter) {
  disenoInicial(*this);
}

bool Workspace::habilitado(const QString& control) const {
  auto it = controles.find(control);
  return it == controles.end() || it->second.habilitado;
}

Respuesta Workspace::MsgBox(const QString& texto, Botones botones, const QString& titulo, Icono icono) {
  if (alCambiar) alCambiar();
  return prompter.mostrar({texto, titulo.isEmpty() ? kTituloAplicacion : titulo, icono, botones});
}

void Workspace::errorInesperado(int numero, const QString& descripcion) {
  const QString n = numero >= 0 ? QStringLiteral(" ") + QString::number(numero) : QString::number(numero);
  const QString texto = QStringLiteral("Error inesperado #") + n + QStringLiteral("\r\n") + descripcion;
  ocupado(false);
  MsgBox(texto, Botones::Ok, QString(), Icono::Critico);
  EscribirLog(texto);
}

bool Workspace::cabeEnLimite(const Grid& grid, int renglones) {
  if (grid.cabe(renglones)) return true;
  MsgBox(QStringLiteral("No se puede continuar: se necesitan %1 renglones y el límite es de %2 renglones.\r\n"
                        "No se cambió ningún dato.")
             .arg(renglones)
             .arg(grid.rowLimit()),
         Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Critico);
  return false;
}

void Workspace::doEvents() {
  static QElapsedTimer reloj;
  if (!reloj.isValid()) reloj.start();
  const qint64 t = reloj.elapsed();
  if (t - ultimoDoEvents_ < pausaDoEvents) return;
  ultimoDoEvents_ = t;
  prompter.procesarEventos();
}

void disenoInicial(Workspace& ws) {
  ws.vaspread1.setHeaderTexts({QStringLiteral("ORDEN DE COMPRA"), QStringLiteral("DEPTO."),
                               QStringLiteral("FECHA DE VORARIDO (DD/MM/YY)"),
                               QStringLiteral("FECHA DE CANCELACION (DD/MM/YY)"), QStringLiteral("LUGAR-TIENDA"),
                               QStringLiteral("SKU"), QStringLiteral("MODELO"), QStringLiteral("UPC/EAN"),
                               QStringLiteral("COLOR"), QStringLiteral("TALLA"), QStringLiteral("CANTIDAD"),
                               QStringLiteral("COSTO"), QStringLiteral("PRECIO DE VENTA"),
                               QStringLiteral("TIPO DE ENTREGA"), QStringLiteral("CONTENEDOR")});
  QStringList h1;
  for (int c = 1; c <= colDetalle::Almacen; ++c) h1.append(ws.vaspread1.headerText(c));
  ws.vaSpread6.setHeaderTexts(h1);
  ws.vaSpread9.setHeaderTexts({QStringLiteral("O.C."), QStringLiteral("TIPO MOV"), QStringLiteral("NUM VORARIDO"),
                               QStringLiteral("FACTURA/REMISION"), QStringLiteral("IMPORTE TOTAL"),
                               QStringLiteral("DEPTO"), QStringLiteral("FECHA VORARIDO"),
                               QStringLiteral("FECHA CANCELACION")});
  ws.vaSpread2.setHeaderTexts({QStringLiteral("Clave"), QStringLiteral("Valor")});
  const std::pair<int, const char*> etiquetas[] = {
      {filaCliente::Aplicacion, "Aplicación:"}, {filaCliente::Cliente, "Cliente:"},          {3, "Nombre de Usuario:"},
      {4, "Contraseña:"},          {5, "Recordar Contraseña:"}, {6, "Usar Firewall:"},
      {7, "Tipo de Firewall:"},    {8, "host de Firewall:"},  {9, "Puerto de Firewall:"},
      {10, "Usuario Firewall:"},   {11, "Contraseña Firewall:"}, {filaCliente::FtpHost, "Ftp Host"},
      {filaCliente::Proveedor, "Numerodeproveedor:"}, {filaCliente::Timeout, "timeout"}};
  for (const auto& [fila, texto] : etiquetas) ws.vaSpread2.setText(colAjustes::Clave, fila, QString::fromUtf8(texto));
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Timeout, QStringLiteral("0"));
  ws.vaSpread4.setHeaderTexts({QStringLiteral("Clave"), QStringLiteral("Valor"), QStringLiteral("Descripción")});
  ws.vaSpread4.setRowTexts(filaAplicacion::Aplicacion, {QStringLiteral("Aplicación:"), QStringLiteral("006"),
                               QStringLiteral("Aviso de Vorarido de Tornavela")});
  ws.vaSpread4.setRowTexts(filaAplicacion::FtpHost, {QStringLiteral("Ftp host:"), kDireccionFtpOmision});
  ws.vaSpread4.setRowTexts(filaAplicacion::Forma, {QStringLiteral("Forma"), QStringLiteral("06")});

  ws.Combo1.vaciar();
  ws.Combo1.agregar(QStringLiteral("Alta"), 1);
  ws.Combo1.agregar(QStringLiteral("Baja"), 2);
  ws.Combo1.agregar(QStringLiteral("Múltiples Pedidos!"), 0);
  ws.Combo3.vaciar();
  for (const char* h : {"07:00", "08:00", "09:00", "10:00", "11:00", "12:00", "13:00", "14:00", "15:00"})
    ws.Combo3.agregar(QString::fromLatin1(h));
  ws.DTPicker1_4 = ws.reloj.hoy();
  ws.DTPicker1_4_minimo = ws.reloj.hoy();
}

Resultado nuevaforma_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----nuevaforma_Click"),
              QStringLiteral("TERMINO EL EVENTO-----nuevaforma_Click"));
  ws.vaspread1.setEnabled(true);
  ws.habilitar(QStringLiteral("vaspread1"), true);
  ws.habilitar(QStringLiteral("Combo2"), true);
  ws.Combo2.vaciar();
  ws.vaspread1.deleteRows(1, qMax(ws.vaspread1.dataRowCount(), ws.vaspread1.storedRows()));
  ws.vaSpread5.vaciarCeldas();
  ws.vaspread1.setRowLimit(Grid::kLimiteRenglones);
  ws.vaSpread6.setRowLimit(Grid::kLimiteRenglones);
  ws.cursor(ws.vaspread1, colDetalle::Orden, 1);
  ws.vaSpread9.setColumnFlag(colPedidos::TipoMovimiento, false);
  ws.vaSpread6.deleteAllRows();
  ws.vaSpread7.deleteAllRows();
  ws.vaSpread9.deleteAllRows();
  ws.vaSpread9.clearDropDownLists(colPedidos::TipoMovimiento);
  ws.archivoTrabajo.clear();
  return cmd.fin(Resultado::Hecho);
}

Resultado b_nuevo_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_nuevo_Click"), QStringLiteral("TERMINO EL EVENTO-----b_nuevo_Click"));
  return cmd.fin(nuevaforma_Click(ws));
}

bool Workspace::esEntrada(const QString& ruta, bool conTrabajo, const QString& titulo) {
  const auto igual = [&ruta](const QString& entrada) { return !entrada.isEmpty() && texto::mismoArchivo(entrada, ruta); };
  QString que;
  if (conTrabajo && igual(archivoTrabajo)) que = QStringLiteral("el archivo de trabajo abierto");
  else if (igual(archivoPedidos)) que = QStringLiteral("el archivo de pedidos importado");
  else return false;
  MsgBox(QStringLiteral("No se puede guardar en ") + ruta + QStringLiteral(": es ") + que +
             QStringLiteral(", del que sale este trabajo; se perdería. Elija otro nombre."),
         Botones::Ok, titulo, Icono::Critico);
  return true;
}
