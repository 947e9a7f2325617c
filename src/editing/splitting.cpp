#include "editing/splitting.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "editing/detail_rules.h"
#include "editing/row_commands.h"
#include "workspace/workspace.h"

namespace {

// The split copies are coloured up to the container kind.
constexpr int kUltimaColColor = colDetalle::TipoEntrega;

const QString kTituloError = QStringLiteral("ERROR");
const QString kTituloIncompletos = QStringLiteral("Datos Incompletos");
const QString kTituloIncorrectos = QStringLiteral("Datos incorrectos");
const QString kTituloAviso = QStringLiteral("Aviso");

const QString kUnArticulo = QStringLiteral("No puede dividir un SKU con 1 articulo!");
const QString kSinDatos = QStringLiteral("No hay datos en el grid!");
const QString kTituloSinDatos = QStringLiteral("Información Incompleta");
const QString kLineaSinCantidad =
    QStringLiteral("El renglón no tiene una cantidad válida: no se puede dividir el SKU!");
const QString kMaximaNoNumero = QStringLiteral("La cantidad máxima del SKU no es un número!");

// A sum is above the maximum only beyond what binary fractions can make of
// decimal quantities (0.1 + 0.2 against 0.3 is not above).
bool pasa(double suma, double maximo) {
  return suma - maximo > 1e-9 * std::max(1.0, std::fabs(maximo));
}

// The quantity as it goes into the grids: as typed, without blanks around.
QString comoSeEscribe(const QString& t) { return t.trimmed(); }

// What the active line of vaspread1 allows: true when there is a line with a
// quantity that is a number, which goes into `cantidad`. Otherwise the
// refusal has been shown.
bool lineaActiva(Workspace& ws, double& cantidad) {
  Grid& g = ws.vaspread1;
  if (g.dataRowCount() == 0) {
    ws.MsgBox(kSinDatos, Botones::Ok, kTituloSinDatos);
    return false;
  }
  const int a = g.activeRow();
  if (a < 1 || a > g.dataRowCount() || !leerCantidad(g.text(colDetalle::Cantidad, a), cantidad)) {
    ws.MsgBox(kLineaSinCantidad, Botones::Ok, kTituloError);
    return false;
  }
  return true;
}

// While a split writes its quantities the quantity limit of the change
// handler stays out of the way, however the write ends.
struct Aplicando {
  Workspace& ws;
  const bool antes;
  explicit Aplicando(Workspace& w) : ws(w), antes(w.aplicandoSeparacion) { ws.aplicandoSeparacion = true; }
  ~Aplicando() { ws.aplicandoSeparacion = antes; }
};

// True when `copias` more lines fit in both tables; otherwise the limit
// message has been shown.
bool cabenCopias(Workspace& ws, int fila, int copias) {
  if (copias <= 0) return true;
  return ws.cabeEnLimite(ws.vaspread1, qMax(ws.vaspread1.dataRowCount(), fila) + copias) &&
         ws.cabeEnLimite(ws.vaSpread6, qMax(ws.vaSpread6.dataRowCount(), fila) + copias);
}

// Splits the active line into cantidades.size() lines. Fixed-size dialogs
// give their quantities bottom-up (the first one to the last copy), Form3
// top-down (the first one to the line that was split).
bool separar(Workspace& ws, const QStringList& cantidades, bool deAbajoArriba) {
  const int a = ws.vaspread1.activeRow();
  const int n = cantidades.size();
  Aplicando aplicando(ws);
  if (!cabenCopias(ws, a, n - 1)) return false;
  if (!deAbajoArriba) {
    // Form3 gives the source line its quantity first; the copies are made from it.
    ws.vaspread1.setText(colDetalle::Cantidad, a, comoSeEscribe(cantidades[0]));
    ws.vaSpread6.setText(colDetalle::Cantidad, a, comoSeEscribe(cantidades[0]));
  }
  duplicarParaSeparar(ws, a, n - 1);  // the copies fit: checked above
  EnBloque m1(ws.vaspread1), m6(ws.vaSpread6);
  for (int i = 0; i < n; ++i) {
    const int fila = deAbajoArriba ? a + n - 1 - i : a + i;
    ws.vaspread1.setText(colDetalle::Cantidad, fila, comoSeEscribe(cantidades[i]));
  }
  for (int i = 0; i < n; ++i) {
    const int fila = deAbajoArriba ? a + n - 1 - i : a + i;
    ws.vaSpread6.setText(colDetalle::Cantidad, fila, comoSeEscribe(cantidades[i]));
  }
  return true;
}

struct DisenoFijo {
  int renglones;
  const char* forma;
  const char* titulo;
  const char* prefijo;
  bool camt2;  // the second box is labelled "Camt 2"
  const char* mensajeSuma;
};

const DisenoFijo kDisenos[] = {
    {2, "Form6", "Separar renglón", "FORM6", false, "La sumatoria de cant1 y cant2 pasa la cantidad máxima del SKU"},
    {3, "Form9", "Separar en tres renglones", "FORM9", false,
     "La sumatoria de las cantidades pasa la cantidad máxima del SKU"},
    {4, "Form10", "Separar renglón", "FORM10", false, "La sumatoria de las cantidades pasa la cantidad máxima del SKU"},
    {5, "Form7", "Separar en cinco renglones", "FORM7", true,
     "La sumatoria de las cantidades pasa la cantidad máxima del SKU"},
    {10, "Form8", "Separar en diez renglones", "FORM8", true,
     "La sumatoria de las cantidades pasa la cantidad máxima del SKU"},
};

const DisenoFijo& diseno(int renglones) {
  for (const DisenoFijo& d : kDisenos)
    if (d.renglones == renglones) return d;
  return kDisenos[0];
}

// The five opening procedures differ only in their dialog and log lines.
Resultado abrirSeparacion(Workspace& ws, int renglones, const QString& entrada, const QString& salida) {
  Comando cmd(ws, entrada, salida);
  Resultado r = Resultado::Rechazado;
  {
    // The checks stay off while the dialog writes, and come back however it ends.
    EscrituraDelSistema escritura(ws);
    double q = 0;
    if (lineaActiva(ws, q)) {
      if (q < 2) {
        ws.MsgBox(kUnArticulo, Botones::Ok, kTituloError);
      } else {
        const int a = ws.vaspread1.activeRow();
        SepararModelo dialogo(ws, renglones);
        dialogo.CantidadMaxima = ws.vaspread1.text(colDetalle::Cantidad, a);
        dialogo.SKU = ws.vaspread1.text(colDetalle::Sku, a);
        dialogo.Tienda = ws.vaspread1.text(colDetalle::Tienda, a);
        ws.prompter.ejecutarDialogo(dialogo);
        ws.sinvalidar = false;
        r = dialogo.resultado;
      }
    }
  }
  return cmd.fin(r);
}

}  // namespace

bool leerCantidad(const QString& texto, double& valor) {
  static const QRegularExpression numero(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
  if (!numero.match(texto).hasMatch()) return false;
  bool ok = false;
  valor = texto.trimmed().toDouble(&ok);
  return ok && std::isfinite(valor);
}

bool duplicarParaSeparar(Workspace& ws, int fila, int copias) {
  if (copias <= 0) return true;
  Grid& g1 = ws.vaspread1;
  Grid& g6 = ws.vaSpread6;
  if (!cabenCopias(ws, fila, copias)) return false;

  const QStringList linea1 = g1.rowTexts(fila);
  const QStringList linea6 = g6.rowTexts(fila);
  {
    EnBloque m1(g1), m6(g6);
    if (!g1.insertRows(fila + 1, copias)) return false;
    if (!g6.insertRows(fila + 1, copias)) {
      g1.deleteRows(fila + 1, copias);
      return false;
    }
    for (int r = fila + 1; r <= fila + copias; ++r) {
      g1.setRowTexts(r, linea1);
      g6.setRowTexts(r, linea6);
      for (int c = 1; c <= kUltimaColColor; ++c)
        if (c != colDetalle::Cantidad) g1.setBackColor(c, r, kColorSeparacion);
    }
  }
  // The trace of the single duplications this stands for, one per copy. A
  // split into thousands of lines writes many log lines: the window keeps
  // painting and the bar moves meanwhile.
  const int maximoAntes = ws.progresoMaximo, progresoAntes = ws.progreso;
  ws.progresoMaximo = copias;
  for (int i = 0; i < copias; ++i) {
    ws.progreso = i + 1;
    if (copias > 1) ws.doEvents();
    {
      const Evento duplicar(ws, QStringLiteral("ENTRO EN LA FUNCION-----duplicarrenglon"),
                            QStringLiteral("TERMINO LA FUNCION-----duplicarrenglon"));
      const Evento insertar(ws, QStringLiteral("ENTRO AL EVENTO-----insertar_Click"),
                            QStringLiteral("TERMINO EL EVENTO-----insertar_Click"));
    }
    const Evento espejo(ws, QStringLiteral("ENTRO A LA FUNCION-----duplicarspread6"),
                        QStringLiteral("TERMINO LA FUNCION-----duplicarspread6"));
    ws.EscribirLog(QStringLiteral("ENTRO A LA FUNCION-----duplicarspread6-----inserta un renglon"));
  }
  ws.progresoMaximo = maximoAntes;
  ws.progreso = progresoAntes;
  // Like every duplication, the split leaves the copied line of the order
  // line store on the clipboard.
  ws.prompter.escribirPortapapeles(textoPortapapeles(g6, colDetalle::Orden, fila, g6.colLimit(), fila));
  // As the last of the single duplications leaves it: the previous copy was
  // copied into the row below it, which is the active row now.
  const int ultima = fila + copias;
  ws.ultimaInsercion.filaInsertada = ultima;
  ws.ultimaInsercion.limiteFilas = g1.rowLimit();
  ws.ultimaInsercion.filaOrigen = ultima - 1;
  ws.ultimaInsercion.filaDuplicada = ultima;
  ws.cursor(g1, g1.activeCol(), ultima);
  return true;
}

// ------------------------------------------------------------------ fixed size

const QString SepararModelo::kConfiguracion = QStringLiteral("Configuración:");
const QString SepararModelo::kEtiquetaSku = QStringLiteral("SKU:");
const QString SepararModelo::kEtiquetaTienda = QStringLiteral("Tienda:");
const QString SepararModelo::kEtiquetaMaxima = QStringLiteral("Cantidad   máxima");
const QString SepararModelo::kAceptar = QStringLiteral("Aceptar");
const QString SepararModelo::kCancelar = QStringLiteral("Cancelar");

SepararModelo::SepararModelo(Workspace& w, int renglones) : ws(w) {
  const DisenoFijo& d = diseno(renglones);
  forma_ = QString::fromLatin1(d.forma);
  titulo_ = QString::fromUtf8(d.titulo);
  prefijo_ = QString::fromLatin1(d.prefijo);
  mensajeSuma_ = QString::fromUtf8(d.mensajeSuma);
  for (int k = 0; k < d.renglones; ++k) cantidades.append(QString());
}

QString SepararModelo::etiqueta(int k) const {
  if (k == 2 && diseno(renglones()).camt2) return QStringLiteral("Camt 2");
  return QStringLiteral("Cant ") + QString::number(k);
}

QString SepararModelo::nombreCaja(int k) { return QStringLiteral("cant") + QString::number(k); }

void SepararModelo::refusar(int k, const QString& texto, const QString& titulo) {
  ws.MsgBox(texto, Botones::Ok, titulo);
  foco = nombreCaja(k);
}

Resultado SepararModelo::Command1_Click() {
  ws.EscribirLog(prefijo_ + QStringLiteral("-----ENTRO AL EVENTO-----Command1_Click"));
  const int n = renglones();
  double suma = 0;
  for (int k = 1; k <= n; ++k) {
    const QString& t = cantidades[k - 1];
    const QString numero = QString::number(k);
    if (t.isEmpty()) {
      refusar(k, QStringLiteral("Falta el valor para cant ") + numero + QLatin1Char('!'), kTituloIncompletos);
      return Resultado::Rechazado;
    }
    double v = 0;
    if (!leerCantidad(t, v)) {
      refusar(k, QStringLiteral("El valor para cant ") + numero + QStringLiteral(" no es un número!"), kTituloIncorrectos);
      return Resultado::Rechazado;
    }
    if (v < 0) {
      refusar(k, QStringLiteral("El valor para cant ") + numero + QStringLiteral(" no puede ser negativo!"),
              kTituloIncorrectos);
      return Resultado::Rechazado;
    }
    suma += v;
  }
  double maximo = 0;
  if (!leerCantidad(CantidadMaxima, maximo)) {
    ws.MsgBox(kMaximaNoNumero, Botones::Ok, kTituloIncorrectos);
  } else if (pasa(suma, maximo)) {
    ws.MsgBox(mensajeSuma_ + QStringLiteral(" <") + SKU + QStringLiteral("> "));
  } else {
    aplicado = separar(ws, cantidades, true);
  }
  resultado = aplicado ? Resultado::Hecho : Resultado::Rechazado;
  cerrado = true;
  return resultado;
}

Resultado SepararModelo::Command2_Click() {
  cerrado = true;
  return Resultado::Cancelado;
}

Resultado dosrenglones(Workspace& ws) {
  return abrirSeparacion(ws, 2, QStringLiteral("ENTRO A LA FUNCION-----dosrenglones"),
                  QStringLiteral("TERMINO LA FUNCION-----dosrenglones"));
}
Resultado tresrenglones(Workspace& ws) {
  return abrirSeparacion(ws, 3, QStringLiteral("ENTRO A LA FUNCION-----tresrenglones"),
                  QStringLiteral("TERMINO LA FUNCION-----tresrenglones"));
}
Resultado cuatrorenglones(Workspace& ws) {
  return abrirSeparacion(ws, 4, QStringLiteral("ENTRO AL EVENTO-----cuatrorenglones"),
                  QStringLiteral("TERMINO EL EVENTO-----cuatrorenglones"));
}
Resultado cincorenglones(Workspace& ws) {
  return abrirSeparacion(ws, 5, QStringLiteral("ENTRO A LA FUNCION-----cincorenglones"),
                  QStringLiteral("TERMINO LA FUNCION-----cincorenglones"));
}
Resultado diezrenglones(Workspace& ws) {
  return abrirSeparacion(ws, 10, QStringLiteral("ENTRO AL EVENTO-----diezrenglones"),
                  QStringLiteral("TERMINO EL EVENTO-----diezrenglones"));
}

Resultado two_Click(Workspace& ws) { return dosrenglones(ws); }
Resultado three_Click(Workspace& ws) { return tresrenglones(ws); }
Resultado four_Click(Workspace& ws) { return cuatrorenglones(ws); }
Resultado five_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----five_Click"), QStringLiteral("TERMINO EL EVENTO-----five_Click"));
  return cmd.fin(cincorenglones(ws));
}
Resultado ten_Click(Workspace& ws) { return diezrenglones(ws); }

// ------------------------------------------------------------------ any size

const QString Form3Modelo::kTitulo = QStringLiteral("Separar en múltiples renglones");
const QString Form3Modelo::kEtiquetaSku = QStringLiteral("SKU:");
const QString Form3Modelo::kEtiquetaTienda = QStringLiteral("Tienda:");
const QString Form3Modelo::kEtiquetaMaxima = QStringLiteral("Cant. max.");
const QString Form3Modelo::kEtiquetaText3 = QStringLiteral("Número de renglones en los que se desea dividir el SKU:");
const QString Form3Modelo::kEtiquetaGrid = QStringLiteral("Cantidades por renglón:");
const QString Form3Modelo::kEncabezadoGrid = QStringLiteral("Cantidades");
const QString Form3Modelo::kAceptar = QStringLiteral("Aceptar");
const QString Form3Modelo::kCancelar = QStringLiteral("Cancelar");

Form3Modelo::Form3Modelo(Workspace& w) : ws(w) { vaSpread1.setHeaderText(Form3Modelo::kColumna, kEncabezadoGrid); }

void Form3Modelo::log(const QString& texto) { ws.EscribirLog(QStringLiteral("FORM3-----") + texto); }

// The form has always run the fixed-size dialogs' minimum-quantity test here
// on its own quantities grid, which is empty while it loads: that test has
// nothing to say, so loading shows no message and ends with the checks of
// the detail grid back on.
void Form3Modelo::Form_Load() {
  log(QStringLiteral("ENTRO AL EVENTO-----Form_Load"));
  ws.sinvalidar = true;
  ws.sinvalidar = false;
}

bool Form3Modelo::leerRenglones(int& n, bool avisar) {
  static const QRegularExpression entero(QStringLiteral("^\\s*\\+?\\d+\\s*$"));
  const QString t = Text3.trimmed();
  n = 0;
  if (!entero.match(t).hasMatch()) {
    if (avisar)
      ws.MsgBox(QStringLiteral("El número de renglones debe ser un número entero mayor que cero."), Botones::Ok,
                kTituloAviso, Icono::Exclamacion);
    return false;
  }
  // Long runs of digits are beyond any limit; no need to read them.
  const QString digitos = t.mid(t.startsWith(QLatin1Char('+')) ? 1 : 0);
  const bool enorme = digitos.size() > 9;
  n = enorme ? Grid::kLimiteRenglones + 1 : digitos.toInt();
  if (n > Grid::kLimiteRenglones) {
    if (avisar)
      ws.MsgBox(QStringLiteral("El número de renglones no puede ser mayor que %1.").arg(Grid::kLimiteRenglones),
                Botones::Ok, kTituloAviso, Icono::Exclamacion);
    return false;
  }
  return true;
}

bool Form3Modelo::Text3_LostFocus() {
  if (Text3.isEmpty() || Text3 == QStringLiteral("0")) return true;
  int n = 0;
  if (!leerRenglones(n, true)) {
    foco = QStringLiteral("Text3");
    return false;
  }
  if (n > 0 && n != filas()) vaSpread1.setRowLimit(n);
  return true;
}

Resultado Form3Modelo::Command1_Click() {
  log(QStringLiteral("ENTRO AL EVENTO-----Command1_Click"));
  ws.sinvalidar = true;
  // A number typed but not yet applied to the grid is applied now, so the
  // rows checked are the rows that will be written.
  if (!Text3.isEmpty() && Text3 != QStringLiteral("0")) {
    int n = 0;
    if (!leerRenglones(n, true)) {
      foco = QStringLiteral("Text3");
      return Resultado::Rechazado;
    }
    if (n > 0 && n != filas()) vaSpread1.setRowLimit(n);
  }

  double total = 0;
  const int filasGrid = filas();
  for (int i = 1; i <= filasGrid; ++i) {
    const QString t = vaSpread1.text(Form3Modelo::kColumna, i);
    double v = 0;
    const bool numero = leerCantidad(t, v);
    if (t.isEmpty() || t == QStringLiteral("0") || (numero && v == 0)) {
      ws.MsgBox(QStringLiteral("No se pueden dejar renglones en blanco o en ceros."), Botones::Ok, kTituloAviso,
                Icono::Exclamacion);
      vaSpread1.setActiveCell(Form3Modelo::kColumna, i);
      foco = QStringLiteral("vaSpread1");
      return Resultado::Rechazado;
    }
    if (!numero || v < 0) {
      ws.MsgBox(QStringLiteral("La cantidad del renglón %1 debe ser un número mayor que cero.").arg(i), Botones::Ok,
                kTituloAviso, Icono::Exclamacion);
      vaSpread1.setActiveCell(Form3Modelo::kColumna, i);
      foco = QStringLiteral("vaSpread1");
      return Resultado::Rechazado;
    }
    total += v;
  }

  if (Text3.isEmpty() || Text3 == QStringLiteral("0")) {
    ws.MsgBox(QStringLiteral("Debe especificar el número de renglones en que desea dividir el SKU."), Botones::Ok,
              kTituloAviso, Icono::Informacion);
    foco = QStringLiteral("Text3");
    return Resultado::Rechazado;
  }

  double maximo = 0;
  if (!leerCantidad(CantMax, maximo)) {
    ws.MsgBox(kMaximaNoNumero, Botones::Ok, kTituloIncorrectos);
    return Resultado::Rechazado;
  }
  if (pasa(total, maximo)) {
    ws.MsgBox(QStringLiteral("La sumatoria de las cantidades sobrepasa la cantidad máxima del SKU") +
              QStringLiteral(" <") + SKU + QStringLiteral("> "));
    return Resultado::Rechazado;
  }

  QStringList cantidades;
  cantidades.reserve(filasGrid);
  for (int i = 1; i <= filasGrid; ++i) cantidades.append(vaSpread1.text(Form3Modelo::kColumna, i));
  // The limit message is shown; the dialog stays.
  if (!separar(ws, cantidades, false)) return Resultado::Rechazado;
  aplicado = true;
  ws.sinvalidar = false;
  cerrado = true;
  resultado = Resultado::Hecho;
  return resultado;
}

Resultado Form3Modelo::Command2_Click() {
  cerrado = true;
  return Resultado::Cancelado;
}

Resultado mult_renglones_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----mult_renglones_Click"),
              QStringLiteral("TERMINO EL EVENTO-----mult_renglones_Click"));
  Resultado r = Resultado::Rechazado;
  {
    EscrituraDelSistema escritura(ws);
    double q = 0;
    // No minimum quantity here: a line of 1 may be "split" into one line.
    if (lineaActiva(ws, q)) {
      const int a = ws.vaspread1.activeRow();
      Form3Modelo dialogo(ws);
      dialogo.Form_Load();
      dialogo.CantMax = ws.vaspread1.text(colDetalle::Cantidad, a);
      dialogo.SKU = ws.vaspread1.text(colDetalle::Sku, a);
      dialogo.Tienda = ws.vaspread1.text(colDetalle::Tienda, a);
      ws.prompter.ejecutarDialogo(dialogo);
      r = dialogo.resultado;
    }
  }
  return cmd.fin(r);
}

Resultado b_separar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_separar_Click"), QStringLiteral("TERMINO EL EVENTO-----b_separar_Click"));
  return cmd.fin(mult_renglones_Click(ws));
}
