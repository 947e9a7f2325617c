#include "client/form5.h"

#include "client/conexion_ajustes.h"

#include "workspace/workspace.h"

namespace {
const QChar kRetroceso(0x08);
const QString kFaltanRfc = QStringLiteral("Faltan caracteres en el campo de RFC");
constexpr int kLargoRfc = 14;
}  // namespace

const QString Form5Modelo::kTitulo = QStringLiteral("Configuración");
const QString Form5Modelo::kEncabezado = QStringLiteral("Datos de Configuración");
const QString Form5Modelo::kEjemploRfc = QStringLiteral("Ejemplo: ABCD010101-XY1");

Form5Modelo::Form5Modelo(Workspace& w) : ws(w) {}

void Form5Modelo::log(const QString& texto) { ws.EscribirLog(QStringLiteral("FORM5-----") + texto); }

int Form5Modelo::maximo(Caja c) {
  switch (c) {
    case Caja::ncliente: return 5;
    case Caja::Text2: return 10;
    case Caja::rfc: return kLargoRfc;
  }
  return 0;
}

QString& Form5Modelo::caja(Caja c) {
  switch (c) {
    case Caja::ncliente: return ncliente;
    case Caja::Text2: return Text2;
    case Caja::rfc: break;
  }
  return rfc;
}

void Form5Modelo::Form_Load() {
  const Evento evento(ws, QStringLiteral("FORM5-----ENTRO AL EVENTO-----Form_Load"),
                      QStringLiteral("FORM5-----TERMINO EL EVENTO-----Form_Load"));
  aplicacion = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Aplicacion);
  ncliente = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente);
  Text2 = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  rfc = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Rfc);
  foco.clear();
  cerrado = false;
}

QChar Form5Modelo::KeyPress(Caja c, QChar tecla) {
  const QString evento = c == Caja::ncliente ? QStringLiteral("ncliente_KeyPress")
                         : c == Caja::Text2  ? QStringLiteral("Text2_KeyPress")
                                             : QStringLiteral("rfc_KeyPress");
  const Evento marco(ws, QStringLiteral("FORM5-----ENTRO AL EVENTO-----") + evento,
                     QStringLiteral("FORM5-----TERMINO EL EVENTO-----") + evento);
  const QString mayuscula = QString(tecla).toUpper();
  const QChar capital = mayuscula.size() == 1 ? mayuscula[0] : tecla;
  static const QString digitos = QStringLiteral("0123456789");
  static const QString paraRfc = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZÑ&- ");
  QChar resultado;
  if (capital == kRetroceso) {
    resultado = tecla;
  } else if (c == Caja::rfc) {
    if (paraRfc.contains(capital)) resultado = capital;
  } else if (digitos.contains(capital)) {
    resultado = tecla;
  }
  if (resultado.isNull()) ws.prompter.beep();
  return resultado;
}

bool Form5Modelo::teclear(Caja c, const QString& texto) {
  bool todo = true;
  QString& destino = caja(c);
  for (QChar tecla : texto) {
    const QChar k = KeyPress(c, tecla);
    if (k.isNull()) {
      todo = false;
    } else if (k == kRetroceso) {
      destino.chop(1);
    } else if (destino.size() >= maximo(c)) {
      todo = false;
    } else {
      destino.append(k);
    }
  }
  return todo;
}

bool Form5Modelo::rfc_LostFocus(const QString& destino) {
  const Evento evento(ws, QStringLiteral("FORM5-----ENTRO AL EVENTO-----rfc_LostFocus"),
                      QStringLiteral("FORM5-----TERMINO EL EVENTO-----rfc_LostFocus"));
  bool ok = true;
  if (destino != QStringLiteral("Cancelar") && destino != QStringLiteral("aceptar") && rfc.size() < kLargoRfc) {
    ws.MsgBox(kFaltanRfc, Botones::Ok, QStringLiteral("Aviso"));
    foco = QStringLiteral("rfc");
    ok = false;
  }
  return ok;
}

Resultado Form5Modelo::aceptar_Click() {
  Comando cmd(ws, QStringLiteral("FORM5-----ENTRO AL EVENTO-----aceptar_Click"),
              QStringLiteral("FORM5-----TERMINO EL EVENTO-----aceptar_Click"), Comando::Salida::AlTerminar);
  ws.Text1[1] = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  auto rehusar = [this](const QString& texto, const QString& titulo, const QString& caja) {
    ws.MsgBox(texto, Botones::Ok, titulo);
    foco = caja;
  };
  if (ncliente.isEmpty()) {
    rehusar(QStringLiteral("Falta el número de Cliente"), QStringLiteral("Datos Incompletos"), QStringLiteral("ncliente"));
    return cmd.fin(Resultado::Rechazado);
  }
  if (ncliente.size() < 4) {
    rehusar(QStringLiteral("El número de cliente debe ser de cuatro caracteres numéricos"),
            QStringLiteral("Datos Incorrectos"), QStringLiteral("ncliente"));
    return cmd.fin(Resultado::Rechazado);
  }
  if (Text2.isEmpty()) {
    rehusar(QStringLiteral("Falta el número de proveedor"), QStringLiteral("Datos Incompletos"), QStringLiteral("Text2"));
    return cmd.fin(Resultado::Rechazado);
  }
  if (rfc.isEmpty()) {
    rehusar(QStringLiteral("Falta el RFC"), QStringLiteral("Datos Incompletos"), QStringLiteral("rfc"));
    return cmd.fin(Resultado::Rechazado);
  }
  // The RFC goes into every notice header at its fixed width: a short one is
  // refused here too, as leaving its box would have done.
  if (rfc.size() < kLargoRfc) {
    rehusar(kFaltanRfc, QStringLiteral("Aviso"), QStringLiteral("rfc"));
    return cmd.fin(Resultado::Rechazado);
  }
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Cliente, ncliente);
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Proveedor, Text2);
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Rfc, rfc);
  const texto::Resultado r = guardarAjustes(ws);
  resultado = r.ok ? Resultado::Hecho : Resultado::Fallido;
  if (!r.ok) {
    // The values stay in use for this session; the user is told that the file
    // keeps its earlier content.
    const QString texto = QStringLiteral("No se pudo guardar el archivo de configuración info.cfg:") +
                          QStringLiteral("\r\n") + r.descripcion + QStringLiteral("\r\n\r\n") +
                          QStringLiteral("Los datos se usarán sólo hasta que se cierre el programa.");
    ws.MsgBox(texto, Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Critico);
    log(texto);
  }
  cerrado = true;
  return cmd.fin(resultado);
}

Resultado Form5Modelo::Cancelar_Click() {
  Comando cmd(ws, QStringLiteral("FORM5-----ENTRO AL EVENTO-----Cancelar_Click"),
              QStringLiteral("FORM5-----TERMINO EL EVENTO-----Cancelar_Click"));
  cerrado = true;
  return cmd.fin(Resultado::Cancelado);
}

Resultado mostrarForm5(Workspace& ws) {
  Form5Modelo forma(ws);
  forma.Form_Load();
  ws.prompter.ejecutarDialogo(forma);
  return forma.resultado;
}

Resultado generales_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----generales_Click"), QStringLiteral("TERMINO EL EVENTO-----generales_Click"));
  return cmd.fin(mostrarForm5(ws));
}
