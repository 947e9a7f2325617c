#include "editing/detail_rules.h"

#include <exception>
#include <optional>

#include "editing/container_kinds.h"
#include "workspace/workspace.h"

namespace {

const QChar kRetroceso(u'\b');

QString entro(const char* nombre) {
  return QStringLiteral("ENTRO AL EVENTO-----") + QString::fromUtf8(nombre);
}
QString termino(const char* nombre) {
  return QStringLiteral("TERMINO EL EVENTO-----") + QString::fromUtf8(nombre);
}

bool esBlanco(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Reads the number at the start of `t`; nothing when no digit comes first.
std::optional<double> leerNumero(const QString& t) {
  bool hay = false;
  int i = 0;
  const int n = t.size();
  while (i < n && esBlanco(t[i])) ++i;
  bool negativo = false;
  if (i < n && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
    negativo = t[i] == QLatin1Char('-');
    ++i;
  }
  QString digitos;
  bool punto = false;
  for (; i < n; ++i) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      digitos.append(c);
      hay = true;
    } else if (c == QLatin1Char('.') && !punto) {
      punto = true;
      digitos.append(c);
    } else {
      break;
    }
  }
  if (!hay) return std::nullopt;
  // An exponent counts only when digits follow it.
  if (i + 1 < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
    int j = i + 1;
    QString exp;
    if (j < n && (t[j] == QLatin1Char('-') || t[j] == QLatin1Char('+'))) exp.append(t[j++]);
    const int inicio = j;
    while (j < n && t[j] >= QLatin1Char('0') && t[j] <= QLatin1Char('9')) exp.append(t[j++]);
    if (j > inicio) digitos += QLatin1Char('e') + exp;
  }
  const double v = digitos.toDouble();  // 0 when the digits make no number
  return negativo ? -v : v;
}

// The ordered quantity of a line: false when the line carries none.
bool cantidadPedida(const Workspace& ws, int fila, QString& texto, double& valor) {
  if (ws.vaspread1.colLimit() < colDetalle::Pedida) return false;
  texto = ws.vaspread1.text(colDetalle::Pedida, fila);
  const std::optional<double> v = leerNumero(texto);
  valor = v.value_or(0.0);
  return v.has_value();
}

QString mensajeCantidad(const QString& maximo) {
  return QStringLiteral("La cantidad no puede ser mayor que") + QStringLiteral(" < ") + maximo + QStringLiteral(" > ");
}

TipCelda tip(const QString& texto) {
  TipCelda t;
  t.texto = texto;
  return t;
}

}  // namespace

// ------------------------------------------------------------------ numbers

double numeroInicial(const QString& texto) { return leerNumero(texto).value_or(0.0); }

bool empiezaConNumero(const QString& texto) { return leerNumero(texto).has_value(); }

// ------------------------------------------------------------------ vaspread1

Resultado validacioncontenedor(Workspace& ws) {
  // An empty or unknown container ends without the exit line.
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----validacioncontenedor"),
              QStringLiteral("TERMINO LA FUNCION-----validacioncontenedor"), Comando::Salida::AlHacerse);
  const int r = ws.vaspread1.activeRow();
  const QString t = ws.vaspread1.text(colDetalle::Contenedor, r);
  if (t.isEmpty()) return cmd.fin(Resultado::Rechazado);
  const QString descripcion = descripcionContenedor(t);
  if (!descripcion.isNull()) {
    ws.vaspread1.setText(colDetalle::TipoEntrega, r, descripcion);
    ws.vaSpread6.setText(colDetalle::TipoEntrega, r, descripcion);
    return cmd.fin(Resultado::Hecho);
  }
  ws.MsgBox(kMensajeContenedor);
  ws.cursor(ws.vaspread1, colDetalle::Contenedor, r);
  return cmd.fin(Resultado::Rechazado);
}

Resultado vaspread1_Change(Workspace& ws, int col, int row) {
  // A quantity over the ordered one ends without the exit line.
  Comando cmd(ws, entro("vaspread1_Change"), termino("vaspread1_Change"));
  ws.EscribirLog(entro("vaspread1_Change-----Validar contenedores"));
  Resultado resultado = Resultado::Hecho;
  if (col == colDetalle::Contenedor) {
    if (!ws.sinvalidar && validacioncontenedor(ws) != Resultado::Hecho && !ws.vaspread1.text(col, ws.vaspread1.activeRow()).isEmpty())
      resultado = Resultado::Rechazado;
    ws.vaSpread6.setText(col, row, ws.vaspread1.text(col, row));
  }

  ws.EscribirLog(entro("vaspread1_Change-----Validar cuand se modifican las cantidades"));
  if (!ws.sinvalidar && !ws.aplicandoSeparacion) {
    const int a = ws.vaspread1.activeRow();
    if (a >= 1) {
      QString s = ws.vaSpread6.text(colDetalle::Cantidad, a);
      QString q = ws.vaspread1.text(colDetalle::Cantidad, a);
      if (q.isEmpty()) q = s;  // an emptied cell does not empty the store
      if (s.isEmpty()) s = q;
      QString m;
      double maximo = 0;
      if (cantidadPedida(ws, a, m, maximo) && numeroInicial(q) > maximo) {
        ws.MsgBox(mensajeCantidad(m));
        ws.vaspread1.setText(colDetalle::Cantidad, a, m);
        ws.cursor(ws.vaspread1, colDetalle::Cantidad, a);
        return cmd.finSinSalida(Resultado::Rechazado);
      }
      ws.vaSpread6.setText(colDetalle::Cantidad, a, q);
    }
  }

  ws.EscribirLog(entro("vaspread1_Change-----Esto es para bajar al renglón siguiente"));
  if (col == colDetalle::Contenedor && !ws.sinvalidar) {
    // The container of the next line; on the last line the cursor stays.
    const int siguiente = row + 1 <= qMax(row, ws.vaspread1.dataRowCount()) ? row + 1 : row;
    ws.cursor(ws.vaspread1, colDetalle::Contenedor, siguiente);
  }

  ws.EscribirLog(entro("vaspread1_Change-----Para que se mueva a la derecha a partir de la columna de cantidad"));
  if (col == colDetalle::Cantidad) ws.cursor(ws.vaspread1, colDetalle::Contenedor, row);

  return cmd.fin(resultado);
}

Resultado vaspread1_Editar(Workspace& ws, int col, int row, const QString& texto) {
  ws.sinvalidar = false;
  ws.cursor(ws.vaspread1, col, row);
  ws.vaspread1.setText(col, row, texto);
  return vaspread1_Change(ws, col, row);
}

QPoint reglaSalidaDetalle(int nuevaCol, int nuevaFila) {
  QPoint destino(nuevaCol, nuevaFila);
  if (nuevaCol >= 0 && nuevaCol < colDetalle::Cantidad) destino.setX(colDetalle::Cantidad);
  else if (nuevaCol > colDetalle::Cantidad && nuevaCol < colDetalle::Contenedor) destino.setX(colDetalle::Contenedor);
  return destino;
}

QPoint vaspread1_LeaveCell(Workspace& ws, int nuevaCol, int nuevaFila) {
  const Evento evento(ws, entro("vaspread1_LeaveCell"), termino("vaspread1_LeaveCell"));
  const QPoint destino = reglaSalidaDetalle(nuevaCol, nuevaFila);
  return destino;
}

bool vaspread1_KeyDown(Workspace& ws, int codigo) {
  const Evento evento(ws, entro("vaspread1_KeyDown"), termino("vaspread1_KeyDown"));
  bool usada = false;
  if (codigo == kTeclaSuprimir) {
    suprimir_Click(ws);
    usada = true;
  }
  return usada;
}

void vaspread1_GotFocus(Workspace& ws) { ws.cual_grid = QStringLiteral("1"); }

TipCelda vaspread1_TextTipFetch(Workspace& ws, int col, int row) {
  const Evento evento(ws, entro("vaspread1_TextTipFetch"), termino("vaspread1_TextTipFetch"));
  TipCelda t;
  if (row == 0) {
    static const char16_t* const kTips[] = {
        nullptr,
        u" ORDEN DE COMPRA ",
        u" DEPARTAMENTO ",
        u" FECHA DE VORARIDO ",
        u" FECHA DE CANCELACION ",
        u" LUGAR - TIENDA ",
        u" SKU ",
        u" MODELO ",
        u" UPC/EAN ",
        u" COLOR ",
        u" TALLA ",
        u" RECUERDE QUE LA CANTIDAD DEBE SER MAYOR QUE O. ",
        nullptr,
        nullptr,
        u" TIPO DE ENTREGA ",
        u" RECUERDE QUE EL CONTENEDOR DEBE COMENZAR CON A, B, C, D, E, F, G, H, I, P, Q, R, S ó V. ",
    };
    if (col >= 1 && col <= 15 && kTips[col]) t = tip(QString::fromUtf16(kTips[col]));
  }
  return t;
}

TipCelda vaspread5_TextTipFetch(Workspace& ws, int col, int row) {
  const Evento evento(ws, entro("vaspread5_TextTipFetch"), termino("vaspread5_TextTipFetch"));
  TipCelda t;
  if (row == 0) {
    switch (col) {
      case 1: t = tip(QStringLiteral(" ORDEN DE COMPRA ")); break;
      case 2: t = tip(QStringLiteral(" DEPARTAMENTO ")); break;
      case 3: t = tip(QStringLiteral(" FECHA DE VORARIDO ")); break;
      case 4: t = tip(QStringLiteral(" FECHA DE CANCELACION ")); break;
      default: break;
    }
  }
  return t;
}

// ------------------------------------------------------------------ vaSpread9

QChar vaSpread9_KeyPress(Workspace& ws, int col, QChar tecla) {
  const Evento evento(ws, entro("vaSpread9_KeyPress"), termino("vaSpread9_KeyPress"));
  QChar resultado = tecla;
  if (col == colPedidos::NumVorarido || col == colPedidos::Importe) {
    static const QString kAdmitidos = QStringLiteral("1234567890ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.") + kRetroceso;
    const QChar mayuscula = tecla.toUpper();
    resultado = kAdmitidos.contains(mayuscula) ? mayuscula : QChar();
  }
  return resultado;
}

bool vaSpread9_KeyDown(Workspace& ws, int codigo) {
  const Evento evento(ws, entro("vaSpread9_KeyDown"), termino("vaSpread9_KeyDown"));
  bool usada = false;
  if (codigo == kTeclaSuprimir) {
    suprimir_Click(ws);
    usada = true;
  }
  return usada;
}

QPoint reglaSalidaPedidos(int nuevaCol, int nuevaFila) {
  QPoint destino(nuevaCol, nuevaFila);
  if (nuevaCol == colPedidos::Orden) destino.setX(colPedidos::TipoMovimiento);
  else if (nuevaCol > colPedidos::Importe) destino.setX(colPedidos::Importe);
  return destino;
}

QPoint vaSpread9_LeaveCell(Workspace& ws, int nuevaCol, int nuevaFila) {
  ws.EscribirLog(entro("vaSpread9_LeaveCell"));
  return reglaSalidaPedidos(nuevaCol, nuevaFila);
}

void vaSpread9_GotFocus(Workspace& ws) { ws.cual_grid = QStringLiteral("9"); }

bool vaSpread9_Teclear(Workspace& ws, int col, int row, const QString& texto) {
  Grid& g = ws.vaSpread9;
  if (col < colPedidos::TipoMovimiento || col > colPedidos::Importe || row < 1 || row > g.dataRowCount() ||
      g.text(colPedidos::Orden, row).isEmpty() || g.locked(col, row))
    return false;
  ws.cursor(g, col, row);
  bool todo = true;
  QString celda;
  for (const QChar tecla : texto) {
    const QChar c = vaSpread9_KeyPress(ws, col, tecla);
    if (c.isNull()) todo = false;
    else if (c == kRetroceso) celda.chop(1);
    else celda.append(c);
  }
  g.setText(col, row, celda);
  return todo;
}

// ------------------------------------------------------------------ the focused grid

Grid* gridEnfocado(Workspace& ws) {
  if (ws.cual_grid == QStringLiteral("1")) return &ws.vaspread1;
  if (ws.cual_grid == QStringLiteral("9")) return &ws.vaSpread9;
  return nullptr;
}

Resultado suprimir_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO----suprimir_Click"), QStringLiteral("TERMINO EL EVENTO----suprimir_Click"));
  Grid* g = gridEnfocado(ws);
  if (!g) return cmd.fin(Resultado::Rechazado);
  const int c = g->activeCol(), r = g->activeRow();
  if (c < 1 || r < 1 || g->locked(c, r)) return cmd.fin(Resultado::Rechazado);
  g->setText(c, r, QString());
  return cmd.fin(Resultado::Hecho);
}

// ------------------------------------------------------------------ system writes

EscrituraDelSistema::EscrituraDelSistema(Workspace& ws) : ws_(ws), anterior_(ws.sinvalidar) {
  ws_.sinvalidar = true;
}

EscrituraDelSistema::~EscrituraDelSistema() { terminar(); }

void EscrituraDelSistema::terminar() {
  if (!activo_) return;
  activo_ = false;
  ws_.sinvalidar = anterior_;
  // The outermost guard looks over the quantities, unless the command is
  // being torn down by an error (its handler reports that).
  if (!anterior_ && std::uncaught_exceptions() == 0) revisarCantidades(ws_);
}

int revisarCantidades(Workspace& ws) {
  Grid& g = ws.vaspread1;
  if (g.colLimit() < colDetalle::Pedida) return 0;
  const int n = g.dataRowCount();
  int primera = 0, corregidas = 0;
  QString maximoPrimera;
  for (int r = 1; r <= n; ++r) {
    QString m;
    double maximo = 0;
    if (!cantidadPedida(ws, r, m, maximo)) continue;
    if (numeroInicial(g.text(colDetalle::Cantidad, r)) <= maximo) continue;
    g.setText(colDetalle::Cantidad, r, m);
    if (!primera) {
      primera = r;
      maximoPrimera = m;
    }
    ++corregidas;
  }
  if (!corregidas) return 0;
  QString texto = mensajeCantidad(maximoPrimera);
  if (corregidas > 1)
    texto += QStringLiteral("\r\nSe regresaron %1 renglones a su cantidad pedida; el primero es el renglón %2.")
                 .arg(corregidas)
                 .arg(primera);
  ws.MsgBox(texto);
  ws.cursor(g, colDetalle::Cantidad, primera);
  return corregidas;
}
