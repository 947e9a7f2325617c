#include "batch/lote.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QStringDecoder>
#include <QTime>
#include <exception>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "batch/empacar.h"
#include "batch/enviar_lote.h"
#include "batch/prompter_lote.h"
#include "client/conexion_ftp.h"
#include "client/form5.h"
#include "consolidation/form2.h"
#include "documents/notice_check.h"
#include "editing/detail_rules.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "documents/document_commands.h"
#include "notice/header_fields.h"
#include "notice/output.h"
#include "workfile/workfile.h"
#include "startup/startup.h"
#include "subida/claves.h"
#include "workspace/workspace.h"

namespace lote {

namespace {

const QString kPrograma = QStringLiteral("aviso-lote");

// ------------------------------------------------------------------ arguments

struct Opciones {
  QString comando;
  QStringList posicionales;
  std::map<QString, QStringList> valores;  // option name without "--"
  bool ayuda = false;

  bool tiene(const QString& o) const { return valores.count(o) > 0; }
  QString valor(const QString& o) const {
    auto it = valores.find(o);
    return it == valores.end() || it->second.isEmpty() ? QString() : it->second.last();
  }
  QStringList todos(const QString& o) const {
    auto it = valores.find(o);
    return it == valores.end() ? QStringList() : it->second;
  }
};

// Options that take a value, and whether they may be repeated.
const std::map<QString, bool>& opcionesConValor() {
  static const std::map<QString, bool> o = {
      {QStringLiteral("carpeta"), false},  {QStringLiteral("hoy"), false},     {QStringLiteral("respuesta"), true},
      {QStringLiteral("cliente"), false},  {QStringLiteral("proveedor"), false}, {QStringLiteral("rfc"), false},
      {QStringLiteral("orden"), true},     {QStringLiteral("tipo"), false},    {QStringLiteral("datos"), true},
      {QStringLiteral("detalle"), true},   {QStringLiteral("trabajo"), false}, {QStringLiteral("entrega"), false},
      {QStringLiteral("fecha"), false},    {QStringLiteral("hora"), false},    {QStringLiteral("aviso"), false},
      {QStringLiteral("pdf"), false},      {QStringLiteral("formato"), false}, {QStringLiteral("escaneos"), false},
      // conexion
      {QStringLiteral("servidor"), false}, {QStringLiteral("puerto"), false}, {QStringLiteral("protocolo"), false},
      {QStringLiteral("usuario"), false}, {QStringLiteral("recordar"), false},
      {QStringLiteral("carpeta-remota"), false}, {QStringLiteral("nombre-remoto"), false},
      {QStringLiteral("espera"), false}, {QStringLiteral("proxy"), false}, {QStringLiteral("proxy-servidor"), false},
      {QStringLiteral("proxy-puerto"), false}, {QStringLiteral("proxy-usuario"), false},
      {QStringLiteral("clave-archivo"), false}, {QStringLiteral("proxy-clave-archivo"), false},
      // enviar
      {QStringLiteral("aceptar-huella"), false}};
  return o;
}

// Options that take no value.
bool esBandera(const QString& nombre) {
  return nombre == QStringLiteral("conservar") || nombre == QStringLiteral("reenviar");
}

// The options each command takes (besides --carpeta, --hoy and --respuesta).
const std::map<QString, std::set<QString>>& opcionesDeComando() {
  static const std::map<QString, std::set<QString>> o = {
      {QStringLiteral("cliente"), {QStringLiteral("cliente"), QStringLiteral("proveedor"), QStringLiteral("rfc")}},
      {QStringLiteral("importar"),
       {QStringLiteral("orden"), QStringLiteral("tipo"), QStringLiteral("datos"), QStringLiteral("detalle"),
        QStringLiteral("trabajo")}},
      {QStringLiteral("etiquetas"),
       {QStringLiteral("entrega"), QStringLiteral("hora"), QStringLiteral("pdf"), QStringLiteral("formato")}},
      {QStringLiteral("lista"), {QStringLiteral("entrega"), QStringLiteral("hora"), QStringLiteral("pdf")}},
      {QStringLiteral("generar"),
       {QStringLiteral("entrega"), QStringLiteral("fecha"), QStringLiteral("hora"), QStringLiteral("aviso")}},
      {QStringLiteral("revisar"), {QStringLiteral("trabajo")}},
      {QStringLiteral("conexion"),
       {QStringLiteral("servidor"), QStringLiteral("puerto"), QStringLiteral("protocolo"), QStringLiteral("usuario"),
        QStringLiteral("recordar"), QStringLiteral("carpeta-remota"), QStringLiteral("nombre-remoto"),
        QStringLiteral("espera"), QStringLiteral("proxy"), QStringLiteral("proxy-servidor"),
        QStringLiteral("proxy-puerto"), QStringLiteral("proxy-usuario"), QStringLiteral("clave-archivo"),
        QStringLiteral("proxy-clave-archivo")}},
      {QStringLiteral("enviar"),
       {QStringLiteral("clave-archivo"), QStringLiteral("aceptar-huella"), QStringLiteral("reenviar")}},
      {QStringLiteral("empacar"), {QStringLiteral("escaneos"), QStringLiteral("trabajo"), QStringLiteral("conservar")}}};
  return o;
}

// A value as a message repeats it: a long one cut short.
QString recorte(const QString& valor) {
  return valor.size() <= 40 ? valor : valor.left(40) + QStringLiteral("... (%1 caracteres)").arg(valor.size());
}

// Whether an argument is an option of the program ("--tipo", "--ayuda", "--pdf=x.pdf").
bool esOpcion(const QString& a) {
  if (!a.startsWith(QStringLiteral("--")) || a.size() == 2) return false;
  const QString nombre = a.mid(2).section(QLatin1Char('='), 0, 0);
  return opcionesConValor().count(nombre) > 0 || esBandera(nombre) || nombre == QStringLiteral("ayuda") ||
         nombre == QStringLiteral("help");
}

// Reads the command line; false with the reason in `error`.
bool leerOpciones(const QStringList& args, Opciones& o, QString& error) {
  bool soloPosicionales = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString a = args[i];
    if (soloPosicionales || !a.startsWith(QLatin1Char('-')) || a == QStringLiteral("-")) {
      if (o.comando.isEmpty()) o.comando = a;
      else o.posicionales.append(a);
      continue;
    }
    if (a == QStringLiteral("--")) {
      soloPosicionales = true;
      continue;
    }
    if (a == QStringLiteral("--ayuda") || a == QStringLiteral("--help") || a == QStringLiteral("-h") ||
        a == QStringLiteral("-?")) {
      o.ayuda = true;
      continue;
    }
    if (!a.startsWith(QStringLiteral("--"))) {
      error = QStringLiteral("Opción desconocida: ") + a;
      return false;
    }
    QString nombre = a.mid(2);
    QString valor;
    bool conValor = false;
    const int igual = nombre.indexOf(QLatin1Char('='));
    if (igual >= 0) {
      valor = nombre.mid(igual + 1);
      nombre = nombre.left(igual);
      conValor = true;
    }
    if (esBandera(nombre)) {
      if (conValor) {
        error = QStringLiteral("La opción --") + nombre + QStringLiteral(" no lleva valor");
        return false;
      }
      o.valores[nombre].append(QString());
      continue;
    }
    auto it = opcionesConValor().find(nombre);
    if (it == opcionesConValor().end()) {
      error = QStringLiteral("Opción desconocida: --") + nombre;
      return false;
    }
    if (!conValor) {
      if (i + 1 >= args.size()) {
        error = QStringLiteral("Falta el valor de la opción --") + nombre;
        return false;
      }
      valor = args[++i];
      // "--trabajo --tipo" forgot a value: the next option is no file name.
      if (esOpcion(valor)) {
        error = QStringLiteral("Falta el valor de la opción --") + nombre + QStringLiteral(": \"") + valor +
                QStringLiteral("\" es una opción (un valor que empieza así se da como --") + nombre +
                QStringLiteral("=VALOR)");
        return false;
      }
    }
    QStringList& lista = o.valores[nombre];
    if (!it->second && !lista.isEmpty()) {
      error = QStringLiteral("La opción --") + nombre + QStringLiteral(" se dio más de una vez");
      return false;
    }
    lista.append(valor);
  }
  return true;
}

// ------------------------------------------------------------------ the run

// "Today" of the run: the system's, or the one given with --hoy.
class RelojLote : public Reloj {
 public:
  explicit RelojLote(QDate hoy) : hoy_(hoy) {}
  QDateTime ahora() const override {
    const QDateTime ahora = QDateTime::currentDateTime();
    return hoy_.isValid() ? QDateTime(hoy_, ahora.time()) : ahora;
  }

 private:
  QDate hoy_;
};

// A date written "dd/mm/aaaa" (one-digit day and month accepted).
QDate leerFecha(const QString& texto) {
  const QStringList partes = texto.trimmed().split(QLatin1Char('/'));
  if (partes.size() != 3 || partes[2].size() != 4) return {};
  bool ok1 = false, ok2 = false, ok3 = false;
  const int d = partes[0].toInt(&ok1), m = partes[1].toInt(&ok2), a = partes[2].toInt(&ok3);
  if (!ok1 || !ok2 || !ok3 || partes[0].size() > 2 || partes[1].size() > 2) return {};
  return QDate(a, m, d);
}

class Corrida {
 public:
  Corrida(const Opciones& o, const QString& carpeta, const QDate& hoy, QTextStream& err)
      : o_(o), prompter_(err), reloj_(hoy), ws_(carpeta, prompter_, reloj_) {}

  // Starts the workspace as the window does and runs the command.
  int correr() {
    for (const QString& r : o_.todos(QStringLiteral("respuesta"))) prompter_.respuestas.push_back(respuesta(r));
    try {
      Form_Load(ws_);
      if (o_.comando == QStringLiteral("cliente")) return cliente();
      if (o_.comando == QStringLiteral("conexion")) return conexion();
      if (o_.comando == QStringLiteral("enviar")) return envio();
      if (o_.comando == QStringLiteral("importar")) return importar();
      if (o_.comando == QStringLiteral("etiquetas") || o_.comando == QStringLiteral("lista")) return documento();
      if (o_.comando == QStringLiteral("empacar")) return empacar();
      return generar();
    } catch (const std::bad_alloc&) {
      ws_.errorInesperado(7, QStringLiteral("Memoria insuficiente"));
    } catch (const std::exception& ex) {
      ws_.errorInesperado(5, QString::fromLocal8Bit(ex.what()));
    } catch (...) {
      ws_.errorInesperado(51, QStringLiteral("Error interno"));
    }
    return kError;
  }

  void terminar() { prompter_.terminar(ws_.log.perdidas()); }

  static Respuesta respuesta(const QString& texto) {
    const QString t = texto.trimmed().toLower();
    if (t == QStringLiteral("si") || t == QString::fromUtf8("sí")) return Respuesta::Si;
    if (t == QStringLiteral("no")) return Respuesta::No;
    if (t == QStringLiteral("cancelar")) return Respuesta::Cancelar;
    return Respuesta::Ok;
  }

 private:
  // A refusal of the batch program itself (an argument the window could not
  // have taken): one line on standard error and the status.
  int rehusar(const QString& texto, int estado) {
    prompter_.aviso(kPrograma, texto);
    return estado;
  }
  // The exit status of a command of the system: how it ended, nothing else.
  static int estadoDe(Resultado r) {
    switch (r) {
      case Resultado::Hecho: return kHecho;
      case Resultado::Rechazado:
      case Resultado::Cancelado: return kRehusado;
      case Resultado::Fallido: break;
    }
    return kError;
  }

  int cliente();
  int conexion();
  int envio();
  int importar();
  int generar();
  int documento();
  int empacar();

  // importar's steps
  bool elegirPedidosInf(Form2Modelo& f, int& estado);
  int escribirTipo();
  int escribirDatos(const QString& valor);
  int escribirDetalle(const QString& valor);
  int guardarTrabajo(const QString& ruta);
  bool leerValores(const QString& opcion, QStringList& valores);
  int abrirTrabajo(const QString& ruta);

  // First detail row of each store and SKU.
  static QString claveDetalle(const QString& tienda, const QString& sku) { return tienda + QChar(0) + sku; }
  QHash<QString, int> filasDetalle_;

  const Opciones& o_;
  PrompterLote prompter_;
  RelojLote reloj_;
  Workspace ws_;
};

// ------------------------------------------------------------------ cliente

int Corrida::cliente() {
  Form5Modelo forma(ws_);
  forma.Form_Load();
  struct Caja {
    const char* opcion;
    Form5Modelo::Caja caja;
    const char* que;
  };
  const Caja cajas[] = {{"cliente", Form5Modelo::Caja::ncliente, "el número de cliente"},
                        {"proveedor", Form5Modelo::Caja::Text2, "el número de proveedor"},
                        {"rfc", Form5Modelo::Caja::rfc, "el RFC"}};
  for (const Caja& c : cajas) {
    const QString opcion = QString::fromLatin1(c.opcion);
    if (!o_.tiene(opcion)) continue;
    // The user selects the box's text and types over it.
    forma.caja(c.caja).clear();
    if (!forma.teclear(c.caja, o_.valor(opcion)))
      return rehusar(QStringLiteral("--") + opcion + QStringLiteral(": ") + QString::fromUtf8(c.que) +
                         QStringLiteral(" \"") + o_.valor(opcion) +
                         QStringLiteral("\" no se puede teclear así (caracteres no permitidos o más de %1)")
                             .arg(Form5Modelo::maximo(c.caja)),
                     kError);
  }
  forma.rfc_LostFocus(QStringLiteral("aceptar"));
  return estadoDe(forma.aceptar_Click());
}

// ------------------------------------------------------------------ conexion

// A choice among words, written in any case and with or without accents.
int eleccion(const QString& valor, const QStringList& palabras) {
  const QString v = valor.trimmed().toLower();
  return palabras.indexOf(v);
}

int Corrida::conexion() {
  ConexionFtpModelo forma(ws_);
  forma.Form_Load();
  struct Caja {
    const char* opcion;
    QString* caja;
  };
  const Caja cajas[] = {{"servidor", &forma.servidor},          {"puerto", &forma.puerto},
                        {"usuario", &forma.usuario},            {"carpeta-remota", &forma.carpeta},
                        {"nombre-remoto", &forma.nombre},       {"espera", &forma.espera},
                        {"proxy-servidor", &forma.proxyServidor}, {"proxy-puerto", &forma.proxyPuerto},
                        {"proxy-usuario", &forma.proxyUsuario}};
  for (const Caja& c : cajas)
    if (o_.tiene(QString::fromLatin1(c.opcion))) *c.caja = o_.valor(QString::fromLatin1(c.opcion));
  struct Lista {
    const char* opcion;
    int* eleccion;
    QStringList palabras;
  };
  const Lista listas[] = {
      {"protocolo", &forma.protocolo,
       {QStringLiteral("sftp"), QStringLiteral("ftps"), QStringLiteral("ftps-implicito"), QStringLiteral("ftp")}},
      {"proxy", &forma.proxy, {QStringLiteral("ninguno"), QStringLiteral("socks5"), QStringLiteral("http")}}};
  for (const Lista& l : listas) {
    const QString opcion = QString::fromLatin1(l.opcion);
    if (!o_.tiene(opcion)) continue;
    const int i = eleccion(o_.valor(opcion), l.palabras);
    if (i < 0)
      return rehusar(QStringLiteral("--") + opcion + QStringLiteral(" \"") + recorte(o_.valor(opcion)) +
                         QStringLiteral("\": se espera ") + l.palabras.join(QStringLiteral(", ")),
                     kError);
    *l.eleccion = i;
  }
  if (o_.tiene(QStringLiteral("recordar"))) {
    const int i = eleccion(o_.valor(QStringLiteral("recordar")), {QStringLiteral("no"), QStringLiteral("si")});
    if (i < 0) return rehusar(QStringLiteral("--recordar: se espera si o no"), kError);
    forma.recordar = i == 1;
  }
  // A password comes only from a file, and only to be remembered: without a
  // store it is asked at each send, so nothing is changed.
  const struct {
    const char* opcion;
    QString* caja;
  } claves[] = {{"clave-archivo", &forma.clave}, {"proxy-clave-archivo", &forma.proxyClave}};
  for (const auto& c : claves) {
    const QString opcion = QString::fromLatin1(c.opcion);
    if (!o_.tiene(opcion)) continue;
    QString error;
    const std::optional<QString> clave = claveDeArchivo(o_.valor(opcion), &error);
    if (!clave) return rehusar(QStringLiteral("--") + opcion + QStringLiteral(": ") + error, kError);
    if (!forma.almacen)
      return rehusar(QStringLiteral("--") + opcion + QStringLiteral(": ") + ConexionFtpModelo::kSinAlmacen +
                         QStringLiteral(" No se cambió nada."),
                     kRehusado);
    if (!o_.tiene(QStringLiteral("recordar"))) forma.recordar = true;
    *c.caja = *clave;
  }
  return estadoDe(forma.aceptar_Click());
}

// ------------------------------------------------------------------ enviar

int Corrida::envio() {
  DatosEnvio e;
  e.aviso = o_.posicionales.value(0);
  e.claveArchivo = o_.valor(QStringLiteral("clave-archivo"));
  e.aceptarHuella = o_.valor(QStringLiteral("aceptar-huella"));
  e.reenviar = o_.tiene(QStringLiteral("reenviar"));
  return enviar(ws_, e, [this](const QString& titulo, const QString& texto) { prompter_.aviso(titulo, texto); });
}

// ------------------------------------------------------------------ importar

// The entry of the dialog's list for an --orden value: its exact text
// ("OC - DEPTO"), the order and department however the blanks around the
// hyphen were written, or the order number alone when it names one entry.
int buscarEntrada(const ListaOrdenes& lista, const QString& pedido, bool& ambigua) {
  ambigua = false;
  const int exacta = lista.buscar(pedido);
  if (exacta >= 0) return exacta;
  const QString p = pedido.trimmed();
  const int guion = p.indexOf(QLatin1Char('-'));
  if (guion > 0) {
    const QString orden = p.left(guion).trimmed(), depto = p.mid(guion + 1).trimmed();
    for (int i = 0; i < lista.size(); ++i)
      if (lista.entradas[i].orden == orden && lista.entradas[i].depto == depto) return i;
  }
  int hallada = -1;
  for (int i = 0; i < lista.size(); ++i) {
    if (lista.entradas[i].orden != p) continue;
    if (hallada >= 0 && lista.entradas[hallada].texto != lista.entradas[i].texto) {
      ambigua = true;
      return -1;
    }
    if (hallada < 0) hallada = i;
  }
  return hallada;
}

// Answers the consolidation dialog: each --orden added in the order given, then Aceptar.
bool Corrida::elegirPedidosInf(Form2Modelo& f, int& estado) {
  const auto abandonar = [&f](int e, int& estado) {
    estado = e;
    if (!f.cerrado) f.Command4_Click();
    return false;
  };
  for (const QString& pedido : o_.todos(QStringLiteral("orden"))) {
    bool ambigua = false;
    if (buscarEntrada(f.List2, pedido, ambigua) >= 0) continue;  // already chosen
    const int i = buscarEntrada(f.List1, pedido, ambigua);
    if (i < 0) {
      QStringList hay = f.List1.textos();
      hay.removeDuplicates();
      rehusar(QStringLiteral("--orden \"") + pedido +
                  (ambigua ? QStringLiteral("\": la orden está en varios departamentos; dé \"OC - DEPTO\"")
                           : QStringLiteral("\" no está en el archivo")) +
                  QStringLiteral(" (órdenes del archivo: ") + hay.join(QStringLiteral("; ")) + QStringLiteral(")"),
              kError);
      return abandonar(kError, estado);
    }
    // A click on the entry in List1, then ">>Añadir >>"; the dialog says why it refuses one.
    f.List1.indice = i;
    f.Barra_V1();
    const Resultado r = f.Command1_Click();
    if (r != Resultado::Hecho) return abandonar(estadoDe(r), estado);
  }
  const Resultado r = f.Command2_Click();
  if (r != Resultado::Hecho) return abandonar(estadoDe(r), estado);
  return true;
}

int Corrida::escribirTipo() {
  const QString tipo = o_.valor(QStringLiteral("tipo"));
  Grid& g = ws_.vaSpread9;
  const int tipoMov = colPedidos::TipoMovimiento;
  if (g.dataRowCount() != 1 || g.locked(tipoMov, 1)) {
    if (g.text(tipoMov, 1) == tipo) return kHecho;
    prompter_.aviso(kPrograma, QStringLiteral("--tipo no se aplica: el envío tiene varios pedidos y su tipo de "
                                              "movimiento es \"") +
                                   g.text(tipoMov, 1) + QStringLiteral("\""));
    return kHecho;
  }
  // The cell offers its drop-down list; only one of its entries can be chosen.
  const QStringList lista = g.dropDownList(tipoMov, 1);
  QString elegido;
  for (const QString& e : lista)
    if (e.compare(tipo.trimmed(), Qt::CaseInsensitive) == 0) elegido = e;
  if (elegido.isEmpty() && lista.isEmpty() && !tipo.trimmed().isEmpty()) elegido = tipo.trimmed();
  if (elegido.isEmpty())
    return rehusar(QStringLiteral("--tipo \"") + tipo + QStringLiteral("\" no es un tipo de movimiento de la lista (") +
                       lista.join(QStringLiteral(", ")) + QStringLiteral(")"),
                   kError);
  vaSpread9_GotFocus(ws_);
  vaSpread9_LeaveCell(ws_, tipoMov, 1);
  if (!vaSpread9_Teclear(ws_, tipoMov, 1, elegido))
    return rehusar(QStringLiteral("--tipo \"") + tipo + QStringLiteral("\" no se pudo escribir"), kError);
  return kHecho;
}

// --datos "OC|NUM VORARIDO|FACTURA|IMPORTE": typed into the order's row of
// vaSpread9 (shipment number, invoice, amount), through the table's key filter. An empty
// part leaves its cell as it is.
int Corrida::escribirDatos(const QString& valor) {
  const QStringList partes = valor.split(QLatin1Char('|'));
  if (partes.size() != 4)
    return rehusar(QStringLiteral("--datos \"") + valor +
                       QStringLiteral("\" debe tener la forma \"OC|NUM VORARIDO|FACTURA|IMPORTE\""),
                   kError);
  Grid& g = ws_.vaSpread9;
  const QString orden = partes[0].trimmed();
  int fila = 0;
  for (int r = 1; r <= g.dataRowCount() && fila == 0; ++r)
    if (g.text(colPedidos::Orden, r) == orden) fila = r;
  if (fila == 0) {
    QStringList hay;
    for (int r = 1; r <= g.dataRowCount(); ++r) hay.append(g.text(colPedidos::Orden, r));
    return rehusar(QStringLiteral("--datos: la orden \"") + orden +
                       QStringLiteral("\" no es una de las órdenes del envío (") + hay.join(QStringLiteral(", ")) +
                       QStringLiteral(")"),
                   kError);
  }
  vaSpread9_GotFocus(ws_);
  for (int c = colPedidos::NumVorarido; c <= colPedidos::Importe; ++c) {
    const QString texto = partes[c - colPedidos::NumVorarido + 1];
    if (texto.isEmpty()) continue;
    const QPoint destino = vaSpread9_LeaveCell(ws_, c, fila);
    if (!vaSpread9_Teclear(ws_, destino.x(), fila, texto))
      return rehusar(QStringLiteral("--datos: \"") + texto + QStringLiteral("\" no se puede teclear en la columna \"") +
                         g.headerText(c) + QStringLiteral("\" de la orden ") + orden,
                     kError);
  }
  return kHecho;
}

// --detalle "TIENDA|SKU|CANTIDAD|CONTENEDOR": typed into the detail line of
// that store and SKU, quantity then container, through the grid's change
// handler. An empty part leaves its cell as it is.
int Corrida::escribirDetalle(const QString& valor) {
  const QStringList partes = valor.split(QLatin1Char('|'));
  if (partes.size() != 4)
    return rehusar(QStringLiteral("--detalle \"") + valor +
                       QStringLiteral("\" debe tener la forma \"TIENDA|SKU|CANTIDAD|CONTENEDOR\""),
                   kError);
  Grid& g = ws_.vaspread1;
  // Typing moves no row, so one index of the lines serves every value.
  if (filasDetalle_.isEmpty()) {
    const int n = g.dataRowCount();
    filasDetalle_.reserve(n);
    for (int r = n; r >= 1; --r) filasDetalle_.insert(claveDetalle(g.text(colDetalle::Tienda, r), g.text(colDetalle::Sku, r)), r);
  }
  const int fila = filasDetalle_.value(claveDetalle(partes[0].trimmed(), partes[1].trimmed()), 0);
  if (fila == 0)
    return rehusar(QStringLiteral("--detalle: no hay un renglón de la tienda \"") + partes[0].trimmed() +
                       QStringLiteral("\" con el SKU \"") + partes[1].trimmed() + QStringLiteral("\""),
                   kError);
  vaspread1_GotFocus(ws_);
  const int columnas[] = {colDetalle::Cantidad, colDetalle::Contenedor};
  for (int i = 0; i < 2; ++i) {
    const QString texto = partes[2 + i].trimmed();
    if (texto.isEmpty()) continue;
    const int c = columnas[i];
    const QPoint destino = vaspread1_LeaveCell(ws_, c, fila);
    // The change handler sets a refused value back and says why.
    const Resultado r = vaspread1_Editar(ws_, destino.x(), destino.y(), texto);
    if (r != Resultado::Hecho) return estadoDe(r);
  }
  return kHecho;
}

// The values of --datos or --detalle. A value without "|" that names a file
// stands for the lines of that file, one value a line (empty lines and lines
// that begin with "#" left out), in UTF-8 or in the system's Windows-1252.
bool Corrida::leerValores(const QString& opcion, QStringList& valores) {
  for (const QString& v : o_.todos(opcion)) {
    if (v.contains(QLatin1Char('|')) || !QFileInfo(v).isFile()) {
      valores.append(v);
      continue;
    }
    QByteArray bytes;
    const texto::Resultado r = texto::leerBytes(v, bytes);
    if (!r.ok) {
      rehusar(QStringLiteral("--") + opcion + QStringLiteral(": no se pudo leer el archivo ") + v +
                  QStringLiteral(": ") + r.descripcion,
              kError);
      return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString t = utf8.decode(bytes);
    if (utf8.hasError()) t = texto::desde1252(bytes);
    if (t.startsWith(QChar(0xFEFF))) t.remove(0, 1);
    for (const QString& linea : texto::partirLineas(t))
      if (!linea.trimmed().isEmpty() && !linea.startsWith(QLatin1Char('#'))) valores.append(linea);
  }
  return true;
}

int Corrida::importar() {
  if (o_.posicionales.isEmpty())
    return rehusar(QStringLiteral("importar: falta el archivo de pedidos"), kError);
  const QString pedidos = o_.posicionales[0];
  QString trabajo = o_.valor(QStringLiteral("trabajo"));
  if (trabajo.isEmpty() && o_.posicionales.size() == 2) trabajo = o_.posicionales[1];
  if (o_.posicionales.size() > (o_.tiene(QStringLiteral("trabajo")) ? 1 : 2))
    return rehusar(QStringLiteral("importar: sobran argumentos: ") + o_.posicionales.mid(1).join(QLatin1Char(' ')),
                   kError);
  if (trabajo.isEmpty()) return rehusar(QStringLiteral("importar: falta --trabajo SALIDA"), kError);
  const QStringList ordenes = o_.todos(QStringLiteral("orden"));
  if (ordenes.isEmpty()) return rehusar(QStringLiteral("importar: falta --orden"), kError);
  const bool tabulador = QFileInfo(pedidos).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
  if (tabulador && ordenes.size() != 1)
    return rehusar(QStringLiteral("importar: un archivo delimitado por tabuladores lleva una sola --orden"), kError);
  prompter_.archivosAbrir.push_back(pedidos);
  if (tabulador) {
    const Resultado leido = arrch_tabulador_Click(ws_);
    if (leido != Resultado::Hecho) return estadoDe(leido);
    // An order file without a single order line is bad input, not a refusal
    // by a rule of the shipment.
    if (ws_.Combo2.entradas.isEmpty())
      return rehusar(QStringLiteral("importar: el archivo ") + pedidos + QStringLiteral(" no tiene órdenes de compra"),
                     kError);
    // The choice in the order list: the order number, or "OC - DEPTO" whose order it is.
    QString elegida = ordenes[0];
    if (!ws_.Combo2.entradas.contains(elegida)) {
      const int guion = elegida.indexOf(QLatin1Char('-'));
      if (guion > 0 && ws_.Combo2.entradas.contains(elegida.left(guion).trimmed())) elegida = elegida.left(guion).trimmed();
      else if (ws_.Combo2.entradas.contains(elegida.trimmed())) elegida = elegida.trimmed();
    }
    const int i = static_cast<int>(ws_.Combo2.entradas.indexOf(elegida));
    if (i < 0)
      return rehusar(QStringLiteral("--orden \"") + ordenes[0] + QStringLiteral("\" no está en la lista de órdenes (") +
                         ws_.Combo2.entradas.join(QStringLiteral("; ")) + QStringLiteral(")"),
                     kError);
    ws_.Combo2.indice = i;
    ws_.Combo2.texto = elegida;
    const Resultado elegido = Combo2_Click(ws_);
    if (elegido != Resultado::Hecho) return estadoDe(elegido);
  } else {
    // The dialog's driver says why it gave up; otherwise the import does.
    int eleccion = kHecho;
    prompter_.dialogos[QStringLiteral("Form2")] = [this, &eleccion](DialogoModelo& m) {
      elegirPedidosInf(static_cast<Form2Modelo&>(m), eleccion);
    };
    const Resultado importado = importararchiv_Click(ws_);
    prompter_.dialogos.erase(QStringLiteral("Form2"));
    if (eleccion != kHecho) return eleccion;
    if (importado != Resultado::Hecho) return estadoDe(importado);
  }
  if (ws_.vaSpread9.dataRowCount() == 0) {
    prompter_.aviso(kPrograma, QStringLiteral("importar: la orden elegida no tiene renglones en el archivo"));
    return kRehusado;
  }

  if (o_.tiene(QStringLiteral("tipo"))) {
    const int e = escribirTipo();
    if (e != kHecho) return e;
  }
  QStringList datos, detalle;
  if (!leerValores(QStringLiteral("datos"), datos) || !leerValores(QStringLiteral("detalle"), detalle)) return kError;
  for (const QString& d : datos) {
    const int e = escribirDatos(d);
    if (e != kHecho) return e;
  }
  for (const QString& d : detalle) {
    const int e = escribirDetalle(d);
    if (e != kHecho) return e;
  }
  return guardarTrabajo(trabajo);
}

// The save command of Archivo > "Guardar como ...", its dialog answered with SALIDA.
int Corrida::guardarTrabajo(const QString& ruta) {
  prompter_.archivosGuardar.push_back(ruta);
  const Resultado r = guardararchiv_Click(ws_);
  prompter_.archivosGuardar.clear();
  return estadoDe(r);
}

// The open command of Archivo > "Abrir", its dialog answered with TRABAJO.
int Corrida::abrirTrabajo(const QString& ruta) {
  prompter_.archivosAbrir.push_back(ruta);
  const Resultado r = abrirarchiv_Click(ws_);
  prompter_.archivosAbrir.clear();
  return estadoDe(r);
}

// ------------------------------------------------------------------ empacar

// Opens the work file, applies the scans and saves the result to --trabajo
// with the save command; a refused scan writes nothing.
int Corrida::empacar() {
  const QString nombre = QStringLiteral("empacar: ");
  if (o_.posicionales.isEmpty()) return rehusar(nombre + QStringLiteral("falta el archivo de trabajo"), kError);
  if (o_.posicionales.size() > 1)
    return rehusar(nombre + QStringLiteral("sobran argumentos: ") + o_.posicionales.mid(1).join(QLatin1Char(' ')),
                   kError);
  const QString escaneos = o_.valor(QStringLiteral("escaneos"));
  if (escaneos.isEmpty()) return rehusar(nombre + QStringLiteral("falta --escaneos ARCHIVO"), kError);
  const QString salida = o_.valor(QStringLiteral("trabajo"));
  if (salida.isEmpty()) return rehusar(nombre + QStringLiteral("falta --trabajo SALIDA"), kError);
  // The open's line per copied cell (sixteen per line of the work file) says
  // nothing of the packing and takes seconds at 50,000 lines; every scan
  // writes its own line.
  ws_.log.setTrazaPorCelda(false);
  const int e = abrirTrabajo(o_.posicionales[0]);
  if (e != kHecho) return e;
  const int empacado = empacarEscaneos(ws_, prompter_, escaneos, o_.tiene(QStringLiteral("conservar")));
  if (empacado != kHecho) return empacado;
  return guardarTrabajo(salida);
}

// ------------------------------------------------------------------ generar

// The hour as one of the entries of Combo3: "09:00", "9:00", "09" or "9".
int buscarHora(const Lista& combo3, const QString& hora) {
  QString h = hora.trimmed();
  if (!h.contains(QLatin1Char(':'))) h += QStringLiteral(":00");
  if (h.indexOf(QLatin1Char(':')) == 1) h.prepend(QLatin1Char('0'));
  return static_cast<int>(combo3.entradas.indexOf(h));
}

int Corrida::generar() {
  if (o_.posicionales.isEmpty()) return rehusar(QStringLiteral("generar: falta el archivo de trabajo"), kError);
  const QString trabajo = o_.posicionales[0];
  QString aviso = o_.valor(QStringLiteral("aviso"));
  if (aviso.isEmpty() && o_.posicionales.size() == 2) aviso = o_.posicionales[1];
  if (o_.posicionales.size() > (o_.tiene(QStringLiteral("aviso")) ? 1 : 2))
    return rehusar(QStringLiteral("generar: sobran argumentos: ") + o_.posicionales.mid(1).join(QLatin1Char(' ')),
                   kError);
  if (aviso.isEmpty()) return rehusar(QStringLiteral("generar: falta --aviso SALIDA"), kError);
  if (o_.tiene(QStringLiteral("entrega")) && o_.tiene(QStringLiteral("fecha")))
    return rehusar(QStringLiteral("generar: --entrega y --fecha son la misma opción; dé sólo una"), kError);
  const QString textoFecha =
      o_.tiene(QStringLiteral("entrega")) ? o_.valor(QStringLiteral("entrega")) : o_.valor(QStringLiteral("fecha"));
  const bool conFecha = o_.tiene(QStringLiteral("entrega")) || o_.tiene(QStringLiteral("fecha"));
  const QDate fecha = leerFecha(textoFecha);
  if (conFecha && !fecha.isValid())
    return rehusar(QStringLiteral("--entrega \"") + textoFecha + QStringLiteral("\" no es una fecha DD/MM/AAAA"), kError);
  int hora = -1;
  if (o_.tiene(QStringLiteral("hora"))) {
    hora = buscarHora(ws_.Combo3, o_.valor(QStringLiteral("hora")));
    if (hora < 0)
      return rehusar(QStringLiteral("--hora \"") + o_.valor(QStringLiteral("hora")) +
                         QStringLiteral("\" no es una de las horas de entrega (") +
                         ws_.Combo3.entradas.join(QStringLiteral(", ")) + QStringLiteral(")"),
                     kError);
  }

  const int e = abrirTrabajo(trabajo);
  if (e != kHecho) return e;

  if (conFecha) {
    // The picker refuses the date: a day before today, which it does not
    // offer (said here, as the picker says nothing), or a Saturday or Sunday,
    // which it refuses itself.
    if (!elegirFechaEntrega(ws_, fecha)) {
      if (fecha < ws_.DTPicker1_4_minimo)
        prompter_.aviso(kPrograma, QStringLiteral("La fecha de entrega ") + fechaTexto::ddmmaaaa(fecha) +
                                       QStringLiteral(" no se puede elegir: es anterior a hoy, ") +
                                       fechaTexto::ddmmaaaa(ws_.DTPicker1_4_minimo));
      return kRehusado;
    }
    DTPicker1_LostFocus(ws_, 4);
  }
  if (hora >= 0) {
    ws_.Combo3.indice = hora;
    ws_.Combo3.texto = ws_.Combo3.entradas[hora];
  }

  prompter_.archivosGuardar.push_back(aviso);
  const Resultado r = arch_env_Click(ws_);
  prompter_.archivosGuardar.clear();
  return estadoDe(r);
}

// ------------------------------------------------------------------ etiquetas, lista

// Opens the work file with the open command, runs the file command's line
// checks and writes the labels or the packing list as a PDF, whole or not at all.
int Corrida::documento() {
  const bool etiquetas = o_.comando == QStringLiteral("etiquetas");
  const QString nombre = o_.comando + QStringLiteral(": ");
  if (o_.posicionales.isEmpty()) return rehusar(nombre + QStringLiteral("falta el archivo de trabajo"), kError);
  if (o_.posicionales.size() > 1)
    return rehusar(nombre + QStringLiteral("sobran argumentos: ") + o_.posicionales.mid(1).join(QLatin1Char(' ')),
                   kError);
  const QString pdf = o_.valor(QStringLiteral("pdf"));
  if (pdf.isEmpty()) return rehusar(nombre + QStringLiteral("falta --pdf SALIDA"), kError);
  FormatoEtiqueta formato = FormatoEtiqueta::Termica4x6;
  if (o_.tiene(QStringLiteral("formato")) && !leerFormatoEtiqueta(o_.valor(QStringLiteral("formato")), formato))
    return rehusar(QStringLiteral("--formato \"") + o_.valor(QStringLiteral("formato")) +
                       QStringLiteral("\" no es un formato de etiqueta (4x6, carta, a4)"),
                   kError);
  QDate fecha;
  if (o_.tiene(QStringLiteral("entrega"))) {
    fecha = leerFecha(o_.valor(QStringLiteral("entrega")));
    if (!fecha.isValid())
      return rehusar(QStringLiteral("--entrega \"") + o_.valor(QStringLiteral("entrega")) +
                         QStringLiteral("\" no es una fecha DD/MM/AAAA"),
                     kError);
  }
  QString hora;
  if (o_.tiene(QStringLiteral("hora"))) {
    const int i = buscarHora(ws_.Combo3, o_.valor(QStringLiteral("hora")));
    if (i < 0)
      return rehusar(QStringLiteral("--hora \"") + o_.valor(QStringLiteral("hora")) +
                         QStringLiteral("\" no es una de las horas de entrega (") +
                         ws_.Combo3.entradas.join(QStringLiteral(", ")) + QStringLiteral(")"),
                     kError);
    hora = ws_.Combo3.entradas[i];
  }
  // Painting text needs the GUI module's application object (main() makes one).
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return rehusar(nombre + QStringLiteral("no se pueden dibujar documentos en este proceso"), kError);

  const int e = abrirTrabajo(o_.posicionales[0]);
  if (e != kHecho) return e;
  ::Envio envio;  // the shipment, not the send's options (lote::Envio)
  Resultado r = etiquetas ? revisarEtiquetas(ws_, envio) : armarEnvio(ws_, envio);
  if (r != Resultado::Hecho) return estadoDe(r);
  // Only what was given is printed: a work file keeps no delivery date or hour.
  envio.entrega = fecha;
  envio.hora = hora;
  r = etiquetas ? escribirEtiquetas(ws_, envio, formato, pdf) : escribirListaEmpaque(ws_, envio, pdf);
  return estadoDe(r);
}

// The files a command reads and the one it writes.
struct Archivos {
  QStringList entradas;
  QString salida, opcionSalida;
};

Archivos archivosDe(const Opciones& o) {
  Archivos a;
  if (!o.posicionales.isEmpty()) a.entradas.append(o.posicionales[0]);
  if (o.comando == QStringLiteral("importar")) {
    a.opcionSalida = QStringLiteral("--trabajo");
    a.salida = o.valor(QStringLiteral("trabajo"));
    if (a.salida.isEmpty() && o.posicionales.size() == 2) {
      a.salida = o.posicionales[1];
      a.opcionSalida = QStringLiteral("el archivo de trabajo");
    }
    for (const QString& opcion : {QStringLiteral("datos"), QStringLiteral("detalle")})
      for (const QString& v : o.todos(opcion))
        if (!v.contains(QLatin1Char('|'))) a.entradas.append(v);
  } else if (o.comando == QStringLiteral("empacar")) {
    a.opcionSalida = QStringLiteral("--trabajo");
    a.salida = o.valor(QStringLiteral("trabajo"));
    if (o.tiene(QStringLiteral("escaneos"))) a.entradas.append(o.valor(QStringLiteral("escaneos")));
  } else if (o.comando == QStringLiteral("generar")) {
    a.opcionSalida = QStringLiteral("--aviso");
    a.salida = o.valor(QStringLiteral("aviso"));
  } else if (o.comando == QStringLiteral("etiquetas") || o.comando == QStringLiteral("lista")) {
    a.opcionSalida = QStringLiteral("--pdf");
    a.salida = o.valor(QStringLiteral("pdf"));
  }
  return a;
}

// Why the command's output cannot be written where it was named, before
// anything is: a pipe, a device or a folder there, or one of its own inputs.
// Empty when it can.
QString archivosEncontrados(const Opciones& o) {
  const Archivos a = archivosDe(o);
  if (a.salida.isEmpty()) return {};
  const texto::Resultado destino = texto::destinoValido(a.salida);
  if (!destino.ok) return a.opcionSalida + QStringLiteral(": ") + destino.descripcion;
  for (const QString& entrada : a.entradas)
    if (texto::mismoArchivo(entrada, a.salida))
      return a.opcionSalida + QStringLiteral(": ") + a.salida +
             QStringLiteral(" es el archivo que el comando lee (") + entrada +
             QStringLiteral("); escribirlo lo reemplazaría. Dé otro nombre.");
  return {};
}

}  // namespace

bool esUtf8(const QByteArray& b) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
  const qsizetype n = b.size();
  for (qsizetype i = 0; i < n;) {
    const unsigned char c = p[i];
    int largo = 0;
    char32_t u = 0, minimo = 0;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) largo = 2, u = c & 0x1F, minimo = 0x80;
    else if ((c & 0xF0) == 0xE0) largo = 3, u = c & 0x0F, minimo = 0x800;
    else if ((c & 0xF8) == 0xF0) largo = 4, u = c & 0x07, minimo = 0x10000;
    else return false;
    if (i + largo > n) return false;
    for (int k = 1; k < largo; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      u = (u << 6) | (p[i + k] & 0x3F);
    }
    if (u < minimo || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
    i += largo;
  }
  return true;
}

int revisarArgumentos(int argc, const char* const* argv, QTextStream& errores) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray bytes(argv[i]);
    if (esUtf8(bytes)) continue;
    QString visible;
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      visible += b >= 0x20 && b < 0x7F ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    PrompterLote avisos(errores);
    avisos.aviso(kPrograma, QStringLiteral("El argumento %1 (\"%2\") no es texto UTF-8: un nombre de archivo con "
                                           "esos bytes no se puede leer ni escribir con su nombre. Cámbielo por "
                                           "uno en UTF-8.")
                                .arg(i)
                                .arg(visible));
    return kError;
  }
  return kHecho;
}

QString ayuda() {
  return QString::fromUtf8(
      "aviso-lote: los procedimientos de AVISO DE VORARIDO ver 9.4 sin ventana.\n"
      "\n"
      "Uso:\n"
      "  aviso-lote [--carpeta DIR] cliente --cliente NUM --proveedor NUM --rfc TEXTO\n"
      "  aviso-lote [--carpeta DIR] conexion [--servidor HOST] [--protocolo sftp|ftps|ftps-implicito|ftp]\n"
      "             [--puerto N] [--usuario USUARIO] [--clave-archivo ARCHIVO] [--recordar si|no]\n"
      "             [--carpeta-remota CARPETA] [--nombre-remoto PATRON] [--espera SEGUNDOS]\n"
      "             [--proxy ninguno|socks5|http] [--proxy-servidor HOST] [--proxy-puerto N]\n"
      "             [--proxy-usuario USUARIO] [--proxy-clave-archivo ARCHIVO]\n"
      "  aviso-lote [--carpeta DIR] importar PEDIDOS --orden \"OC - DEPTO\"... [--tipo TIPO]\n"
      "             [--datos \"OC|NUM VORARIDO|FACTURA|IMPORTE\"]... [--detalle \"TIENDA|SKU|CANTIDAD|CONTENEDOR\"]...\n"
      "             --trabajo SALIDA\n"
      "  aviso-lote [--carpeta DIR] generar TRABAJO --entrega DD/MM/AAAA --hora HH:MM --aviso SALIDA\n"
      "  aviso-lote [--carpeta DIR] etiquetas TRABAJO --pdf SALIDA [--formato 4x6|carta|a4]\n"
      "             [--entrega DD/MM/AAAA] [--hora HH:MM]\n"
      "  aviso-lote [--carpeta DIR] lista TRABAJO --pdf SALIDA [--entrega DD/MM/AAAA] [--hora HH:MM]\n"
      "  aviso-lote [--carpeta DIR] empacar TRABAJO --escaneos ARCHIVO --trabajo SALIDA [--conservar]\n"
      "  aviso-lote revisar AVISO [--trabajo TRABAJO]\n"
      "  aviso-lote [--carpeta DIR] enviar AVISO [--clave-archivo ARCHIVO] [--aceptar-huella SHA256:...]\n"
      "             [--reenviar]\n"
      "  aviso-lote --ayuda\n"
      "\n"
      "Comandos:\n"
      "  cliente    Guarda los datos del cliente en info.cfg, como el diálogo \"Configuración\"\n"
      "             (Configuración > Datos Generales) al teclearlos y oprimir Aceptar.\n"
      "             --cliente NUM      número de cliente (4 o 5 dígitos)\n"
      "             --proveedor NUM    número de proveedor (hasta 10 dígitos)\n"
      "             --rfc TEXTO        RFC del proveedor (14 caracteres, por ejemplo ABCD010101-AB1)\n"
      "             La opción que no se da conserva el valor guardado.\n"
      "  conexion   Guarda la conexión con el servidor de la cadena, como el diálogo \"Conexión FTP\"\n"
      "             (Configuración > Conexión FTP) al oprimir Aceptar: el servidor en dudizod.ini,\n"
      "             lo demás en info.cfg. La opción que no se da conserva el valor guardado.\n"
      "             --servidor HOST    nombre o dirección del servidor\n"
      "             --protocolo P      sftp (SSH), ftps (TLS explícito), ftps-implicito o ftp (sin\n"
      "                                cifrar: pide --respuesta si)\n"
      "             --puerto N         puerto (0: el del protocolo)\n"
      "             --usuario USUARIO  usuario del servidor\n"
      "             --clave-archivo ARCHIVO\n"
      "                                archivo cuyo primer renglón es la contraseña, que se guarda en\n"
      "                                el almacén de contraseñas del sistema (nunca en un archivo de\n"
      "                                configuración); sin almacén no se cambia nada (estado 1)\n"
      "             --recordar si|no   recordar la contraseña en el almacén (no: se olvida)\n"
      "             --carpeta-remota CARPETA   carpeta del servidor donde se deja el aviso\n"
      "             --nombre-remoto PATRON     nombre del aviso en el servidor; {proveedor},\n"
      "                                {aaaammdd}, {hhmmss}, {aaaa}, {mm} y {dd} se reemplazan\n"
      "             --espera SEGUNDOS  espera de una respuesta del servidor (0: 60 segundos)\n"
      "             --proxy ninguno|socks5|http, --proxy-servidor, --proxy-puerto,\n"
      "             --proxy-usuario, --proxy-clave-archivo: el firewall por el que se sale\n"
      "  importar   Limpia el área de trabajo, importa el archivo de pedidos PEDIDOS y guarda el\n"
      "             archivo de trabajo SALIDA (.code), como Guardar como... en la ventana.\n"
      "             Un archivo .inf pasa por la importación INF y el diálogo de consolidación; un\n"
      "             archivo .txt por la importación delimitada por tabuladores.\n"
      "             --orden \"OC - DEPTO\" orden que forma el envío; se repite por cada orden, en el\n"
      "                                orden dado (se añaden y luego Aceptar). Basta el número de\n"
      "                                orden cuando está en un solo departamento. Con un archivo\n"
      "                                .txt se da una sola --orden OC.\n"
      "             --tipo TIPO        tipo de movimiento de un envío de un solo pedido: Alta, la\n"
      "                                única entrada que ofrece su celda (con varios pedidos es\n"
      "                                siempre Pedido Múltiple).\n"
      "             --datos \"OC|NUM VORARIDO|FACTURA|IMPORTE\"\n"
      "                                se teclean en el renglón de la orden OC de la tabla de\n"
      "                                pedidos; una parte vacía deja la celda como está. Se repite\n"
      "                                por cada orden.\n"
      "             --detalle \"TIENDA|SKU|CANTIDAD|CONTENEDOR\"\n"
      "                                se teclean la cantidad y el contenedor en el renglón de esa\n"
      "                                tienda y ese SKU del detalle; una parte vacía deja la celda.\n"
      "             En lugar del valor de --datos o --detalle puede darse un ARCHIVO con un valor por\n"
      "                                renglón (los renglones vacíos o que empiezan con # no cuentan).\n"
      "             --trabajo SALIDA   archivo de trabajo a escribir.\n"
      "  generar    Abre el archivo de trabajo TRABAJO, pone la fecha y la hora de entrega y crea\n"
      "             el aviso SALIDA, como \"Crear archivo a enviar\" en la ventana.\n"
      "             --entrega DD/MM/AAAA  fecha de entrega: día hábil, no antes de hoy (si no se da,\n"
      "                                   hoy).\n"
      "             --hora HH:MM       hora de entrega, una de 07:00, 08:00 ... 15:00 (\"9\" o \"09\"\n"
      "                                también valen).\n"
      "             --aviso SALIDA     archivo del aviso a escribir (.txt).\n"
      "  etiquetas  Abre el archivo de trabajo TRABAJO y escribe en SALIDA (PDF) una etiqueta por\n"
      "             contenedor, como Archivo > \"Etiquetas de contenedor...\" en la ventana: código de\n"
      "             barras Code 128 del contenedor, tienda, departamento, órdenes, tipo de entrega,\n"
      "             proveedor, renglones y piezas, \"Contenedor k de n\" de su tienda. Antes revisa los\n"
      "             renglones como \"Crear archivo a enviar\": el primer error se dice y no se escribe\n"
      "             nada.\n"
      "             --pdf SALIDA       archivo PDF a escribir.\n"
      "             --formato 4x6|carta|a4\n"
      "                                4x6: etiqueta térmica de 4 x 6 pulgadas, una por página (si no\n"
      "                                se da); carta o a4: hoja con seis etiquetas.\n"
      "             --entrega DD/MM/AAAA  fecha de entrega impresa (si no se da, no se imprime).\n"
      "             --hora HH:MM       hora de entrega impresa, una de 07:00 ... 15:00.\n"
      "  lista      Abre el archivo de trabajo TRABAJO y escribe en SALIDA (PDF) la lista de empaque,\n"
      "             como Archivo > \"Lista de empaque...\": por tienda sus contenedores con sus\n"
      "             renglones y subtotales; totales por tienda, por orden y del envío. Las mismas\n"
      "             revisiones y las opciones --pdf, --entrega y --hora de etiquetas.\n"
      "  empacar    Abre el archivo de trabajo TRABAJO y aplica los escaneos del ARCHIVO como el modo\n"
      "             \"Empacar con lector\" de la ventana: un código por renglón; un código de\n"
      "             contenedor empieza (o sigue) ese contenedor, un código de artículo (UPC/EAN) suma\n"
      "             una pieza, N*CODIGO suma N piezas, TIENDA NNNN dice la tienda del contenedor\n"
      "             actual. Los renglones sin escanear y sin contenedor se listan y se quitan; luego\n"
      "             guarda el archivo de trabajo SALIDA. El primer escaneo rechazado se dice con su\n"
      "             renglón y no se escribe nada.\n"
      "             --escaneos ARCHIVO archivo de escaneos.\n"
      "             --trabajo SALIDA   archivo de trabajo a escribir.\n"
      "             --conservar        conserva los renglones sin escanear.\n"
      "  revisar    Lee el aviso AVISO como lo lee la cadena: muestra por pedido su encabezado,\n"
      "             sus contenedores con sus líneas y piezas y los totales, y cada falta y\n"
      "             advertencia con su línea y su columna. Termina con 0 si no hay faltas (aunque\n"
      "             haya advertencias), con 1 si las hay y con 2 si un archivo no se pudo leer.\n"
      "             --trabajo TRABAJO  archivo de trabajo del que salió el aviso: por pedido y\n"
      "                                contenedor, las piezas del aviso deben ser las del archivo.\n"
      "  enviar     Sube el aviso AVISO al servidor de la cadena con la conexión guardada (aviso-lote\n"
      "             conexion), como Enviar en la ventana: con un nombre temporal, renombrado al final\n"
      "             y con su tamaño comparado; anota el envío en enviados/historial.txt. Termina con\n"
      "             0 si se envió, con 1 si se rehusó (huella desconocida o cambiada, certificado,\n"
      "             contraseña, ya enviado) y con 2 si falló (conexión, archivo, tiempo agotado).\n"
      "             --clave-archivo ARCHIVO  archivo cuyo primer renglón es la contraseña (si no se\n"
      "                                da, la del almacén de contraseñas del sistema)\n"
      "             --aceptar-huella SHA256:...  acepta en el primer contacto la clave o el\n"
      "                                certificado del servidor con esa huella\n"
      "             --reenviar         envía aunque el historial diga que ese aviso ya se envió\n"
      "\n"
      "Opciones generales:\n"
      "  --carpeta DIR      carpeta del programa (info.cfg, dudizod.ini, Log, header.txt); sin ella,\n"
      "                     la carpeta de aviso-lote.\n"
      "  --hoy DD/MM/AAAA   fecha que el programa toma como la de hoy (para repetir un envío o\n"
      "                     para pruebas); sin ella, la del sistema.\n"
      "  --respuesta si|no|cancelar\n"
      "                     respuesta a la siguiente pregunta que haría la ventana; se repite por\n"
      "                     cada pregunta. Sin respuesta dada se contesta lo que no cambia nada.\n"
      "  --ayuda            muestra este texto.\n"
      "\n"
      "Cada mensaje que la ventana mostraría se escribe en la salida de errores como\n"
      "\"TÍTULO: TEXTO\", un renglón por mensaje.\n"
      "\n"
      "Estado de salida:\n"
      "  0  el comando hizo su trabajo\n"
      "  1  una regla del sistema lo rechazó (el mensaje dice cuál)\n"
      "  2  argumentos equivocados, un archivo que no se pudo leer o escribir, o un error inesperado\n");
}

int ejecutar(const QStringList& argumentos, const QString& carpetaOmision, QTextStream& salida,
             QTextStream& errores) {
  PrompterLote avisos(errores);
  const auto uso = [&avisos](const QString& texto) {
    avisos.aviso(kPrograma, texto + QStringLiteral(" (aviso-lote --ayuda explica el uso)"));
    return kError;
  };
  Opciones o;
  QString error;
  if (!leerOpciones(argumentos, o, error)) return uso(error);
  if (o.ayuda) {
    salida << ayuda();
    salida.flush();
    return kHecho;
  }
  if (o.comando.isEmpty())
    return uso(QStringLiteral("Falta el comando: cliente, conexion, importar, generar, etiquetas, lista, empacar, revisar o enviar"));
  auto comando = opcionesDeComando().find(o.comando);
  if (comando == opcionesDeComando().end()) return uso(QStringLiteral("Comando desconocido: ") + o.comando);
  for (const auto& [nombre, valores] : o.valores) {
    if (nombre == QStringLiteral("carpeta") || nombre == QStringLiteral("hoy") || nombre == QStringLiteral("respuesta"))
      continue;
    if (!comando->second.count(nombre))
      return uso(QStringLiteral("La opción --") + nombre + QStringLiteral(" no es del comando ") + o.comando);
  }
  for (const QString& r : o.todos(QStringLiteral("respuesta"))) {
    const QString t = r.trimmed().toLower();
    if (t != QStringLiteral("si") && t != QString::fromUtf8("sí") && t != QStringLiteral("no") &&
        t != QStringLiteral("cancelar"))
      return uso(QStringLiteral("--respuesta \"") + r + QStringLiteral("\": se espera si, no o cancelar"));
  }
  if ((o.comando == QStringLiteral("cliente") || o.comando == QStringLiteral("conexion")) && !o.posicionales.isEmpty())
    return uso(o.comando + QStringLiteral(": sobran argumentos: ") + o.posicionales.join(QLatin1Char(' ')));
  if (o.comando == QStringLiteral("enviar") && o.posicionales.size() != 1)
    return uso(o.posicionales.isEmpty() ? QStringLiteral("enviar: falta el archivo del aviso")
                                        : QStringLiteral("enviar: sobran argumentos: ") +
                                              o.posicionales.mid(1).join(QLatin1Char(' ')));
  QDate hoy;
  if (o.tiene(QStringLiteral("hoy"))) {
    hoy = leerFecha(o.valor(QStringLiteral("hoy")));
    if (!hoy.isValid())
      return uso(QStringLiteral("--hoy \"") + recorte(o.valor(QStringLiteral("hoy"))) +
                 QStringLiteral("\" no es una fecha DD/MM/AAAA"));
  }
  QString carpeta = o.tiene(QStringLiteral("carpeta")) ? o.valor(QStringLiteral("carpeta")) : carpetaOmision;
  if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir())
    return uso(QStringLiteral("La carpeta del programa no existe: ") + carpeta);
  carpeta = QDir::cleanPath(QFileInfo(carpeta).absoluteFilePath());
  if (o.comando == QStringLiteral("revisar")) {
    // Reads files only: no settings, no log, no workspace of the program folder.
    if (o.posicionales.isEmpty()) return uso(QStringLiteral("revisar: falta el archivo del aviso"));
    if (o.posicionales.size() > 1)
      return uso(QStringLiteral("revisar: sobran argumentos: ") + o.posicionales.mid(1).join(QLatin1Char(' ')));
    const Revision r = revisarAviso(o.posicionales[0], o.valor(QStringLiteral("trabajo")), false);
    if (!r.error.isEmpty()) {
      avisos.aviso(kPrograma, r.error);
      return kError;
    }
    informeRevision(r.aviso, [&salida](const QString& linea) { salida << linea << '\n'; });
    salida.flush();
    return r.aviso.faltas() > 0 ? kRehusado : kHecho;
  }
  if (const QString e = archivosEncontrados(o); !e.isEmpty()) {
    avisos.aviso(kPrograma, e);
    return kError;
  }

  Corrida corrida(o, carpeta, hoy, errores);
  const int estado = corrida.correr();
  corrida.terminar();
  return estado;
}

}  // namespace lote
