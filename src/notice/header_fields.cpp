#include "notice/header_fields.h"

#include <QStringList>

#include "workspace/workspace.h"

namespace {

const QChar kRetroceso(0x08);

QString nombreTexto1(int indice) { return QStringLiteral("Text1_") + QString::number(indice); }

void mensajeErrorCampos(Workspace& ws, int numero, const QString& descripcion) {
  ws.MsgBox(QStringLiteral("Error Inesperado en los Campos del Encabezado") + QStringLiteral("\r\n") +
                QStringLiteral("(") + QString::number(numero) + QStringLiteral(") ") + descripcion,
            Botones::Ok, QStringLiteral("Error"));
}

// A plain decimal number: optional sign, digits, optional point and digits,
// at least one digit, blanks around it allowed.
bool partirDecimal(const QString& texto, bool& negativo, QString& entero, QString& fraccion) {
  const QString t = texto.trimmed();
  int i = 0;
  negativo = false;
  if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
    negativo = t[i] == QLatin1Char('-');
    ++i;
  }
  entero.clear();
  fraccion.clear();
  while (i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) entero.append(t[i++]);
  if (i < t.size() && t[i] == QLatin1Char('.')) {
    ++i;
    while (i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) fraccion.append(t[i++]);
  }
  return i == t.size() && (!entero.isEmpty() || !fraccion.isEmpty());
}

// Adds one to a string of decimal digits.
QString masUno(QString digitos) {
  int i = digitos.size() - 1;
  while (i >= 0) {
    if (digitos[i] == QLatin1Char('9')) {
      digitos[i] = QLatin1Char('0');
      --i;
    } else {
      digitos[i] = QChar(digitos[i].unicode() + 1);
      return digitos;
    }
  }
  return QStringLiteral("1") + digitos;
}

}  // namespace

Resultado encabezadocampos(Workspace& ws, const QString& dedonde, int cuantos) {
  // A failure ends without the exit line.
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----encabezadocampos"),
              QStringLiteral("TERMINO LA FUNCION-----encabezadocampos"), Comando::Salida::AlHacerse);
  if (cuantos < 0 || cuantos > 7) {
    mensajeErrorCampos(ws, 9, QStringLiteral("Subíndice fuera del intervalo"));
    return cmd.fin(Resultado::Fallido);
  }
  if (dedonde == QStringLiteral("importararchiv")) {
    for (int i = 1; i <= cuantos; ++i) ws.Text1[i].clear();
  } else if (dedonde == QStringLiteral("preparar")) {
    for (int i = 1; i <= cuantos; ++i) {
      if (!ws.vaSpread3.setText(i, 7, ws.Text1[i])) {
        mensajeErrorCampos(ws, 9, QStringLiteral("Subíndice fuera del intervalo"));
        return cmd.fin(Resultado::Fallido);
      }
    }
  } else {
    ws.MsgBox(QStringLiteral("Error Inesperado en los Campos del Encabezado"));
    return cmd.fin(Resultado::Fallido);
  }
  return cmd.fin(Resultado::Hecho);
}

int Text1_MaxLength(int indice) {
  switch (indice) {
    case 1: return 6;
    case 3: return 4;
    case 5: return 6;
    case 6: return 13;
    case 7: return 11;
    default: return 0;
  }
}

QChar Text1_KeyPress(Workspace& ws, int indice, QChar tecla) {
  const Evento evento(ws, QStringLiteral("ENTRO AL EVENTO-----Text1_KeyPress"),
                      QStringLiteral("TERMINO EL EVENTO-----Text1_KeyPress"));
  QChar resultado = tecla;
  if (indice == 1 || indice == 3 || indice == 6) {
    const QString mayuscula = QString(tecla).toUpper();
    const QChar c = mayuscula.size() == 1 ? mayuscula[0] : tecla;
    static const QString permitidos = QStringLiteral("ABCDEFGHIJKLMNÑOPQRSTUVWXYZ1234567890");
    resultado = (permitidos.contains(c) || c == kRetroceso) ? c : QChar();
  } else if (indice == 7) {
    static const QString permitidos = QStringLiteral("1234567890.");
    resultado = (permitidos.contains(tecla) || tecla == kRetroceso) ? tecla : QChar();
  }
  if (resultado.isNull()) ws.prompter.beep();
  return resultado;
}

bool Text1_Teclear(Workspace& ws, int indice, const QString& texto) {
  if (indice < 1 || indice > 7) return false;
  bool todo = true;
  QString& caja = ws.Text1[indice];
  const int maximo = Text1_MaxLength(indice);
  for (QChar tecla : texto) {
    const QChar c = Text1_KeyPress(ws, indice, tecla);
    if (c.isNull()) {
      todo = false;
    } else if (c == kRetroceso) {
      caja.chop(1);
    } else if (maximo > 0 && caja.size() >= maximo) {
      todo = false;
    } else {
      caja.append(c);
    }
  }
  return todo;
}

QString formatoImporte(const QString& texto) {
  if (texto.isEmpty()) return texto;
  bool negativo = false;
  QString entero, fraccion;
  if (!partirDecimal(texto, negativo, entero, fraccion)) return texto;
  // Round to two decimals, half away from zero, on the digits themselves so
  // that no binary fraction creeps in.
  while (fraccion.size() < 3) fraccion.append(QLatin1Char('0'));
  const bool subir = fraccion[2] >= QLatin1Char('5');
  QString digitos = entero + fraccion.left(2);
  if (subir) digitos = masUno(digitos);
  QString parteEntera = digitos.left(digitos.size() - 2);
  const QString decimales = digitos.right(2);
  int k = 0;
  while (k < parteEntera.size() && parteEntera[k] == QLatin1Char('0')) ++k;
  parteEntera = parteEntera.mid(k);
  const bool cero = parteEntera.isEmpty() && decimales == QStringLiteral("00");
  return (negativo && !cero ? QStringLiteral("-") : QString()) + parteEntera + QLatin1Char('.') + decimales;
}

void Text1_GotFocus(Workspace& ws, int indice) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO----Text1_GotFocus"), QStringLiteral("TERMINO EL EVENTO----Text1_GotFocus"));
  if (indice == 2) {
    const QString t = ws.Text1[2];
    if (!t.isEmpty() &&
        (t == QStringLiteral("Alta") || t == QStringLiteral("Baja") || t == QStringLiteral("Cambio"))) {
      ws.Combo1.texto = t;
      ws.Combo1.indice = static_cast<int>(ws.Combo1.entradas.indexOf(t));
    }
    ws.mostrar(QStringLiteral("Combo1"), true);
    ws.foco = QStringLiteral("Combo1");
    ws.tabStop(nombreTexto1(2), false);
  } else if (indice == 4) {
    const QString t = ws.Text1[4];
    if (!t.isEmpty()) {
      // Characters 1-2 day, 4-5 month, 7-10 year, whatever the locale. A text
      // that gives no date, or a date the picker does not offer, leaves it as it is
      // (a part that is no number reads as 0, which no date has).
      const QDate fecha(t.mid(6, 4).toInt(), t.mid(3, 2).toInt(), t.mid(0, 2).toInt());
      if (fecha.isValid() && (!ws.DTPicker1_4_minimo.isValid() || fecha >= ws.DTPicker1_4_minimo))
        ws.DTPicker1_4 = fecha;
    }
    ws.mostrar(QStringLiteral("DTPicker1_4"), true);
    ws.foco = QStringLiteral("DTPicker1_4");
    ws.tabStop(nombreTexto1(4), false);
  }
  cmd.fin(Resultado::Hecho);
}

void Text1_LostFocus(Workspace& ws, int indice) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO----Text1_LostFocus"), QStringLiteral("TERMINO EL EVENTO----Text1_LostFocus"));
  if (indice == 7) ws.Text1[7] = formatoImporte(ws.Text1[7]);
  cmd.fin(Resultado::Hecho);
}

void DTPicker1_Change(Workspace& ws, int indice) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----DTPicker1_Change"), QStringLiteral("TERMINO EL EVENTO-----DTPicker1_Change"));
  if (indice == 4) {
    const int dia = ws.DTPicker1_4.dayOfWeek();
    if (dia == Qt::Saturday || dia == Qt::Sunday) {
      ws.MsgBox(QStringLiteral("No se pueden seleccionar Sábados y Domingos"), Botones::Ok, QStringLiteral("Aviso"),
                Icono::Informacion);
      ws.DTPicker1_4 = ws.reloj.hoy();
      cmd.fin(Resultado::Rechazado);
      return;
    }
    ws.Text1[4] = fechaTexto::ddmmaaaa(ws.DTPicker1_4);
  }
  cmd.fin(Resultado::Hecho);
}

void DTPicker1_GotFocus(Workspace& ws, int indice) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----DTPicker1_GotFocus"), QStringLiteral("TERMINO EL EVENTO-----DTPicker1_GotFocus"));
  DTPicker1_Change(ws, indice);
  cmd.fin(Resultado::Hecho);
}

QString ordenesVencidas(const Workspace& ws) {
  QString mensaje;
  const int n = ws.vaSpread9.dataRowCount();
  for (int i = 1; i <= n; ++i) {
    const QString cancelacion = ws.vaSpread9.text(colPedidos::FechaCancelacion, i);
    if (cancelacion.isEmpty()) continue;
    // A cell that holds no date cannot be compared; it is left out.
    const QDate fecha = fechaTexto::leer(cancelacion);
    if (fecha.isValid() && ws.DTPicker1_4 > fecha)
      mensaje += QStringLiteral("La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: ") +
                 ws.vaSpread9.text(colPedidos::Orden, i) + QStringLiteral("\r\n");
  }
  return mensaje;
}

void DTPicker1_LostFocus(Workspace& ws, int indice) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----DTPicker1_LostFocus"), QStringLiteral("TERMINO EL EVENTO-----DTPicker1_LostFocus"));
  ws.tabStop(nombreTexto1(indice), true);
  const QString mensaje = ordenesVencidas(ws);
  if (!mensaje.isEmpty()) ws.MsgBox(mensaje);
  cmd.fin(Resultado::Hecho);
}

bool elegirFechaEntrega(Workspace& ws, const QDate& fecha) {
  if (!fecha.isValid()) return false;
  if (ws.DTPicker1_4_minimo.isValid() && fecha < ws.DTPicker1_4_minimo) return false;
  ws.DTPicker1_4 = fecha;
  DTPicker1_Change(ws, 4);
  return ws.DTPicker1_4 == fecha;
}

QString horaEntrega(const Workspace& ws) {
  if (!ws.Combo3.texto.isEmpty()) return ws.Combo3.texto;
  if (ws.Combo3.indice >= 0 && ws.Combo3.indice < ws.Combo3.entradas.size())
    return ws.Combo3.entradas[ws.Combo3.indice];
  return QString();
}

namespace fechaTexto {

QString ddmmaaaa(const QDate& fecha) {
  if (!fecha.isValid()) return QString();
  return QStringLiteral("%1/%2/%3")
      .arg(fecha.day(), 2, 10, QLatin1Char('0'))
      .arg(fecha.month(), 2, 10, QLatin1Char('0'))
      .arg(fecha.year(), 4, 10, QLatin1Char('0'));
}

QDate leer(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return QDate();
  QChar sep;
  for (QChar c : t) {
    if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
      sep = c;
      break;
    }
  }
  if (sep.isNull()) return QDate();
  const QStringList partes = t.split(sep);
  if (partes.size() != 3) return QDate();
  int v[3];
  for (int k = 0; k < 3; ++k) {
    const QString& p = partes[k];
    if (p.isEmpty() || p.size() > (k == 2 ? 4 : 2)) return QDate();
    for (QChar c : p)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QDate();
    v[k] = p.toInt();
  }
  int anio = v[2];
  if (partes[2].size() == 2) anio += anio < 30 ? 2000 : 1900;
  else if (partes[2].size() != 4) return QDate();
  return QDate(anio, v[1], v[0]);
}

}  // namespace fechaTexto

bool elegirHora(Workspace& ws, const QString& hora) {
  const int i = static_cast<int>(ws.Combo3.entradas.indexOf(hora));
  if (i < 0) return false;
  ws.Combo3.indice = i;
  ws.Combo3.texto = ws.Combo3.entradas[i];
  return true;
}
